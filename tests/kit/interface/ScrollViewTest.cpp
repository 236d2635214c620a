// Scroll bars: how a bar scrolls its target and follows it, and how a text
// view and its bars keep each other in step.

#include "TextViewTestSupport.h"

#include <cmath>

#include <WindowTesting.h>

using namespace TextViewTests;

namespace {

// #pragma mark - A bar and its target

class ScrollBarTarget : public testing::Test {
protected:
	BView fTarget{BRect(0, 0, 99, 99), "target", B_FOLLOW_NONE, B_WILL_DRAW};
	BScrollBar fBar{BRect(0, 0, 13, 99), "bar", &fTarget, 0, 500, B_VERTICAL};
};

TEST_F(ScrollBarTarget, ValuesAreWholeAndWithinTheRange)
{
	fBar.SetValue(120.6f);
	EXPECT_FLOAT_EQ(fBar.Value(), 121);
	fBar.SetValue(-5);
	EXPECT_FLOAT_EQ(fBar.Value(), 0);
	fBar.SetValue(900);
	EXPECT_FLOAT_EQ(fBar.Value(), 500);
	fBar.SetProportion(3);
	EXPECT_FLOAT_EQ(fBar.Proportion(), 1);
	float min = -1;
	float max = -1;
	fBar.SetRange(10, 5);
	fBar.GetRange(&min, &max);
	EXPECT_FLOAT_EQ(min, 10);
	EXPECT_FLOAT_EQ(max, 10);
}

TEST_F(ScrollBarTarget, AChangedValueScrollsTheTargetAlongTheBar)
{
	fTarget.ScrollTo(7, 0);
	fBar.SetValue(40);
	EXPECT_EQ(fTarget.Bounds().LeftTop(), BPoint(7, 40));
	fBar.SetRange(0, 25);
	EXPECT_FLOAT_EQ(fBar.Value(), 25);
	EXPECT_EQ(fTarget.Bounds().LeftTop(), BPoint(7, 25));
}

TEST_F(ScrollBarTarget, AnyViewThatScrollsMovesItsBar)
{
	EXPECT_EQ(fTarget.ScrollBar(B_VERTICAL), &fBar);
	EXPECT_EQ(fTarget.ScrollBar(B_HORIZONTAL), nullptr);
	fTarget.ScrollTo(3, 60);
	EXPECT_FLOAT_EQ(fBar.Value(), 60);
	fTarget.ScrollBy(0, 10);
	EXPECT_FLOAT_EQ(fBar.Value(), 70);
	EXPECT_EQ(fTarget.Bounds().LeftTop(), BPoint(3, 70));
	// A bar without a target scrolls nothing.
	fBar.SetTarget(static_cast<BView*>(nullptr));
	EXPECT_EQ(fTarget.ScrollBar(B_VERTICAL), nullptr);
	fBar.SetValue(40);
	EXPECT_EQ(fTarget.Bounds().LeftTop(), BPoint(3, 70));
}

// #pragma mark - The mouse on a bar

class ScrollBarMouse : public TextViewWindowTest {
protected:
	void SetUp() override
	{
		fWindow = MakeWindow(BRect(100, 100, 299, 299));
		fTarget = new BView(BRect(0, 0, 149, 199), "target", B_FOLLOW_NONE, B_WILL_DRAW);
		fBar = new BScrollBar(BRect(150, 0, 163, 199), "bar", fTarget, 0, 1000, B_VERTICAL);
		fBar->SetSteps(10, 100);
		fBar->SetProportion(0.5f);
		fWindow->AddChild(fTarget);
		fWindow->AddChild(fBar);
		ShowAndWait(fWindow);
	}

	float Value()
	{
		Locked lock(fWindow);
		return fBar->Value();
	}

	BRect Thumb()
	{
		// The thumb of a bar 200 long with 14-pixel arrows and half the
		// content in view: 86 pixels, in a track of 172.
		float top = 14 + std::round(86 * Value() / 1000);
		return BRect(150, top, 163, top + 85);
	}

	void ClickBar(BPoint where)
	{
		ASSERT_EQ(BPrivate::PostMouseDown(fWindow, where), B_OK);
		ASSERT_EQ(BPrivate::PostMouseUp(fWindow, where), B_OK);
		Idle();
	}

