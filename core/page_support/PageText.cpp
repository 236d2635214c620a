#include "PageText.h"

#include <File.h>

namespace PageText {

namespace {

// The text with each line end that starts with one of the characters
// sought (a CR LF pair counts as one) written as lineEnd; room is what the
// result is expected to take.
std::string WithLineEnds(std::string_view text, const char* sought, std::string_view lineEnd,
	size_t room)
{
	std::string lines;
	lines.reserve(room);
	size_t start = 0;
	for (size_t end = text.find_first_of(sought); end != std::string_view::npos;
			end = text.find_first_of(sought, start)) {
		lines.append(text, start, end - start);
		lines += lineEnd;
		start = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? end + 2
			: end + 1;
	}
	lines.append(text, start);
	return lines;
}

} // namespace

std::string NormalizeLineEnds(std::string_view text)
{
	return WithLineEnds(text, "\r", "\n", text.size());
}

std::string Decode(std::string_view bytes, TextEncoding* encoding)
{
	std::string text;
	TextEncoding found = TextEncoding::DecodePage(bytes, text);
	if (encoding != nullptr)
		*encoding = found;
	return NormalizeLineEnds(text);
}

std::string Encode(std::string_view text, const TextEncoding& encoding)
{
	std::string lines = WithLineEnds(text, "\r\n", "\r\n", text.size() + text.size() / 32);
	// A big page's text is not held twice while it is written.
	if (encoding.KeepsTextAsItIs())
		return lines;
	std::string bytes;
	encoding.Encode(lines, bytes);
	return bytes;
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

status_t WriteFile(BFile* file, const std::string& bytes)
{
	if (file == nullptr || file->InitCheck() != B_OK)
		return B_NO_INIT;
	if (!file->IsWritable())
		return B_PERMISSION_DENIED;
	ssize_t written = file->WriteAt(0, bytes.data(), bytes.size());
	if (written < 0)
		return static_cast<status_t>(written);
	if (static_cast<size_t>(written) != bytes.size())
		return B_DEVICE_FULL;
	status_t status = file->SetSize(static_cast<off_t>(bytes.size()));
	if (status != B_OK)
		return status;
	file->Seek(static_cast<off_t>(bytes.size()), SEEK_SET);
	return B_OK;
}

std::vector<std::string> FileExtensions()
{
	return {"htm", "html"};
}

} // namespace PageText
