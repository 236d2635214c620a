#include "PageText.h"

#include <File.h>

namespace PageText {

std::string NormalizeLineEnds(std::string_view text)
{
	std::string normal;
	normal.reserve(text.size());
	size_t start = 0;
	for (size_t end = text.find('\r'); end != std::string_view::npos;
			end = text.find('\r', start)) {
		normal.append(text, start, end - start);
		normal += '\n';
		start = end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1;
	}
	normal.append(text, start);
	return normal;
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
	std::string lines;
	lines.reserve(text.size() + text.size() / 32);
	size_t start = 0;
	for (size_t end = text.find_first_of("\r\n"); end != std::string_view::npos;
			end = text.find_first_of("\r\n", start)) {
		lines.append(text, start, end - start);
		lines += "\r\n";
		start = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? end + 2
			: end + 1;
	}
	lines.append(text, start);
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
