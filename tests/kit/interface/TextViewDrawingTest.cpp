// What a text view puts on the window: runs in their colours, the
// selection's highlight, the blinking caret, and how little it redraws
// after an edit.

#include "TextViewTestSupport.h"

#include <mutex>

#include <Bitmap.h>
#include <Region.h>
#include <WindowTesting.h>

using namespace TextViewTests;
using WindowTests::PixelOf;

namespace {

// Remembers the rectangles it was asked to draw.
class UpdateRecordingView : public BTextView {
public:
	UpdateRecordingView()
		: BTextView(BRect(0, 0, 299, 199), "text", BRect(4, 4, 295, 1000), B_FOLLOW_NONE,
			B_WILL_DRAW) {}

	void Draw(BRect updateRect) override
	{
		updates.Include(updateRect);
		BTextView::Draw(updateRect);
	}

	BRegion updates;
};

bool IsReddish(rgb_color color)
{
	return color.red > 150 && color.green < 110 && color.blue < 110;
}

bool IsBluish(rgb_color color)
{
	return color.blue > 150 && color.red < 110 && color.green < 110;
}

class TextViewDrawing : public TextViewWindowTest {
protected:
	void SetUp() override
	{
		fRecording = new UpdateRecordingView();
		Open(fRecording, false, BRect(100, 100, 399, 299));
		Locked lock(fWindow);
		fWindow->SetPulseRate(0);
	}

	// Pixels of the window within a view rectangle.
	template <typename Test>
	int CountPixels(BRect viewRect, Test test)
	{
		Idle();
		std::unique_ptr<BBitmap> snapshot(BPrivate::WindowSnapshot(fWindow));
		int count = 0;
		BRect inWindow;
		{
			Locked lock(fWindow);
			inWindow = fWindow->ConvertFromScreen(fView->ConvertToScreen(viewRect));
		}
		for (int y = static_cast<int>(inWindow.top); y <= static_cast<int>(inWindow.bottom); y++) {
			for (int x = static_cast<int>(inWindow.left); x <= static_cast<int>(inWindow.right);
					x++) {
				if (test(PixelOf(snapshot.get(), x, y)))
					count++;
			}
		}
		return count;
	}

	BRect CharFrame(int32 offset)
	{
		Locked lock(fWindow);
		float height = 0;
		BPoint left = fView->PointAt(offset, &height);
		BPoint right = fView->PointAt(offset + 1);
		return BRect(left.x, left.y, right.x - 1, left.y + height - 1);
	}

	BRegion Updates()
	{
		Idle();
		Locked lock(fWindow);
		return fRecording->updates;
	}

	void ForgetUpdates()
	{
		Idle();
		Locked lock(fWindow);
		fRecording->updates.MakeEmpty();
	}

