#include <TranslationUtils.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <Bitmap.h>
#include <DataIO.h>

namespace {

struct Rgba {
	uint8 red, green, blue, alpha;
};

// A 2 x 2 GIF with a four-colour palette: red, green / blue, and a
// transparent pixel (palette index 3).
const uint8 kTinyGif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00, 0xF1,
	0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x21,
	0xF9, 0x04, 0x01, 0x00, 0x00, 0x03, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x02,
	0x00, 0x00, 0x02, 0x04, 0x04, 0x43, 0x71, 0x05, 0x00, 0x3B};

// Encodes pixels (rows of width) with gdk-pixbuf's own writers.
std::string Encode(const char* format, int width, int height, const std::vector<Rgba>& pixels,
	bool alpha)
{
	GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, alpha, 8, width, height);
	guchar* data = gdk_pixbuf_get_pixels(pixbuf);
	int stride = gdk_pixbuf_get_rowstride(pixbuf);
	int channels = alpha ? 4 : 3;
	for (int y = 0; y < height; y++) {
		for (int x = 0; x < width; x++) {
			const Rgba& pixel = pixels[y * width + x];
			guchar* out = data + y * stride + x * channels;
			out[0] = pixel.red;
			out[1] = pixel.green;
			out[2] = pixel.blue;
			if (alpha)
				out[3] = pixel.alpha;
		}
	}
	gchar* buffer = nullptr;
	gsize size = 0;
	gboolean saved = strcmp(format, "jpeg") == 0
		? gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, format, nullptr, "quality", "100", nullptr)
		: gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, format, nullptr, nullptr);
	EXPECT_TRUE(saved);
	std::string bytes(buffer, size);
	g_free(buffer);
	g_object_unref(pixbuf);
	return bytes;
}

Rgba PixelOf(const BBitmap& bitmap, int x, int y)
{
	const uint8* pixel = static_cast<const uint8*>(bitmap.Bits()) + y * bitmap.BytesPerRow() + x * 4;
	return Rgba{pixel[2], pixel[1], pixel[0], pixel[3]};
}

void ExpectPixel(const BBitmap& bitmap, int x, int y, Rgba expected, int tolerance = 0)
{
	Rgba got = PixelOf(bitmap, x, y);
	EXPECT_NEAR(got.red, expected.red, tolerance) << "at " << x << "," << y;
	EXPECT_NEAR(got.green, expected.green, tolerance) << "at " << x << "," << y;
	EXPECT_NEAR(got.blue, expected.blue, tolerance) << "at " << x << "," << y;
	EXPECT_EQ(got.alpha, expected.alpha) << "at " << x << "," << y;
}

class TranslationFiles : public testing::Test {
protected:
	std::string Write(const char* name, const std::string& bytes)
	{
		std::string path = std::string(VELMORA_BINARY_DIR) + "/translation-" + name;
		std::ofstream(path, std::ios::binary) << bytes;
		fPaths.push_back(path);
		return path;
	}

	~TranslationFiles() override
	{
		for (const std::string& path : fPaths) {
			chmod(path.c_str(), 0600);
			remove(path.c_str());
		}
	}

	std::vector<std::string> fPaths;
};

std::string SmallPng()
{
	return Encode("png", 3, 2, {{255, 0, 0, 255}, {0, 255, 0, 128}, {0, 0, 255, 0},
		{10, 20, 30, 255}, {200, 100, 50, 64}, {255, 255, 255, 255}}, true);
}

} // namespace

TEST(ImageDecoding, EachFormatGivesItsColoursAndUnpremultipliedAlpha)
{
	std::string png = SmallPng();
	std::unique_ptr<BBitmap> bitmap(BTranslationUtils::GetBitmap(png.data(), png.size()));
	ASSERT_NE(bitmap, nullptr) << BTranslationUtils::LastErrorText();
	EXPECT_EQ(BTranslationUtils::LastError(), B_OK);
	EXPECT_EQ(bitmap->ColorSpace(), B_RGBA32);
	EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, 2, 1));
	ExpectPixel(*bitmap, 0, 0, {255, 0, 0, 255});
	ExpectPixel(*bitmap, 1, 0, {0, 255, 0, 128});
	ExpectPixel(*bitmap, 0, 1, {10, 20, 30, 255});
	ExpectPixel(*bitmap, 1, 1, {200, 100, 50, 64});
	EXPECT_EQ(PixelOf(*bitmap, 2, 0).alpha, 0);

	std::vector<Rgba> pixels;
	for (int y = 0; y < 16; y++) {
		for (int x = 0; x < 16; x++)
			pixels.push_back(x < 8 ? Rgba{230, 20, 20, 255} : Rgba{20, 20, 230, 255});
	}
	std::string jpeg = Encode("jpeg", 16, 16, pixels, false);
	bitmap.reset(BTranslationUtils::GetBitmap(jpeg.data(), jpeg.size()));
	ASSERT_NE(bitmap, nullptr) << BTranslationUtils::LastErrorText();
	EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, 15, 15));
	ExpectPixel(*bitmap, 2, 8, {230, 20, 20, 255}, 12);
	ExpectPixel(*bitmap, 13, 8, {20, 20, 230, 255}, 12);

	bitmap.reset(BTranslationUtils::GetBitmap(kTinyGif, sizeof(kTinyGif)));
	ASSERT_NE(bitmap, nullptr) << BTranslationUtils::LastErrorText();
	ExpectPixel(*bitmap, 0, 0, {255, 0, 0, 255});
	ExpectPixel(*bitmap, 1, 0, {0, 255, 0, 255});
	ExpectPixel(*bitmap, 0, 1, {0, 0, 255, 255});
	EXPECT_EQ(PixelOf(*bitmap, 1, 1).alpha, 0);
}

