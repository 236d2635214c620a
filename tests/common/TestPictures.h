#ifndef VELMORA_TESTS_TEST_PICTURES_H
#define VELMORA_TESTS_TEST_PICTURES_H

#include <string>

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <GraphicsDefs.h>

// Pictures the tests make themselves: one colour all over, in a format
// gdk-pixbuf writes ("png", "jpeg", "bmp"); a colour not opaque gives a
// picture with an alpha channel.
inline bool WritePicture(const std::string& path, int width, int height, rgb_color color,
	const char* format = "png")
{
	bool alpha = color.alpha != 255;
	GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, alpha, 8, width, height);
	if (pixbuf == nullptr)
		return false;
	guint32 pixel = (guint32(color.red) << 24) | (guint32(color.green) << 16)
		| (guint32(color.blue) << 8) | color.alpha;
	gdk_pixbuf_fill(pixbuf, pixel);
	bool saved = gdk_pixbuf_save(pixbuf, path.c_str(), format, nullptr, nullptr);
	g_object_unref(pixbuf);
	return saved;
}

#endif
