// Pictures are drawn over their room in the text, wherever typing, a
// narrower window and scrolling move that room; the page's background picture is tiled
// behind the text and shows through the pictures' transparent parts.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <Bitmap.h>
#include <Entry.h>
#include <WindowTesting.h>

#include "PageTesting.h"
#include "TestPictures.h"
#include "Visual_Engine.h"
#include "WImage.h"

using PageTesting::PageTest;

namespace {

const rgb_color kRed = {255, 0, 0, 255};
const rgb_color kGreen = {0, 160, 0, 255};

class ImageDrawing : public PageTest {
protected:
	// The pictures of the page, in the order of the list.
	std::vector<WImage*> Images() const
	{
		BAutolock lock(VisualWindow());
		std::vector<WImage*> images;
		for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
			if (WImage* image = At<WImage>(i))
				images.push_back(image);
		}
		return images;
	}

	WImage* FirstImage() const
	{
		std::vector<WImage*> images = Images();
		return images.empty() ? nullptr : images.front();
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

// Typing keeps the measures of the pictures on lines it did not reach. After
// every edit of a random sequence (letters taken out, words put in, in
// front of the pictures, between them and on their lines, wrapping lines
// anew, some after a change of size; now and then a picture put in, taken
// out or moved elsewhere, which changes the pictures the engine keeps in
// order) each picture stands where measuring every one again puts it.
TEST_F(ImageDrawing, EveryPictureStandsWhereMeasuringItAgainPutsItAfterEachEdit)
{
	ASSERT_TRUE(WritePicture(fFolder / "red.png", 24, 16, kRed));
	std::string body;
	for (int paragraph = 0; paragraph < 12; paragraph++) {
		body += "<p>";
		for (int picture = 0; picture < 3; picture++)
			body += "some words " + std::to_string(paragraph) + " <img src=\"red.png\"> and more ";
		body += "</p>";
	}
	Open("<html><body>" + body + "</body></html>");
	BPrivate::PostUserResize(VisualWindow(), 260, VisualWindow()->Frame().Height());
	Idle();
	// Where the pictures from offset on stand.
	auto frames = [this](int32 from) {
		std::vector<BPoint> result;
		for (int32 child = 0; child < View()->CountChildren(); child++) {
			auto* image = dynamic_cast<WImage*>(View()->ChildAt(child));
			if (image != nullptr && image->ThisOffset() >= from)
				result.push_back(image->Frame().LeftTop());
		}
		return result;
	};
	// The first picture measuring again moved, as "picture: from -> to".
	// Line tops are sums kept apart until read, which may differ in the
	// last bit from one reading to the next.
	auto moved = [](const std::vector<BPoint>& before, const std::vector<BPoint>& after) {
		for (size_t i = 0; i < before.size(); i++) {
			if (std::fabs(before[i].x - after[i].x) > 0.01f
					|| std::fabs(before[i].y - after[i].y) > 0.01f) {
				return std::to_string(i) + ": " + std::to_string(before[i].x) + ","
					+ std::to_string(before[i].y) + " -> " + std::to_string(after[i].x) + ","
					+ std::to_string(after[i].y);
			}
		}
		return std::string();
	};
	entry_ref picture;
	ASSERT_EQ(get_ref_for_path((fFolder / "red.png").c_str(), &picture), B_OK);
	std::mt19937 random(24);
	const std::string pieces[] = {"x", "wider words ", "a much wider run of words "};
	BAutolock lock(VisualWindow());
	ASSERT_EQ(View()->CountChildren(), 36);
	// The narrower window placed the pictures shown; the others follow.
	fPage->Engine()->Place(0, 0);
	for (int step = 0; step < 150; step++) {
		std::string text = View()->Text();
		std::vector<int32> letters;
		for (size_t offset = 0; offset < text.size(); offset++) {
			if (std::isalpha(static_cast<unsigned char>(text[offset])))
				letters.push_back(static_cast<int32>(offset));
		}
		ASSERT_FALSE(letters.empty());
		// A change of size alone places nothing: the edit that follows
		// must not take the measures from before it.
		if (random() % 4 == 0) {
			int32 from = letters[random() % letters.size()];
			BFont font;
			font.SetSize(10 + random() % 12);
			View()->SetFontAndColor(from, from + 3, &font, B_FONT_SIZE);
		}
		int32 at = letters[random() % letters.size()];
		if (random() % 8 == 0) {
			std::vector<WImage*> images = Images();
			WImage* image = images[random() % images.size()];
			switch (random() % 3) {
				case 0:
					View()->Select(at, at);
					fPage->Engine()->Insert(tag_img, &picture, INSERT_PLAIN);
					break;
				case 1:
					at = image->ThisOffset();
					fPage->Engine()->Delete(image);
					break;
				default:
					// Its room goes at one place and comes in at the other.
					at = std::min<int32>(at, image->ThisOffset());
					fPage->Engine()->MoveBefore(at, image);
					break;
			}
		} else if (random() % 3 == 0) {
			View()->Delete(at, at + 1);
		} else {
			const std::string& piece = pieces[random() % 3];
			View()->Insert(at, piece.c_str(), static_cast<int32>(piece.size()));
		}
		// The edit is wrapped from the line before its own: the pictures
		// from there on follow it.
		int32 wrapped = View()->OffsetAt(std::max(View()->LineAt(at) - 1, 0));
		std::vector<BPoint> placed = frames(wrapped);
		fPage->Engine()->Place(0, 0);
		ASSERT_EQ(moved(placed, frames(wrapped)), "") << "after edit " << step << " at " << at;
	}
}