TEST_F(TranslationFiles, FileByPathAndFromAStream)
{
	std::string png = SmallPng();
	std::string path = Write("small.png", png);
	std::unique_ptr<BBitmap> byPath(BTranslationUtils::GetBitmap(path.c_str()));
	ASSERT_NE(byPath, nullptr) << BTranslationUtils::LastErrorText();
	ExpectPixel(*byPath, 1, 1, {200, 100, 50, 64});
	EXPECT_NE(std::unique_ptr<BBitmap>(BTranslationUtils::GetBitmapFile(path.c_str())), nullptr);

	// A stream is read from its position on.
	std::string prefixed = "junk" + png;
	BMemoryIO stream(prefixed.data(), prefixed.size());
	stream.Seek(4, SEEK_SET);
	std::unique_ptr<BBitmap> fromStream(BTranslationUtils::GetBitmap(&stream));
	ASSERT_NE(fromStream, nullptr) << BTranslationUtils::LastErrorText();
	ExpectPixel(*fromStream, 0, 0, {255, 0, 0, 255});
}

TEST_F(TranslationFiles, MissingFileOrFolderGivesNullAndSaysWhy)
{
	EXPECT_EQ(BTranslationUtils::GetBitmap("/nonexistent/picture.gif"), nullptr);
	EXPECT_EQ(BTranslationUtils::LastError(), B_ENTRY_NOT_FOUND);
	EXPECT_STRNE(BTranslationUtils::LastErrorText(), "");

	EXPECT_EQ(BTranslationUtils::GetBitmap(VELMORA_BINARY_DIR), nullptr);
	EXPECT_EQ(BTranslationUtils::LastError(), B_IS_A_DIRECTORY);

	EXPECT_EQ(BTranslationUtils::GetBitmap(static_cast<const char*>(nullptr)), nullptr);
	EXPECT_EQ(BTranslationUtils::LastError(), B_BAD_VALUE);
	EXPECT_EQ(BTranslationUtils::GetBitmap(static_cast<BPositionIO*>(nullptr)), nullptr);
	EXPECT_EQ(BTranslationUtils::LastError(), B_BAD_VALUE);
}

TEST_F(TranslationFiles, UnreadableFileGivesPermissionDenied)
{
	if (geteuid() == 0)
		GTEST_SKIP() << "root reads every file";
	std::string path = Write("locked.png", SmallPng());
	chmod(path.c_str(), 0);
	EXPECT_EQ(BTranslationUtils::GetBitmap(path.c_str()), nullptr);
	EXPECT_EQ(BTranslationUtils::LastError(), B_PERMISSION_DENIED);
}

TEST_F(TranslationFiles, BrokenImagesGiveNullWithAReasonThatTheNextGoodImageClears)
{
	const struct {
		const char* name;
		std::string bytes;
		status_t error;
	} rows[] = {{"empty", "", B_NO_TRANSLATOR},
		{"text", "<html>not a picture</html>", B_NO_TRANSLATOR},
		{"truncatedPng", SmallPng().substr(0, 40), B_ILLEGAL_DATA},
		{"truncatedGif", std::string(reinterpret_cast<const char*>(kTinyGif), 30), B_ILLEGAL_DATA},
		{"pngHeaderThenGarbage", SmallPng().substr(0, 16) + std::string(200, '\x5A'),
			B_ILLEGAL_DATA}};
	for (const auto& row : rows) {
		SCOPED_TRACE(row.name);
		std::string path = Write(row.name, row.bytes);
		EXPECT_EQ(BTranslationUtils::GetBitmap(path.c_str()), nullptr);
		EXPECT_EQ(BTranslationUtils::LastError(), row.error) << BTranslationUtils::LastErrorText();
		EXPECT_STRNE(BTranslationUtils::LastErrorText(), "");
		EXPECT_EQ(BTranslationUtils::GetBitmap(row.bytes.data(), row.bytes.size()), nullptr);
		EXPECT_EQ(BTranslationUtils::LastError(), row.error);
		std::unique_ptr<BBitmap> good(BTranslationUtils::GetBitmap(kTinyGif, sizeof(kTinyGif)));
		EXPECT_NE(good, nullptr);
		EXPECT_EQ(BTranslationUtils::LastError(), B_OK);
		EXPECT_STREQ(BTranslationUtils::LastErrorText(), "");
	}
}

TEST(ImageDecoding, ReasonsAreKeptPerThread)
{
	EXPECT_EQ(BTranslationUtils::GetBitmap("/nonexistent/a.png"), nullptr);
	std::thread other([] {
		std::unique_ptr<BBitmap> good(BTranslationUtils::GetBitmap(kTinyGif, sizeof(kTinyGif)));
		EXPECT_EQ(BTranslationUtils::LastError(), B_OK);
	});
	other.join();
	EXPECT_EQ(BTranslationUtils::LastError(), B_ENTRY_NOT_FOUND);
}
