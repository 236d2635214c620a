#include <Bitmap.h>

#include <cstdio>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <Message.h>
#include <interface_support/BitmapSurface.h>

#include "SurfacePixels.h"

using BPrivate::BitmapSurface;

namespace {

const uint8* PixelOf(const BBitmap& bitmap, int x, int y)
{
	return static_cast<const uint8*>(bitmap.Bits()) + y * bitmap.BytesPerRow() + x * 4;
}

std::string TemporaryPath(const char* name)
{
	return std::string(VELMORA_BINARY_DIR) + "/" + name;
}

} // namespace

TEST(BitmapLayout, SizeComesFromTheInclusiveBoundsAndStartsAtTheOrigin)
{
	BBitmap bitmap(BRect(10, 20, 13, 22), B_RGBA32);
	ASSERT_EQ(bitmap.InitCheck(), B_OK);
	EXPECT_EQ(bitmap.Bounds(), BRect(0, 0, 3, 2));
	EXPECT_EQ(bitmap.BytesPerRow(), 16);
	EXPECT_EQ(bitmap.BitsLength(), 48);
	EXPECT_EQ(bitmap.ColorSpace(), B_RGBA32);
	EXPECT_EQ(PixelOf(bitmap, 3, 2)[3], 0);  // starts transparent
	BBitmap copy(&bitmap);
	ASSERT_TRUE(copy.IsValid());
	EXPECT_EQ(memcmp(copy.Bits(), bitmap.Bits(), bitmap.BitsLength()), 0);
	EXPECT_NE(copy.Bits(), bitmap.Bits());
}

