#ifndef _VELMORA_PICTURE_FILES_H
#define _VELMORA_PICTURE_FILES_H

#include <functional>
#include <string>

#include <cairo.h>

#include <SupportDefs.h>

class BBitmap;
class BFile;

// Encoding pictures into file formats, and putting files in place so that
// a reader never finds one half written: each is written beside its final
// name and renamed over it.
namespace PictureFiles {

status_t EncodePNG(cairo_surface_t* surface, std::string* bytes);
// Through gdk-pixbuf's JPEG saver; quality is 1 to 100.
status_t EncodeJPEG(const BBitmap& picture, int quality, std::string* bytes);

// Replaces the file at path with what write puts into the (empty) file it
// is given; the folder must exist. Nothing changes when write fails.
status_t ReplaceWith(const std::string& path, const std::function<status_t(BFile&)>& write);
// Replaces the file at path with the bytes.
status_t Replace(const std::string& path, const std::string& bytes);
// Makes the folder and the folders above it as needed.
status_t MakeFolders(const std::string& path);

} // namespace PictureFiles

#endif
