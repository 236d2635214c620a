#include <TranslationUtils.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <Bitmap.h>
#include <DataIO.h>

namespace {

// Larger files are not pictures a page shows; reading them would only
// exhaust memory.
const size_t kLargestImageFile = 256 * 1024 * 1024;

thread_local status_t sLastError = B_OK;
thread_local std::string sLastErrorText;

BBitmap* Fail(status_t error, std::string text)
{
	sLastError = error;
	sLastErrorText = std::move(text);
	return nullptr;
}

BBitmap* Succeed(BBitmap* bitmap)
{
	sLastError = B_OK;
	sLastErrorText.clear();
	return bitmap;
}

status_t StatusForPixbufError(const GError* error)
{
	if (error == nullptr || error->domain != GDK_PIXBUF_ERROR)
		return B_ILLEGAL_DATA;
	switch (error->code) {
		case GDK_PIXBUF_ERROR_UNKNOWN_TYPE:
		case GDK_PIXBUF_ERROR_UNSUPPORTED_OPERATION:
			return B_NO_TRANSLATOR;
		case GDK_PIXBUF_ERROR_INSUFFICIENT_MEMORY:
			return B_NO_MEMORY;
		default:
			return B_ILLEGAL_DATA;
	}
}

// gdk-pixbuf rows are red, green, blue (and alpha) bytes, not premultiplied;
// a bitmap's are blue, green, red, alpha.
BBitmap* BitmapFromPixbuf(GdkPixbuf* pixbuf)
{
	int width = gdk_pixbuf_get_width(pixbuf);
	int height = gdk_pixbuf_get_height(pixbuf);
	int channels = gdk_pixbuf_get_n_channels(pixbuf);
	bool hasAlpha = gdk_pixbuf_get_has_alpha(pixbuf);
	if (gdk_pixbuf_get_colorspace(pixbuf) != GDK_COLORSPACE_RGB
		|| gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || channels != (hasAlpha ? 4 : 3)
		|| width <= 0 || height <= 0)
		return Fail(B_NO_TRANSLATOR, "The image has a pixel format that cannot be shown.");
	BBitmap* bitmap = new BBitmap(BRect(0, 0, width - 1, height - 1), B_RGBA32);
	if (!bitmap->IsValid()) {
		delete bitmap;
		return Fail(B_NO_MEMORY, "The image is too large.");
	}
	const guchar* source = gdk_pixbuf_read_pixels(pixbuf);
	int stride = gdk_pixbuf_get_rowstride(pixbuf);
	uint8* target = static_cast<uint8*>(bitmap->Bits());
	for (int y = 0; y < height; y++) {
		const guchar* in = source + static_cast<size_t>(y) * stride;
		uint8* out = target + static_cast<size_t>(y) * bitmap->BytesPerRow();
		for (int x = 0; x < width; x++, in += channels, out += 4) {
			out[0] = in[2];
			out[1] = in[1];
			out[2] = in[0];
			out[3] = hasAlpha ? in[3] : 255;
		}
	}
	return Succeed(bitmap);
}

BBitmap* Decode(const void* data, size_t length)
{
	if (length == 0)
		return Fail(B_NO_TRANSLATOR, "The file is empty.");
	GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
	GError* error = nullptr;
	bool written = gdk_pixbuf_loader_write(loader, static_cast<const guchar*>(data), length, &error);
	// Closing is needed either way; its error only matters when writing
	// went well.
	bool closed = gdk_pixbuf_loader_close(loader, written ? &error : nullptr);
	BBitmap* bitmap = nullptr;
	GdkPixbuf* pixbuf = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
	if (pixbuf != nullptr) {
		bitmap = BitmapFromPixbuf(pixbuf);
	} else if (error != nullptr) {
		status_t status = StatusForPixbufError(error);
		Fail(status, status == B_NO_TRANSLATOR
			? "The file is not an image in a format that can be read."
			: std::string("The image cannot be read: ") + error->message);
	} else {
		Fail(B_ILLEGAL_DATA, "The image cannot be read.");
	}
	if (error != nullptr)
		g_error_free(error);
	g_object_unref(loader);
	return bitmap;
}

std::string FileErrorText(status_t error)
{
	switch (error) {
		case B_ENTRY_NOT_FOUND:
			return "The image file does not exist.";
		case B_PERMISSION_DENIED:
			return "The image file may not be read.";
		case B_IS_A_DIRECTORY:
			return "The image is a folder, not a file.";
		default:
			return std::string("The image file cannot be read: ") + status_text(error);
	}
}

} // namespace

BBitmap* BTranslationUtils::GetBitmap(const char* path)
{
	return GetBitmapFile(path);
}

BBitmap* BTranslationUtils::GetBitmapFile(const char* path)
{
	if (path == nullptr || path[0] == '\0')
		return Fail(B_BAD_VALUE, "No image file was named.");
	int fd = open(path, O_RDONLY | O_CLOEXEC);
	if (fd < 0) {
		status_t error = errno == ENOENT ? B_ENTRY_NOT_FOUND : status_for_errno(errno);
		return Fail(error, FileErrorText(error));
	}
	struct stat info;
	status_t error = B_OK;
	if (fstat(fd, &info) != 0)
		error = status_for_errno(errno);
	else if (S_ISDIR(info.st_mode))
		error = B_IS_A_DIRECTORY;
	else if (static_cast<uint64_t>(info.st_size) > kLargestImageFile)
		error = B_NO_MEMORY;
	std::string bytes;
	if (error == B_OK) {
		bytes.resize(info.st_size);
		size_t done = 0;
		while (done < bytes.size()) {
			ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
			if (got < 0 && errno == EINTR)
				continue;
			if (got <= 0) {
				error = got < 0 ? status_for_errno(errno) : B_IO_ERROR;
				break;
			}
			done += got;
		}
	}
	close(fd);
	if (error == B_NO_MEMORY)
		return Fail(error, "The image file is too large.");
	if (error != B_OK)
		return Fail(error, FileErrorText(error));
	return Decode(bytes.data(), bytes.size());
}

BBitmap* BTranslationUtils::GetBitmap(BPositionIO* stream)
{
	if (stream == nullptr)
		return Fail(B_BAD_VALUE, "No image was given.");
	std::string bytes;
	char buffer[64 * 1024];
	while (true) {
		ssize_t got = stream->Read(buffer, sizeof(buffer));
		if (got < 0)
			return Fail(static_cast<status_t>(got), FileErrorText(static_cast<status_t>(got)));
		if (got == 0)
			break;
		if (bytes.size() + got > kLargestImageFile)
			return Fail(B_NO_MEMORY, "The image file is too large.");
		bytes.append(buffer, got);
	}
	return Decode(bytes.data(), bytes.size());
}

BBitmap* BTranslationUtils::GetBitmap(const void* data, size_t length)
{
	if (data == nullptr && length > 0)
		return Fail(B_BAD_VALUE, "No image was given.");
	return Decode(data, length);
}

status_t BTranslationUtils::LastError()
{
	return sLastError;
}

const char* BTranslationUtils::LastErrorText()
{
	return sLastErrorText.c_str();
}
