#include "PictureFiles.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <Bitmap.h>
#include <Directory.h>
#include <Errors.h>
#include <File.h>

namespace PictureFiles {

namespace {

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length)
{
	static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
	return CAIRO_STATUS_SUCCESS;
}

// gdk-pixbuf wants red, green, blue rows; a bitmap has blue, green, red,
// alpha pixels.
std::vector<guchar> RgbRows(const BBitmap& picture, int width, int height)
{
	std::vector<guchar> rows(static_cast<size_t>(width) * height * 3);
	const uint8* bits = static_cast<const uint8*>(picture.Bits());
	for (int y = 0; y < height; y++) {
		const uint8* in = bits + static_cast<size_t>(y) * picture.BytesPerRow();
		guchar* out = rows.data() + static_cast<size_t>(y) * width * 3;
		for (int x = 0; x < width; x++, in += 4, out += 3) {
			out[0] = in[2];
			out[1] = in[1];
			out[2] = in[0];
		}
	}
	return rows;
}

} // namespace

status_t EncodePNG(cairo_surface_t* surface, std::string* bytes)
{
	if (surface == nullptr || bytes == nullptr)
		return B_BAD_VALUE;
	bytes->clear();
	cairo_surface_flush(surface);
	return cairo_surface_write_to_png_stream(surface, AppendToString, bytes)
			== CAIRO_STATUS_SUCCESS
		? B_OK
		: B_ERROR;
}

status_t EncodeJPEG(const BBitmap& picture, int quality, std::string* bytes)
{
	if (bytes == nullptr || !picture.IsValid() || picture.ColorSpace() != B_RGBA32
		|| quality < 1 || quality > 100)
		return B_BAD_VALUE;
	int width = picture.Bounds().IntegerWidth() + 1;
	int height = picture.Bounds().IntegerHeight() + 1;
	std::vector<guchar> rows = RgbRows(picture, width, height);
	GdkPixbuf* pixbuf = gdk_pixbuf_new_from_data(rows.data(), GDK_COLORSPACE_RGB, FALSE, 8,
		width, height, width * 3, nullptr, nullptr);
	if (pixbuf == nullptr)
		return B_NO_MEMORY;
	gchar* buffer = nullptr;
	gsize size = 0;
	GError* error = nullptr;
	std::string qualityText = std::to_string(quality);
	gboolean saved = gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, "jpeg", &error,
		"quality", qualityText.c_str(), nullptr);
	g_object_unref(pixbuf);
	if (!saved) {
		fprintf(stderr, "Could not encode a JPEG picture: %s\n",
			error != nullptr ? error->message : "unknown error");
		if (error != nullptr)
			g_error_free(error);
		return B_ERROR;
	}
	bytes->assign(buffer, size);
	g_free(buffer);
	return B_OK;
}

status_t ReplaceWith(const std::string& path, const std::function<status_t(BFile&)>& write)
{
	std::string temporary = path + ".part";
	status_t status;
	{
		BFile file(temporary.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
		status = file.InitCheck();
		if (status != B_OK)
			return status;
		status = write(file);
	}
	if (status == B_OK && rename(temporary.c_str(), path.c_str()) != 0)
		status = status_for_errno(errno);
	if (status != B_OK)
		unlink(temporary.c_str());
	return status;
}

status_t Replace(const std::string& path, const std::string& bytes)
{
	return ReplaceWith(path,
		[&bytes](BFile& file) { return file.WriteExactly(bytes.data(), bytes.size()); });
}

status_t MakeFolders(const std::string& path)
{
	return create_directory(path.c_str(), 0755);
}

} // namespace PictureFiles
