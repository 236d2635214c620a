// Pictures are drawn over their room in the text, wherever typing, a
// narrower window and scrolling move that room; the page's background picture is tiled
// behind the text and shows through the pictures' transparent parts.

#include <memory>
#include <string>

#include <Bitmap.h>
#include <WindowTesting.h>

#include "PageTesting.h"
#include "TestPictures.h"
#include "WImage.h"

using PageTesting::PageTest;

namespace {

const rgb_color kRed = {255, 0, 0, 255};
const rgb_color kGreen = {0, 160, 0, 255};

class ImageDrawing : public PageTest {
protected:
	WImage* FirstImage() const
	{
		BAutolock lock(VisualWindow());
		for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
			if (WImage* image = At<WImage>(i))
				return image;
		}
		return nullptr;
	}

	void Idle()
	{
		ASSERT_EQ(BPrivate::WaitForWindowIdle(VisualWindow()), B_OK);
		Settle();
		ASSERT_EQ(BPrivate::WaitForWindowIdle(VisualWindow()), B_OK);
	}

	std::unique_ptr<BBitmap> Shot()
	{
		Idle();
		return std::unique_ptr<BBitmap>(BPrivate::WindowSnapshot(VisualWindow()));
	}

	static rgb_color PixelAt(const BBitmap* shot, BPoint point)
	{
		const uint8* pixel = static_cast<const uint8*>(shot->Bits())
			+ int32(point.y) * shot->BytesPerRow() + int32(point.x) * 4;
		return rgb_color{pixel[2], pixel[1], pixel[0], 255};
	}

	// The middle of the picture, in the window's coordinates.
	BPoint Middle(WImage* image)
	{
		BAutolock lock(VisualWindow());
		BRect bounds = image->Bounds();
		BPoint middle((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
		return VisualWindow()->ConvertFromScreen(image->ConvertToScreen(middle));
	}

	// The picture lies across its room, on the line the room starts (or,
	// when the room wraps, the line it ends on), and is drawn there.
	void ExpectOverItsRoom(WImage* image, const char* situation)
	{
		SCOPED_TRACE(situation);
		{
			BAutolock lock(VisualWindow());
			Element_List_Item item = image->ElementListItem();
			int32 start = item.offset + item.spaceFrom;
			int32 end = item.offset + item.spaceTo;
			if (View()->LineAt(start) < View()->LineAt(end))
				start = View()->OffsetAt(View()->LineAt(end));
			float lineHeight = 0;
			BPoint top = View()->PointAt(start, &lineHeight);
			BRect room(top.x, top.y, View()->PointAt(end).x, top.y + lineHeight);
			room.OffsetBy(0, -View()->Bounds().top);
			BRect frame = image->Frame();
			EXPECT_GE(frame.left, room.left - 1);
			EXPECT_LE(frame.right, room.right + 1);
			EXPECT_GE(frame.top, room.top - 1);
			EXPECT_LE(frame.bottom, room.bottom + 1);
		}
		std::unique_ptr<BBitmap> shot = Shot();
		ASSERT_NE(shot, nullptr);
		EXPECT_EQ(PixelAt(shot.get(), Middle(image)), kRed);
	}
};

} // namespace

TEST_F(ImageDrawing, APictureIsDrawnOverItsRoomWhereverTheTextMovesIt)
{
	ASSERT_TRUE(WritePicture(fFolder / "red.png", 24, 16, kRed));
	std::string words;
	std::string lines;
	for (int i = 0; i < 30; i++) {
		words += i < 12 ? "word " : "";
		lines += "<p>line " + std::to_string(i) + "</p>";
	}
	Open("<html><body><p>" + words + "<img src=\"red.png\"> tail</p>" + lines
		+ "</body></html>");
	WImage* image = FirstImage();
	ASSERT_NE(image, nullptr);
	ASSERT_TRUE(image->IsLoaded());
	EXPECT_EQ(image->WBounds(), BRect(0, 0, 23, 15));
	ExpectOverItsRoom(image, "as read");

	BPoint before = image->WFrame().LeftTop();
	int32 first = static_cast<int32>(VisualText().find("word"));
	Select(first, first);
	BPrivate::TypeText(VisualWindow(), "more ");
	Idle();
	ASSERT_EQ(VisualText().substr(first, 5), "more ");
	EXPECT_NE(image->WFrame().LeftTop(), before) << "typing before it moves it";
	ExpectOverItsRoom(image, "after typing before it");

	BRect frame = VisualWindow()->Frame();
	BPrivate::PostUserResize(VisualWindow(), 220, frame.Height());
	Idle();
	ExpectOverItsRoom(image, "after the window became narrower");

	BPoint shown = image->WFrame().LeftTop();
	{
		BAutolock lock(VisualWindow());
		View()->ScrollBy(0, 20);
	}
	Idle();
	EXPECT_LT(image->WFrame().top, shown.y) << "the text scrolled";
	ExpectOverItsRoom(image, "after scrolling");
}

TEST_F(ImageDrawing, TheBackgroundPictureIsTiledBehindTheTextAndThePictures)
{
	ASSERT_TRUE(WritePicture(fFolder / "tile.png", 8, 8, kGreen));
	ASSERT_TRUE(WritePicture(fFolder / "clear.png", 30, 30, {255, 255, 255, 0}));
	Open("<html><body background=\"tile.png\">text <img src=\"clear.png\"></body></html>");
	EXPECT_STREQ(fPage->Background(), "tile.png");
	std::unique_ptr<BBitmap> shot = Shot();
	BRect area;
	{
		BAutolock lock(VisualWindow());
		BRect bounds = View()->Bounds();
		area = VisualWindow()->ConvertFromScreen(View()->ConvertToScreen(bounds));
	}
	for (BPoint point : {BPoint(area.right - 20, area.bottom - 20),
			BPoint(area.left + 100, area.bottom - 40), BPoint(area.right - 60, area.top + 40)})
		EXPECT_EQ(PixelAt(shot.get(), point), kGreen) << point.x << "," << point.y;
	WImage* clear = FirstImage();
	ASSERT_NE(clear, nullptr);
	EXPECT_EQ(PixelAt(shot.get(), Middle(clear)), kGreen) << "a clear picture shows the page";
}