TEST(BitmapLayout, BadBoundsOrColourSpacesGiveAnInvalidBitmap)
{
	BBitmap inverted(BRect(5, 5, 4, 9), B_RGBA32);
	EXPECT_EQ(inverted.InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(inverted.Bits(), nullptr);
	EXPECT_EQ(inverted.BitsLength(), 0);
	BBitmap palette(BRect(0, 0, 3, 3), B_CMAP8);
	EXPECT_FALSE(palette.IsValid());
	BBitmap enormous(BRect(0, 0, 100000, 100000), B_RGBA32);
	EXPECT_EQ(enormous.InitCheck(), B_NO_MEMORY);
	BBitmap copy(&inverted);
	EXPECT_FALSE(copy.IsValid());
	inverted.SetBits("\1\2\3\4", 4, 0, B_RGBA32);  // does nothing
}

TEST(BitmapBits, SetBitsConvertsOtherColourSpacesToBlueGreenRedAlpha)
{
	BBitmap bitmap(BRect(0, 0, 2, 1), B_RGBA32);
	// Three pixels of B_RGB24 per row, padded from 9 to 12 bytes.
	const uint8 rgb24[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0};
	bitmap.SetBits(rgb24, sizeof(rgb24), 0, B_RGB24);
	EXPECT_EQ(PixelOf(bitmap, 1, 0)[0], 4);
	EXPECT_EQ(PixelOf(bitmap, 1, 0)[3], 255);
	EXPECT_EQ(PixelOf(bitmap, 0, 1)[0], 10);
	EXPECT_EQ(PixelOf(bitmap, 2, 1)[2], 18);

	const uint8 gray[] = {200};
	bitmap.SetBits(gray, 1, 4 * 4, B_GRAY8);  // the second pixel of row 1
	EXPECT_EQ(PixelOf(bitmap, 1, 1)[1], 200);
	EXPECT_EQ(PixelOf(bitmap, 0, 1)[0], 10);

	const uint8 rgb32[] = {1, 2, 3, 0};
	bitmap.SetBits(rgb32, 4, 0, B_RGB32);
	EXPECT_EQ(PixelOf(bitmap, 0, 0)[3], 255);

	// Bits beyond the end of the bitmap are left out.
	uint8 lots[64];
	memset(lots, 7, sizeof(lots));
	bitmap.SetBits(lots, sizeof(lots), 20, B_RGBA32);
	EXPECT_EQ(PixelOf(bitmap, 2, 1)[0], 7);
	EXPECT_EQ(PixelOf(bitmap, 1, 1)[0], 200);
	bitmap.SetBits(lots, sizeof(lots), 1000, B_RGBA32);
}

TEST(BitmapPNG, WrittenBitmapReadsBackWithItsAlpha)
{
	BBitmap bitmap(BRect(0, 0, 1, 0), B_RGBA32);
	const uint8 pixels[] = {50, 100, 200, 128, 1, 2, 3, 255};
	bitmap.SetBits(pixels, sizeof(pixels), 0, B_RGBA32);
	std::string path = TemporaryPath("bitmap-round-trip.png");
	ASSERT_EQ(BitmapSurface::WritePNG(&bitmap, path.c_str()), B_OK);

	Testing::SurfacePointer read(cairo_image_surface_create_from_png(path.c_str()));
	ASSERT_EQ(cairo_surface_status(read.get()), CAIRO_STATUS_SUCCESS);
	std::unique_ptr<BBitmap> back(BitmapSurface::ToBitmap(read.get()));
	ASSERT_NE(back, nullptr);
	const uint8* first = PixelOf(*back, 0, 0);
	EXPECT_NEAR(first[0], 50, 1);
	EXPECT_NEAR(first[1], 100, 1);
	EXPECT_NEAR(first[2], 200, 1);
	EXPECT_EQ(first[3], 128);
	EXPECT_EQ(memcmp(PixelOf(*back, 1, 0), pixels + 4, 4), 0);
	remove(path.c_str());
}

TEST(BitmapPNG, UnwritablePlacesAndInvalidInputsFail)
{
	BBitmap bitmap(BRect(0, 0, 1, 1), B_RGBA32);
	EXPECT_EQ(BitmapSurface::WritePNG(&bitmap, "/nonexistent-dir/x.png"), B_ERROR);
	EXPECT_EQ(BitmapSurface::WritePNG(static_cast<const BBitmap*>(nullptr), "x.png"), B_BAD_VALUE);
	EXPECT_EQ(BitmapSurface::WritePNG(static_cast<cairo_surface_t*>(nullptr), "x.png"), B_BAD_VALUE);
	EXPECT_EQ(BitmapSurface::ToBitmap(nullptr), nullptr);
}

// ---- Archives

namespace {

BBitmap* Sample()
{
	BBitmap* bitmap = new BBitmap(BRect(0, 0, 2, 1), B_RGBA32);
	uint8* bits = static_cast<uint8*>(bitmap->Bits());
	for (int32 i = 0; i < bitmap->BitsLength(); i++)
		bits[i] = static_cast<uint8>(i * 7 + 1);
	return bitmap;
}

// An archive as an older program wrote it, with padded rows.
BMessage ForeignArchive(color_space space, int32 width, int32 height, int32 rowBytes,
	const std::string& data)
{
	BMessage archive;
	archive.AddString("class", "BBitmap");
	archive.AddRect("_frame", BRect(0, 0, width - 1, height - 1));
	archive.AddInt32("_cspace", space);
	archive.AddInt32("_rowbytes", rowBytes);
	archive.AddData("_data", B_RAW_TYPE, data.data(), data.size());
	return archive;
}

} // namespace

TEST(BitmapArchive, SurvivesFlatteningInsideAnotherMessage)
{
	std::unique_ptr<BBitmap> original(Sample());
	BMessage archived;
	ASSERT_EQ(original->Archive(&archived), B_OK);
	// Resources keep an archived bitmap under "bitmap" of a sub-message.
	BMessage icon;
	icon.AddMessage("bitmap", &archived);
	BMessage resource;
	resource.AddMessage("VudavErrorIcon", &icon);
	std::string flat(resource.FlattenedSize(), '\0');
	ASSERT_EQ(resource.Flatten(flat.data(), flat.size()), B_OK);

	BMessage read;
	ASSERT_EQ(read.Unflatten(flat.data(), flat.size()), B_OK);
	BMessage readIcon, readBitmap;
	ASSERT_EQ(read.FindMessage("VudavErrorIcon", &readIcon), B_OK);
	ASSERT_EQ(readIcon.FindMessage("bitmap", &readBitmap), B_OK);
	std::unique_ptr<BBitmap> copy(BBitmap::Instantiate(&readBitmap));
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(copy->Bounds(), original->Bounds());
	EXPECT_EQ(copy->ColorSpace(), B_RGBA32);
	EXPECT_EQ(memcmp(copy->Bits(), original->Bits(), original->BitsLength()), 0);
}

TEST(BitmapArchive, PaddedRowsOfOtherColourSpacesAreConverted)
{
	// Two B_RGB24 pixels per row (6 bytes) padded to 8.
	std::string rows = std::string("\x01\x02\x03\x04\x05\x06\xEE\xEE", 8)
		+ std::string("\x07\x08\x09\x0A\x0B\x0C\xEE\xEE", 8);
	BMessage archive = ForeignArchive(B_RGB24, 2, 2, 8, rows);
	std::unique_ptr<BBitmap> bitmap(BBitmap::Instantiate(&archive));
	ASSERT_NE(bitmap, nullptr);
	EXPECT_EQ(bitmap->ColorSpace(), B_RGBA32);
	const uint8 expected[] = {1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255, 10, 11, 12, 255};
	EXPECT_EQ(memcmp(bitmap->Bits(), expected, sizeof(expected)), 0);
}

TEST(BitmapArchive, BrokenArchivesGiveNoBitmap)
{
	std::unique_ptr<BBitmap> original(Sample());
	BMessage good;
	original->Archive(&good);

	BMessage otherClass(good);
	otherClass.ReplaceString("class", "BView");
	EXPECT_EQ(BBitmap::Instantiate(&otherClass), nullptr);

	BMessage noPixels(good);
	noPixels.RemoveName("_data");
	EXPECT_EQ(BBitmap::Instantiate(&noPixels), nullptr);
	EXPECT_FALSE(BBitmap(&noPixels).IsValid());

	BMessage shortPixels = ForeignArchive(B_RGBA32, 3, 2, 12, std::string(20, 'x'));
	EXPECT_EQ(BBitmap::Instantiate(&shortPixels), nullptr);

	BMessage palette = ForeignArchive(B_CMAP8, 4, 4, 4, std::string(16, 'x'));
	EXPECT_EQ(BBitmap::Instantiate(&palette), nullptr);

	BMessage enormous = ForeignArchive(B_RGBA32, 1 << 20, 1 << 20, 4 << 20, "tiny");
	EXPECT_EQ(BBitmap::Instantiate(&enormous), nullptr);

	EXPECT_EQ(BBitmap::Instantiate(nullptr), nullptr);
	EXPECT_EQ(original->Archive(nullptr), B_BAD_VALUE);
	BBitmap invalid(BRect(0, 0, -1, -1), B_RGBA32);
	BMessage unused;
	EXPECT_NE(invalid.Archive(&unused), B_OK);
}
