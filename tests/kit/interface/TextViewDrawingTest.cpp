// What a text view puts on the window: runs in their colours, an inverted
// range, and how little it redraws after an edit.

#include "TextViewTestSupport.h"

#include <functional>

#include <Bitmap.h>
#include <Region.h>
#include <WindowTesting.h>

using namespace TextViewTests;
using WindowTests::PixelOf;
using WindowTests::WithLock;

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
		WithLock(fWindow, [&] { fWindow->SetPulseRate(0); });
	}

	// Pixels of the window within a view rectangle.
	template <typename Test>
	int CountPixels(BRect viewRect, Test test)
	{
		Idle();
		std::unique_ptr<BBitmap> snapshot(BPrivate::WindowSnapshot(fWindow));
		int count = 0;
		BRect inWindow;
		WithLock(fWindow, [&] {
			inWindow = fWindow->ConvertFromScreen(fView->ConvertToScreen(viewRect));
		});
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

	// Twelve short lines, with the rectangles drawn from now on recorded.
	void TwelveLines(std::function<void()> then)
	{
		WithLock(fWindow, [&] {
			std::string text;
			for (int i = 0; i < 12; i++)
				text += "line " + std::to_string(i) + "\n";
			fView->SetText(text.c_str());
			then();
		});
		Idle();
		WithLock(fWindow, [&] { fRecording->updates.MakeEmpty(); });
	}

	float LineTop(int32 line)
	{
		return WithLock(fWindow, [&] { return fView->PointAt(fView->OffsetAt(line)).y; });
	}

	BRegion Updates()
	{
		Idle();
		return WithLock(fWindow, [&] { return fRecording->updates; });
	}

	UpdateRecordingView* fRecording = nullptr;
};

TEST_F(TextViewDrawing, RunsAreDrawnInTheirColours)
{
	WithLock(fWindow, [&] {
		fView->SetText("RED BLUE");
		BFont big = SizedFont(24, B_BOLD_FACE);
		rgb_color red = make_color(220, 0, 0);
		rgb_color blue = make_color(0, 0, 220);
		fView->SetFontAndColor(0, 3, &big, B_FONT_ALL, &red);
		fView->SetFontAndColor(4, 8, &big, B_FONT_ALL, &blue);
		fView->Select(8, 8);
	});
	EXPECT_GT(CountPixels(CharFrame(1), IsReddish), 10);
	EXPECT_EQ(CountPixels(CharFrame(1), IsBluish), 0);
	EXPECT_GT(CountPixels(CharFrame(5), IsBluish), 10);
	EXPECT_EQ(CountPixels(CharFrame(5), IsReddish), 0);
}

TEST_F(TextViewDrawing, TypingRedrawsOnlyTheLineItChanges)
{
	TwelveLines([&] { fView->Select(fView->OffsetAt(5) + 2, fView->OffsetAt(5) + 2); });
	Type("x");
	BRegion updates = Updates();
	ASSERT_GT(updates.CountRects(), 0);
	EXPECT_GE(updates.Frame().top, LineTop(5));
	EXPECT_LE(updates.Frame().bottom, LineTop(6) - 1);
}

TEST_F(TextViewDrawing, HighlightInvertsARangeUntilCalledAgain)
{
	WithLock(fWindow, [&] { fView->SetText("invert me"); });
	auto white = [](rgb_color color) { return color == make_color(255, 255, 255); };
	BRect frame = CharFrame(7);
	int before = CountPixels(frame, white);
	WithLock(fWindow, [&] { fView->Highlight(7, 9); });
	EXPECT_LT(CountPixels(frame, white), before / 4);
	WithLock(fWindow, [&] { fView->Highlight(7, 9); });
	EXPECT_EQ(CountPixels(frame, white), before);
}

// A shown view whose layout is held wraps nothing at the edits: a query
// meanwhile answers from the edited text, and the end of the hold draws
// what moved.
TEST_F(TextViewDrawing, EditsWhileTheLayoutIsHeldAreExactWhenAskedAndDrawnWhenItEnds)
{
	TwelveLines([] {});
	float secondLineTop = LineTop(1);
	WithLock(fWindow, [&] {
		BTextView::LayoutHold hold(*fView);
		fView->Insert(0, "a line put in front\n", 20);
		fView->Delete(fView->TextLength() - 8, fView->TextLength());
		EXPECT_EQ(fView->CountLines(), 13);
		EXPECT_EQ(fView->OffsetAt(1), 20);
		EXPECT_EQ(fView->PointAt(20).y, secondLineTop);
	});
	BRegion updates = Updates();
	ASSERT_GT(updates.CountRects(), 0) << "nothing was drawn after the hold";
	EXPECT_LE(updates.Frame().top, LineTop(0));
	EXPECT_GE(updates.Frame().bottom, LineTop(12) - 1);
}

// A hidden view wraps its lines only when they are asked for or drawn.
class HiddenTextView : public TextViewWindowTest {
protected:
	void SetUp() override { Open(new LoggingTextView(BRect(0, 0, 199, 149)), true); }
};

TEST_F(HiddenTextView, EditsWhileHiddenAreExactWhenAskedAndMeasuredOnceShown)
{
	WithLock(fWindow, [&] {
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
	});
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
