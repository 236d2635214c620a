#include "UriList.h"

namespace BPrivate {

namespace {

int HexValue(char digit)
{
	if (digit >= '0' && digit <= '9')
		return digit - '0';
	if (digit >= 'a' && digit <= 'f')
		return digit - 'a' + 10;
	if (digit >= 'A' && digit <= 'F')
		return digit - 'A' + 10;
	return -1;
}

// "%20" and the like as the bytes they stand for; a '%' that starts no
// escape stays as it is.
std::string Unescaped(std::string_view text)
{
	std::string path;
	for (size_t i = 0; i < text.size(); i++) {
		int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
		int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
		if (text[i] == '%' && high >= 0 && low >= 0) {
			path += static_cast<char>(high * 16 + low);
			i += 2;
		} else {
			path += text[i];
		}
	}
	return path;
}

// file:///path and file://localhost/path name local files; the path of
// any other host is not on this machine.
std::string LocalPathOfUri(std::string_view uri)
{
	constexpr std::string_view kScheme = "file://";
	if (uri.substr(0, kScheme.size()) != kScheme)
		return std::string();
	uri.remove_prefix(kScheme.size());
	size_t slash = uri.find('/');
	if (slash == std::string_view::npos)
		return std::string();
	std::string_view host = uri.substr(0, slash);
	if (!host.empty() && host != "localhost")
		return std::string();
	return Unescaped(uri.substr(slash));
}

} // namespace

std::vector<std::string> LocalPathsOfUriList(std::string_view list)
{
	std::vector<std::string> paths;
	while (!list.empty()) {
		size_t end = list.find_first_of("\r\n");
		std::string_view line = list.substr(0, end);
		list.remove_prefix(end == std::string_view::npos ? list.size() : end + 1);
		while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
			line.remove_suffix(1);
		if (line.empty() || line.front() == '#')
			continue;
		std::string path = LocalPathOfUri(line);
		if (!path.empty())
			paths.push_back(path);
	}
	return paths;
}

std::string LocalPathOfDrop(std::string_view dropped)
{
	if (dropped.substr(0, 7) == "file://")
		return LocalPathOfUri(dropped);
	return std::string(dropped);
}

} // namespace BPrivate
