#include "ImageTools.h"

#include <strings.h>

#include <vector>

#include <File.h>

#include "StringHelpers.h"

namespace {

std::string FolderOf(const char* file)
{
	std::string path(file);
	size_t slash = path.rfind('/');
	return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::vector<std::string> Segments(const std::string& path)
{
	std::vector<std::string> segments;
	size_t start = 0;
	while (start <= path.size()) {
		size_t slash = path.find('/', start);
		if (slash == std::string::npos)
			slash = path.size();
		if (slash > start)
			segments.push_back(path.substr(start, slash - start));
		start = slash + 1;
	}
	return segments;
}

} // namespace

bool ImageTools::IsWebAddress(const char* src)
{
	return src != nullptr && strncasecmp(src, "http", 4) == 0;
}

bool ImageTools::AbsoluteImagePath(std::string& path, const char* src, const char* pageFile)
{
	path.clear();
	if (src == nullptr || pageFile == nullptr)
		return false;
	std::string joined = src;
	if (!IsWebAddress(src) && src[0] != '/')
		joined = FolderOf(pageFile) + src;
	std::vector<char> normalised(joined.size() + 1);
	ProcessPath(normalised.data(), joined.c_str());
	path = normalised.data();
	if (IsWebAddress(src))
		return false;
	BFile file(path.c_str(), B_READ_ONLY);
	return file.InitCheck() == B_OK;
}

std::string ImageTools::RelativeImagePath(const char* imagePath, const char* pageFile)
{
	if (imagePath == nullptr)
		return std::string();
	if (pageFile == nullptr || pageFile[0] != '/' || imagePath[0] != '/')
		return imagePath;
	std::vector<std::string> image = Segments(imagePath);
	std::vector<std::string> folder = Segments(FolderOf(pageFile));
	size_t common = 0;
	while (common < folder.size() && common + 1 < image.size()
			&& folder[common] == image[common])
		common++;
	if (common == 0)
		return imagePath;
	std::string relative;
	for (size_t up = common; up < folder.size(); up++)
		relative += "../";
	for (size_t down = common; down < image.size(); down++)
		relative += image[down] + (down + 1 < image.size() ? "/" : "");
	return relative;
}
