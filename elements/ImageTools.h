#ifndef VELMORA_IMAGE_TOOLS_H
#define VELMORA_IMAGE_TOOLS_H

#include <string>

// Where the pictures of a page are: an image's SRC resolved against the
// page's file.
class ImageTools {
public:
	// The full path of the picture that src names on the page in pageFile:
	// a web address or an absolute path as it is, anything else relative
	// to the page's folder; "./" and "../" segments taken out. Returns
	// whether that file can be opened. A null argument gives false and an
	// empty path.
	static bool AbsoluteImagePath(std::string& path, const char* src, const char* pageFile);
	// Whether src names a picture on the web (it is not fetched).
	static bool IsWebAddress(const char* src);
	// The SRC a page in pageFile writes for the picture at imagePath: the
	// path relative to the page's folder, or the absolute path when the
	// page has no file or no folder in common with the picture.
	static std::string RelativeImagePath(const char* imagePath, const char* pageFile);

private:
	ImageTools() = delete;
};

#endif