	BView* fTarget = nullptr;
	BScrollBar* fBar = nullptr;
};

TEST_F(ScrollBarMouse, TheArrowsStepAndTheTrackPages)
{
	ClickBar(BPoint(156, 195));
	EXPECT_FLOAT_EQ(Value(), 10);
	ClickBar(BPoint(156, 180));
	EXPECT_FLOAT_EQ(Value(), 110);
	ClickBar(BPoint(156, 4));
	EXPECT_FLOAT_EQ(Value(), 100);
	Locked lock(fWindow);
	EXPECT_FLOAT_EQ(fTarget->Bounds().top, 100);
}

TEST_F(ScrollBarMouse, HoldingAnArrowRepeats)
{
	ASSERT_EQ(BPrivate::PostMouseDown(fWindow, BPoint(156, 195)), B_OK);
	snooze(700000);
	ASSERT_EQ(BPrivate::PostMouseUp(fWindow, BPoint(156, 195)), B_OK);
	Idle();
	float held = Value();
	EXPECT_GT(held, 20);
	snooze(200000);
	EXPECT_FLOAT_EQ(Value(), held);
}

TEST_F(ScrollBarMouse, TheThumbFollowsThePointer)
{
	BRect thumb = Thumb();
	BPoint grab(156, thumb.top + 10);
	ASSERT_EQ(BPrivate::PostMouseDown(fWindow, grab), B_OK);
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, grab + BPoint(0, 43), B_PRIMARY_MOUSE_BUTTON),
		B_OK);
	Idle();
	EXPECT_FLOAT_EQ(Value(), 500);
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, grab + BPoint(30, 400), B_PRIMARY_MOUSE_BUTTON),
		B_OK);
	ASSERT_EQ(BPrivate::PostMouseUp(fWindow, grab + BPoint(30, 400)), B_OK);
	Idle();
	EXPECT_FLOAT_EQ(Value(), 1000);
}

// #pragma mark - A text view with its bars

class TextViewWithBars : public TextViewWindowTest {
protected:
	void SetUp() override
	{
		Open(new BTextView(BRect(0, 0, 199, 149), "text", BRect(5, 5, 190, 145),
			B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_NAVIGABLE), true);
		std::string text;
		for (int i = 0; i < 50; i++)
			text += "paragraph " + std::to_string(i) + "\n";
		Locked lock(fWindow);
		fView->SetText(text.c_str());
		fBar = fScrollView->ScrollBar(B_VERTICAL);
	}

	BScrollBar* fBar = nullptr;
};

TEST_F(TextViewWithBars, DeletingTextShrinksTheRangeAndBringsTheViewBack)
{
	Locked lock(fWindow);
	fView->ScrollTo(0, 300);
	fView->Delete(40, fView->TextLength());
	float max = -1;
	fBar->GetRange(nullptr, &max);
	EXPECT_FLOAT_EQ(max, 0);
	EXPECT_FLOAT_EQ(fView->Bounds().top, 0);
}

TEST_F(TextViewWithBars, AGoneTextViewLeavesItsBarWithoutTarget)
{
	Locked lock(fWindow);
	fScrollView->RemoveChild(fView);
	delete fView;
	fView = nullptr;
	EXPECT_EQ(fBar->Target(), nullptr);
	fBar->SetValue(10);
}

TEST_F(TextViewWithBars, ResizingTheWindowResizesTheTextAndItsBar)
{
	ASSERT_EQ(BPrivate::PostUserResize(fWindow, 299, 299), B_OK);
	Idle();
	Locked lock(fWindow);
	EXPECT_FLOAT_EQ(fView->Bounds().Height(), 149 + 100);
	EXPECT_FLOAT_EQ(fBar->Frame().Height(), fView->Frame().Height());
	EXPECT_FLOAT_EQ(fBar->Frame().left, fView->Frame().right + 1);
	float visible = fView->Bounds().Height() + 1;
	EXPECT_NEAR(fBar->Proportion(),
		visible / std::ceil(5 + fView->TextHeight(0, fView->CountLines() - 1) + 5), 0.001);
}

TEST_F(TextViewWithBars, AHorizontalBarFollowsTheWidestUnwrappedLine)
{
	BTextView* view = new BTextView(BRect(0, 0, 99, 99), "wide", BRect(0, 0, 99, 99),
		B_FOLLOW_NONE, B_WILL_DRAW);
	BScrollView* scroll = new BScrollView("hscroll", view, B_FOLLOW_NONE, 0, true, false,
		B_NO_BORDER);
	Locked lock(fWindow);
	fWindow->AddChild(scroll);
	view->SetWordWrap(false);
	view->SetText("a line far wider than the hundred pixels of the view it is in");
	float max = 0;
	scroll->ScrollBar(B_HORIZONTAL)->GetRange(nullptr, &max);
	EXPECT_FLOAT_EQ(max, std::ceil(view->LineWidth(0)) - 100);
	view->Select(view->TextLength(), view->TextLength());
	view->ScrollToSelection();
	EXPECT_FLOAT_EQ(view->Bounds().left, max);
	EXPECT_FLOAT_EQ(scroll->ScrollBar(B_HORIZONTAL)->Value(), max);
}

} // namespace
