#include "PageText.h"

#include <algorithm>
#include <cstring>

#include <File.h>
#include <UTF8.h>

namespace PageText {

namespace {

// Finds the line ends of a text from left to right: a CR, or an LF when
// they are sought too. Each kind is looked for with memchr and its next
// place kept, so a long text is scanned once for each kind, not once per
// byte against a set of characters.
class LineEndScanner {
public:
	LineEndScanner(std::string_view text, bool linefeeds)
		:
		fText(text),
		fLinefeeds(linefeeds),
		fNextReturn(Find('\r', 0)),
		fNextLinefeed(linefeeds ? Find('\n', 0) : std::string_view::npos)
	{
	}

	// The first line end at or behind from; npos when there is none.
	size_t Next(size_t from)
	{
		if (fNextReturn != std::string_view::npos && fNextReturn < from)
			fNextReturn = Find('\r', from);
		if (!fLinefeeds)
			return fNextReturn;
		if (fNextLinefeed != std::string_view::npos && fNextLinefeed < from)
			fNextLinefeed = Find('\n', from);
		return std::min(fNextReturn, fNextLinefeed);
	}

private:
	size_t Find(char character, size_t from) const
	{
		if (from >= fText.size())
			return std::string_view::npos;
		const void* found = memchr(fText.data() + from, character, fText.size() - from);
		return found == nullptr ? std::string_view::npos
			: static_cast<size_t>(static_cast<const char*>(found) - fText.data());
	}

	std::string_view fText;
	bool fLinefeeds;
	// Where each kind was found last; looked for again once passed.
	size_t fNextReturn;
	size_t fNextLinefeed;
};

// The length of the line end at end: 2 for a CR LF pair, else 1.
size_t LineEndLength(std::string_view text, size_t end)
{
	return text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
}

// Appends the text to lines with each line end (a CR, a CR LF pair, and an
// LF when linefeeds are sought too) written as lineEnd.
void AppendWithLineEnds(std::string_view text, bool linefeeds, std::string_view lineEnd,
	std::string& lines)
{
	LineEndScanner scanner(text, linefeeds);
	size_t start = 0;
	for (size_t end = scanner.Next(0); end != std::string_view::npos; end = scanner.Next(start)) {
		lines.append(text, start, end - start);
		lines += lineEnd;
		start = end + LineEndLength(text, end);
	}
	lines.append(text, start);
}

// Where a piece of about pieceSize bytes from start ends: between two
// characters, and not between the CR and the LF of a pair, which are one
// line end.
size_t PieceEnd(std::string_view text, size_t start, size_t pieceSize)
{
	if (text.size() - start <= pieceSize)
		return text.size();
	size_t end = BPrivate::UTF8::Boundary(text, start + pieceSize);
	if (end <= start)
		end = BPrivate::UTF8::Next(text, start);
	if (end < text.size() && text[end - 1] == '\r' && text[end] == '\n')
		end = end - 1 > start ? end - 1 : end + 1;
	return end;
}

} // namespace

std::string NormalizeLineEnds(std::string_view text)
{
	std::string lines;
	lines.reserve(text.size());
	AppendWithLineEnds(text, false, "\n", lines);
	return lines;
}

// Every line end gets shorter or stays, so the text is rewritten from its
// start without a second buffer.
size_t NormalizeLineEndsInPlace(char* text, size_t length)
{
	std::string_view view(text, length);
	LineEndScanner scanner(view, false);
	size_t written = 0;
	size_t start = 0;
	for (size_t end = scanner.Next(0); end != std::string_view::npos; end = scanner.Next(start)) {
		memmove(text + written, text + start, end - start);
		written += end - start;
		// Measured before the LF may overwrite the CR it stands for.
		start = end + LineEndLength(view, end);
		text[written++] = '\n';
	}
	size_t rest = length - start;
	memmove(text + written, text + start, rest);
	return written + rest;
}

void NormalizeLineEndsInPlace(std::string& text)
{
	text.resize(NormalizeLineEndsInPlace(text.data(), text.size()));
}

std::string Decode(std::string_view bytes, TextEncoding* encoding)
{
	std::string text;
	TextEncoding found = TextEncoding::DecodePage(bytes, text);
	if (encoding != nullptr)
		*encoding = found;
	NormalizeLineEndsInPlace(text);
	return text;
}

std::string Encode(std::string_view text, const TextEncoding& encoding)
{
	std::string bytes;
	EncodeInPieces(text, encoding, [&bytes](std::string_view piece) {
		bytes += piece;
		return B_OK;
	}, text.size());
	return bytes;
}

status_t EncodeInPieces(std::string_view text, const TextEncoding& encoding,
	const PieceWriter& write, size_t pieceSize)
{
	if (!encoding.EncodesInPieces())
		pieceSize = text.size();
	std::string bytes(encoding.ByteOrderMark());
	// One buffer for every piece: a block as big as a piece, made afresh
	// for each, was mapped and its pages touched anew each time.
	std::string lines;
	size_t start = 0;
	do {
		size_t end = PieceEnd(text, start, std::max<size_t>(pieceSize, 1));
		std::string_view piece = text.substr(start, end - start);
		lines.clear();
		lines.reserve(piece.size() + piece.size() / 32);
		AppendWithLineEnds(piece, true, "\r\n", lines);
		encoding.AppendEncoded(lines, bytes);
		status_t status = write(bytes);
		if (status != B_OK)
			return status;
		bytes.clear();
		start = end;
	} while (start < text.size());
	return B_OK;
}

status_t ReadFile(BFile* file, std::string& bytes)
{
	if (file == nullptr || file->InitCheck() != B_OK)
		return B_NO_INIT;
	off_t size = 0;
	status_t status = file->GetSize(&size);
	if (status != B_OK)
		return status;
	bytes.resize(static_cast<size_t>(size));
	ssize_t read = size > 0 ? file->ReadAt(0, bytes.data(), bytes.size()) : 0;
	if (read < 0)
		return static_cast<status_t>(read);
	bytes.resize(static_cast<size_t>(read));
	return B_OK;
}

status_t WriteFile(BFile* file, const std::function<status_t(const PieceWriter&)>& produce,
	off_t* length)
{
	if (file == nullptr || file->InitCheck() != B_OK)
		return B_NO_INIT;
	if (!file->IsWritable())
		return B_PERMISSION_DENIED;
	off_t position = 0;
	status_t status = produce([file, &position](std::string_view bytes) -> status_t {
		ssize_t written = file->WriteAt(position, bytes.data(), bytes.size());
		if (written < 0)
			return static_cast<status_t>(written);
		position += written;
		if (static_cast<size_t>(written) != bytes.size())
			return B_DEVICE_FULL;
		return B_OK;
	});
	if (status == B_OK)
		status = file->SetSize(position);
	if (status != B_OK)
		return status;
	file->Seek(position, SEEK_SET);
	*length = position;
	return B_OK;
}

std::vector<std::string> FileExtensions()
{
	return {"htm", "html"};
}

} // namespace PageText
