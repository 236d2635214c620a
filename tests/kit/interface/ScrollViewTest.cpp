// Scroll bars: how a bar scrolls its target and follows it, and how a text
// view and its bars keep each other in step.

#include "TextViewTestSupport.h"

#include <cmath>

#include <WindowTesting.h>

using namespace TextViewTests;

namespace {

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
