#ifndef VELMORA_TESTS_TEST_PICTURES_H
#define VELMORA_TESTS_TEST_PICTURES_H

#include <string>

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <GraphicsDefs.h>

// Pictures the tests make themselves: one colour all over, in a format
// gdk-pixbuf writes ("png", "jpeg", "bmp").
inline bool WritePicture(const std::string& path, int width, int height, rgb_color color,
	const char* format = "png")
{
	GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, false, 8, width, height);
	if (pixbuf == nullptr)
		return false;
	guint32 pixel = (guint32(color.red) << 24) | (guint32(color.green) << 16)
		| (guint32(color.blue) << 8) | 0xFF;
	gdk_pixbuf_fill(pixbuf, pixel);
	bool saved = gdk_pixbuf_save(pixbuf, path.c_str(), format, nullptr, nullptr);
	g_object_unref(pixbuf);
	return saved;
}

#endif