	UpdateRecordingView* fRecording = nullptr;
};

TEST_F(TextViewDrawing, RunsAreDrawnInTheirColours)
{
	{
		Locked lock(fWindow);
		fView->SetText("RED BLUE");
		BFont big = SizedFont(24, B_BOLD_FACE);
		rgb_color red = make_color(220, 0, 0);
		rgb_color blue = make_color(0, 0, 220);
		fView->SetFontAndColor(0, 3, &big, B_FONT_ALL, &red);
		fView->SetFontAndColor(4, 8, &big, B_FONT_ALL, &blue);
		fView->Select(8, 8);
	}
	EXPECT_GT(CountPixels(CharFrame(1), IsReddish), 10);
	EXPECT_EQ(CountPixels(CharFrame(1), IsBluish), 0);
	EXPECT_GT(CountPixels(CharFrame(5), IsBluish), 10);
	EXPECT_EQ(CountPixels(CharFrame(5), IsReddish), 0);
}

TEST_F(TextViewDrawing, TheSelectionIsHighlightedBehindTheText)
{
	auto highlighted = [](rgb_color color) { return color == make_color(176, 204, 240); };
	{
		Locked lock(fWindow);
		fView->SetText("select some of this");
	}
	EXPECT_EQ(CountPixels(CharFrame(8), highlighted), 0);
	{
		Locked lock(fWindow);
		fView->Select(7, 11);
	}
	BRect frame = CharFrame(8);
	EXPECT_GT(CountPixels(frame, highlighted), frame.Width() * frame.Height() / 3);
	EXPECT_EQ(CountPixels(CharFrame(3), highlighted), 0);
	EXPECT_EQ(CountPixels(CharFrame(12), highlighted), 0);
}

TEST_F(TextViewDrawing, TheCaretBlinksWithThePulse)
{
	BRect caret;
	{
		Locked lock(fWindow);
		fView->SetText("caret");
		fView->Select(2, 2);
		caret = BRect(fView->PointAt(2), fView->PointAt(2) + BPoint(0, 8));
	}
	auto dark = [](rgb_color color) { return color.red < 60 && color.green < 60; };
	int shown = CountPixels(caret, dark);
	{
		Locked lock(fWindow);
		fView->Pulse();
	}
	int hidden = CountPixels(caret, dark);
	{
		Locked lock(fWindow);
		fView->Pulse();
	}
	EXPECT_GE(shown, 8);
	EXPECT_LT(hidden, shown);
	EXPECT_EQ(CountPixels(caret, dark), shown);
}

TEST_F(TextViewDrawing, TheNonBreakingSpaceIsDrawnAsASpace)
{
	{
		Locked lock(fWindow);
		fView->SetText("a\x0F" "b a b");
		EXPECT_FLOAT_EQ(fView->PointAt(3).x - fView->PointAt(0).x,
			fView->PointAt(7).x - fView->PointAt(4).x);
		fView->Select(7, 7);
	}
	auto ink = [](rgb_color color) { return color.red < 200; };
	EXPECT_EQ(CountPixels(CharFrame(1), ink), 0);
}

TEST_F(TextViewDrawing, TypingRedrawsOnlyTheLineItChanges)
{
	std::string text;
	for (int i = 0; i < 12; i++)
		text += "line " + std::to_string(i) + "\n";
	BRect fifth;
	{
		Locked lock(fWindow);
		fView->SetText(text.c_str());
		int32 offset = fView->OffsetAt(5) + 2;
		fView->Select(offset, offset);
		fifth = BRect(0, fView->PointAt(fView->OffsetAt(5)).y, 299,
			fView->PointAt(fView->OffsetAt(6)).y - 1);
	}
	ForgetUpdates();
	Type("x");
	BRegion updates = Updates();
	ASSERT_GT(updates.CountRects(), 0);
	EXPECT_GE(updates.Frame().top, fifth.top);
	EXPECT_LE(updates.Frame().bottom, fifth.bottom);
}

TEST_F(TextViewDrawing, ANewLineRedrawsFromItsLineDown)
{
	std::string text;
	for (int i = 0; i < 12; i++)
		text += "line " + std::to_string(i) + "\n";
	float fifthTop = 0;
	{
		Locked lock(fWindow);
		fView->SetText(text.c_str());
		int32 offset = fView->OffsetAt(5) + 2;
		fView->Select(offset, offset);
		fifthTop = fView->PointAt(offset).y;
	}
	ForgetUpdates();
	Type("\n");
	BRegion updates = Updates();
	EXPECT_GE(updates.Frame().top, fifthTop);
	EXPECT_FLOAT_EQ(updates.Frame().bottom, 199);
}

TEST_F(TextViewDrawing, ASelectionChangeRedrawsTheLinesBetweenItsEnds)
{
	std::string text;
	for (int i = 0; i < 12; i++)
		text += "line " + std::to_string(i) + "\n";
	float top = 0;
	float bottom = 0;
	{
		Locked lock(fWindow);
		fView->SetText(text.c_str());
		fView->Select(fView->OffsetAt(3), fView->OffsetAt(4));
		top = fView->PointAt(fView->OffsetAt(4)).y;
		bottom = fView->PointAt(fView->OffsetAt(7)).y - 1;
	}
	ForgetUpdates();
	{
		Locked lock(fWindow);
		fView->Select(fView->OffsetAt(3), fView->OffsetAt(6) + 1);
	}
	BRegion updates = Updates();
	EXPECT_GE(updates.Frame().top, top);
	EXPECT_LE(updates.Frame().bottom, bottom);
}

TEST_F(TextViewDrawing, TheViewBitmapShowsBetweenTheLetters)
{
	BBitmap tile(BRect(0, 0, 7, 7), B_RGBA32);
	uint8* bits = static_cast<uint8*>(tile.Bits());
	for (int32 i = 0; i < 64; i++) {
		bits[i * 4] = 40;      // blue
		bits[i * 4 + 1] = 200; // green
		bits[i * 4 + 2] = 40;  // red
		bits[i * 4 + 3] = 255;
	}
	{
		Locked lock(fWindow);
		fView->SetText("on a picture");
		fView->SetViewBitmap(&tile);
		fView->Select(12, 12);
	}
	auto green = [](rgb_color color) { return color == make_color(40, 200, 40); };
	auto any = [](rgb_color) { return true; };
	EXPECT_EQ(CountPixels(CharFrame(2), green), CountPixels(CharFrame(2), any));
	EXPECT_LT(CountPixels(CharFrame(0), green), CountPixels(CharFrame(0), any) * 9 / 10);
}

TEST_F(TextViewDrawing, HighlightInvertsARangeUntilCalledAgain)
{
	{
		Locked lock(fWindow);
		fView->SetText("invert me");
	}
	auto white = [](rgb_color color) { return color == make_color(255, 255, 255); };
	BRect frame = CharFrame(7);
	int before = CountPixels(frame, white);
	{
		Locked lock(fWindow);
		fView->Highlight(7, 9);
	}
	EXPECT_LT(CountPixels(frame, white), before / 4);
	{
		Locked lock(fWindow);
		fView->Highlight(7, 9);
	}
	EXPECT_EQ(CountPixels(frame, white), before);
}

// A hidden view wraps its lines only when they are asked for or drawn.
class HiddenTextView : public TextViewWindowTest {
protected:
	void SetUp() override { Open(new LoggingTextView(BRect(0, 0, 199, 149)), true); }
};

TEST_F(HiddenTextView, EditsWhileHiddenAreExactWhenAskedAndMeasuredOnceShown)
{
	{
		Locked lock(fWindow);
		fView->Hide();
		for (int i = 0; i < 80; i++) {
			std::string row = "row " + std::to_string(i) + "\n";
			fView->Insert(fView->TextLength(), row.c_str(), static_cast<int32>(row.size()));
		}
		EXPECT_EQ(fView->CountLines(), 81);
		EXPECT_EQ(fView->OffsetAt(10), 60);
		fView->Insert(0, "first\n", 6);
		fView->Delete(6, 12);
		fView->Show();
	}
	Idle();
	Locked lock(fWindow);
	EXPECT_EQ(fView->CountLines(), 81);
	EXPECT_EQ(fView->LineAt(fView->TextLength()), 80);
	float min = 0;
	float max = 0;
	fScrollView->ScrollBar(B_VERTICAL)->GetRange(&min, &max);
	float hidden = fView->TextHeight(0, fView->CountLines() - 1) - fView->Bounds().Height();
	EXPECT_NEAR(max, hidden, 20) << "the bar covers the text laid out while the view was hidden";
}

} // namespace
