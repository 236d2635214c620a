#include <Bitmap.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <Message.h>
#include <interface_support/BitmapSurface.h>


using BPrivate::BitmapSurface;

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
