// What styled text cannot show is drawn over it: underlines and
// strike-through lines in the colour of their text, line by line, never
// under an element's room, and again whenever a line is drawn anew.

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <Bitmap.h>
#include <WindowTesting.h>

#include "PageTesting.h"

using PageTesting::PageTest;

namespace {

const rgb_color kBlack = {0, 0, 0, 255};
const rgb_color kWhite = {255, 255, 255, 255};
const rgb_color kBlue = {0, 0, 255, 255};
const rgb_color kRed = {255, 0, 0, 255};

class DecorationDrawing : public PageTest {
protected:
	std::unique_ptr<BBitmap> Shot()
	{
		BPrivate::WaitForWindowIdle(VisualWindow());
		return std::unique_ptr<BBitmap>(BPrivate::WindowSnapshot(VisualWindow()));
	}

	static rgb_color PixelAt(const BBitmap* shot, float x, float y)
	{
		const uint8* pixel = static_cast<const uint8*>(shot->Bits())
			+ int32(y) * shot->BytesPerRow() + int32(x) * 4;
		return rgb_color{pixel[2], pixel[1], pixel[0], 255};
	}

	static rgb_color PixelAt(const BBitmap* shot, BPoint point)
	{
		return PixelAt(shot, point.x, point.y);
	}

	// In window coordinates, halfway across the character at offset: on
	// its line's underline, or on the strike-through line of its font.
	BPoint LinePoint(int32 offset, bool strike)
	{
		BAutolock lock(VisualWindow());
		float height = 0;
		BPoint top = View()->PointAt(offset, &height);
		float x = (top.x + View()->PointAt(offset + 1).x) / 2;
		float y = std::round(top.y + height * 0.8333333f);
		if (strike) {
			BFont font;
			View()->GetFontAndColor(offset, &font);
			font_height metrics;
			font.GetHeight(&metrics);
			y = std::round(y - (metrics.ascent / 3 + 1));
		}
		return VisualWindow()->ConvertFromScreen(View()->ConvertToScreen(BPoint(x, y)));
	}

	int32 OffsetOf(const std::string& text)
	{
		return static_cast<int32>(VisualText().find(text));
	}
};

struct LineCase {
	const char* situation;
	const char* body;
	const char* decorated;	// a word with the line
	const char* plain;		// a word without an underline; null for none
	bool strike;
	rgb_color color;
};

const LineCase kLineCases[] = {
	{"a link is underlined in the colour of links",
		"<body link=\"#0000FF\"><a href=\"x\">link</a> after</body>", "link", "after", false,
		kBlue},
	{"a coloured run's underline takes its colour",
		"<body><u><font color=\"#FF0000\">red</font> black</u> after</body>", "red", "after",
		false, kRed},
	{"STRIKE strikes through", "<body>a <strike>struck</strike> b</body>", "struck", nullptr,
		true, kBlack},
};

} // namespace

TEST_F(DecorationDrawing, UnderlinesAndStrikeLinesTakeTheColourOfTheirText)
{
	for (const LineCase& row : kLineCases) {
		Open(std::string("<html>") + row.body + "</html>");
		int32 decorated = OffsetOf(row.decorated) + 1;
		std::unique_ptr<BBitmap> shot = Shot();
		ASSERT_NE(shot, nullptr);
		EXPECT_EQ(PixelAt(shot.get(), LinePoint(decorated, row.strike)), row.color)
			<< row.situation;
		if (row.plain != nullptr) {
			EXPECT_EQ(PixelAt(shot.get(), LinePoint(OffsetOf(row.plain) + 1, false)), kWhite)
				<< row.situation;
		}
	}
}

// Typed into, and split by a paragraph, an underlined text that runs over
// several lines is underlined under every character of it, the typed ones
// too, and under none of the paragraph's room.
TEST_F(DecorationDrawing, AnUnderlineFollowsItsTextOverLinesAndRoomsAsItIsTyped)
{
	std::string words;
	for (int i = 0; i < 60; i++)
		words += "under" + std::to_string(i) + " ";
	Open("<html><body><u>" + words + "</u>after</body></html>");
	Select(OffsetOf("under30"), OffsetOf("under30"));
	BPrivate::PostKey(VisualWindow(), "\n", B_SHIFT_KEY);
	BPrivate::TypeText(VisualWindow(), "typed");
	// The keys are typed before the caret is put elsewhere.
	ASSERT_EQ(BPrivate::WaitForWindowIdle(VisualWindow()), B_OK);
	Select(OffsetOf("under2 ") + 3, OffsetOf("under2 ") + 3);
	BPrivate::TypeText(VisualWindow(), "xyz");
	ASSERT_EQ(BPrivate::WaitForWindowIdle(VisualWindow()), B_OK);
	Settle();
	std::unique_ptr<BBitmap> shot = Shot();
	ASSERT_NE(shot, nullptr);
	std::vector<int32> underlined = {OffsetOf("xyz") + 1, OffsetOf("typed") + 2};
	int32 room = OffsetOf("typed") - 1;
	{
		BAutolock lock(VisualWindow());
		ASSERT_GT(List()->InNullCharactersAt(room), 0) << "the paragraph's room";
		int32 end = OffsetOf("after");
		ASSERT_GT(View()->LineAt(end), View()->LineAt(0) + 3) << "the text runs over lines";
		for (int32 line = View()->LineAt(OffsetOf("under0")); line <= View()->LineAt(end);
				line++) {
			int32 first = View()->OffsetAt(line);
			while (List()->InNullCharactersAt(first) > 0 || View()->ByteAt(first) == '\n')
				first++;
			if (first < end)
				underlined.push_back(first);
		}
	}
	for (int32 offset : underlined)
		EXPECT_EQ(PixelAt(shot.get(), LinePoint(offset, false)), kBlack) << "offset " << offset;
	EXPECT_EQ(PixelAt(shot.get(), LinePoint(room, false)), kWhite) << "the room";
	EXPECT_EQ(PixelAt(shot.get(), LinePoint(OffsetOf("after") + 1, false)), kWhite);
}
