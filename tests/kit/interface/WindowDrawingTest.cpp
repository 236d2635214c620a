#include "WindowTestSupport.h"

#include <unistd.h>

#include <cairo.h>

#include <Region.h>

using namespace WindowTests;
using Testing::IsNear;

namespace {

class WindowDrawing : public WindowTest {
protected:
	// A 200 x 100 window whose one view covers it.
	RecordingView* CanvasWindow(uint32 flags = B_WILL_DRAW)
	{
		fWindow = MakeWindow(BRect(50, 50, 249, 149));
		auto* view = new RecordingView(BRect(0, 0, 199, 99), "canvas", fJournal, B_FOLLOW_ALL,
			flags);
		fWindow->AddChild(view);
		return view;
	}

	std::vector<std::string> DrawEntries()
	{
		std::vector<std::string> draws;
		for (const std::string& entry : fJournal->Entries()) {
			if (entry.find(":Draw") != std::string::npos)
				draws.push_back(entry);
		}
		return draws;
	}

	RecordingWindow* fWindow = nullptr;
};

TEST_F(WindowDrawing, InvalidateRedrawsOnlyTheUpdateRegion)
{
	RecordingView* view = CanvasWindow();
	int fill = 0;
	view->onDraw = [&fill](BView* self, BRect) {
		self->SetHighColor(fill == 0 ? make_color(0, 255, 0) : make_color(255, 0, 0));
		self->FillRect(self->Bounds());
	};
	ShowAndWait(fWindow);
	EXPECT_EQ(Pixel(fWindow, 100, 50), kGreen);
	fJournal->Clear();

	WithLock(fWindow, [&] {
		fill = 1;
		view->Invalidate(BRect(10, 10, 29, 19));
	});
	Idle(fWindow);

	EXPECT_EQ(DrawEntries(), std::vector<std::string>{"canvas:Draw 10,10,29,19"});
	// Drawing the whole bounds changed only the pixels of the update.
	EXPECT_EQ(Pixel(fWindow, 10, 10), kRed);
	EXPECT_EQ(Pixel(fWindow, 29, 19), kRed);
	EXPECT_EQ(Pixel(fWindow, 30, 19), kGreen);
	EXPECT_EQ(Pixel(fWindow, 100, 50), kGreen);
	EXPECT_EQ(PresentedPixel(fWindow, 10, 10), kRed);
}

// Each 'next' message moves the view on one step and asks for a redraw;
// Draw() notes which step it showed.
class SteppingView : public BView {
public:
	explicit SteppingView(BRect frame) : BView(frame, "stepping", B_FOLLOW_NONE, B_WILL_DRAW) {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != 'next') {
			BView::MessageReceived(message);
			return;
		}
		step++;
		Invalidate();
	}

	void Draw(BRect) override
	{
		draws++;
		shownStep = step;
		SetHighColor(make_color(static_cast<uint8>(step), 0, 0));
		FillRect(Bounds());
	}

	int step = 0;
	int shownStep = -1;
	int draws = 0;
};

TEST_F(WindowDrawing, ABurstOfChangesIsDrawnOnceAtItsEndNotAfterEveryMessage)
{
	fWindow = MakeWindow(BRect(50, 50, 249, 149));
	auto* view = new SteppingView(BRect(0, 0, 99, 99));
	fWindow->AddChild(view);
	ShowAndWait(fWindow);
	ASSERT_TRUE(fWindow->Lock());
	int drawsBefore = view->draws;
	// Queued while the window is held, handled one after another once let go.
	for (int i = 0; i < 200; i++)
		fWindow->PostMessage('next', view);
	fWindow->Unlock();
	Idle(fWindow);

	WithLock(fWindow, [&] {
		EXPECT_EQ(view->shownStep, 200) << "the last change is on screen";
		EXPECT_LT(view->draws - drawsBefore, 50);
	});
	EXPECT_EQ(Pixel(fWindow, 10, 10).red, 200);
}

TEST_F(WindowDrawing, ParentDrawingLeavesShownChildrenAlone)
{
	RecordingView* parent = CanvasWindow();
	auto* child = new RecordingView(BRect(20, 20, 39, 39), "child", fJournal);
	child->SetViewColor(0, 255, 0);
	parent->AddChild(child);
	ShowAndWait(fWindow);
	WithLock(fWindow, [&] {
		parent->SetHighColor(255, 0, 0);
		parent->FillRect(parent->Bounds());
	});
	WithLock(fWindow, [&] { fWindow->Flush(); });
	EXPECT_EQ(Pixel(fWindow, 10, 10), kRed);
	EXPECT_EQ(Pixel(fWindow, 25, 25), kGreen);
	EXPECT_EQ(PresentedPixel(fWindow, 10, 10), kRed);

	WithLock(fWindow, [&] { child->Hide(); });
	Idle(fWindow);
	// The parent is asked to draw where the child was.
	EXPECT_EQ(Pixel(fWindow, 25, 25), kWhite);
}

// Children moved one after another, as the pictures behind an edit are: the
// parent draws where they were and leaves alone where they went.
TEST_F(WindowDrawing, ChildrenMovedInARowLeaveTheirOldPlacesToTheParent)
{
	RecordingView* parent = CanvasWindow();
	auto* first = new RecordingView(BRect(20, 20, 39, 39), "first", fJournal);
	auto* second = new RecordingView(BRect(20, 60, 39, 79), "second", fJournal);
	first->SetViewColor(0, 255, 0);
	second->SetViewColor(0, 255, 0);
	parent->AddChild(first);
	parent->AddChild(second);
	ShowAndWait(fWindow);
	WithLock(fWindow, [&] {
		first->MoveTo(100, 20);
		second->MoveTo(100, 60);
	});
	Idle(fWindow);
	WithLock(fWindow, [&] {
		parent->SetHighColor(255, 0, 0);
		parent->FillRect(parent->Bounds());
	});
	WithLock(fWindow, [&] { fWindow->Flush(); });
	EXPECT_EQ(Pixel(fWindow, 25, 25), kRed);
	EXPECT_EQ(Pixel(fWindow, 25, 65), kRed);
	EXPECT_EQ(Pixel(fWindow, 105, 25), kGreen);
	EXPECT_EQ(Pixel(fWindow, 105, 65), kGreen);
}

TEST_F(WindowDrawing, ViewBitmapIsTiledFromTheTopLeftAndTheCallerMayDeleteIt)
{
	RecordingView* view = CanvasWindow(0);
	auto tile = std::make_unique<BBitmap>(BRect(0, 0, 9, 9), B_RGBA32);
	uint32* bits = static_cast<uint32*>(tile->Bits());
	for (int y = 0; y < 10; y++) {
		for (int x = 0; x < 10; x++)
			bits[y * 10 + x] = x < 5 ? 0xffff0000 : 0xff0000ff;
	}
	WithLock(fWindow, [&] { view->SetViewBitmap(tile.get()); });
	tile.reset();
	ShowAndWait(fWindow);
	EXPECT_EQ(Pixel(fWindow, 0, 0), kRed);
	EXPECT_EQ(Pixel(fWindow, 7, 3), kBlue);
	EXPECT_EQ(Pixel(fWindow, 12, 55), kRed);
	EXPECT_EQ(Pixel(fWindow, 198, 98), kBlue);

	WithLock(fWindow, [&] { view->ClearViewBitmap(); });
	Idle(fWindow);
	EXPECT_EQ(Pixel(fWindow, 0, 0), kWhite);
}

TEST_F(WindowDrawing, ViewTransactionHoldsPresentationBack)
{
	RecordingView* view = CanvasWindow();
	ShowAndWait(fWindow);
	WithLock(fWindow, [&] {
		fWindow->BeginViewTransaction();
		view->SetHighColor(255, 0, 0);
		view->FillRect(BRect(0, 0, 9, 9));
		fWindow->Flush();
	});
	Idle(fWindow);
	EXPECT_EQ(Pixel(fWindow, 5, 5), kRed);
	EXPECT_EQ(PresentedPixel(fWindow, 5, 5), kWhite);

	WithLock(fWindow, [&] { fWindow->EndViewTransaction(); });
	EXPECT_EQ(PresentedPixel(fWindow, 5, 5), kRed);
}

TEST_F(WindowDrawing, AnotherThreadDrawsUnderTheLockWhileTheWindowThreadRedraws)
{
	RecordingView* view = CanvasWindow();
	view->onDraw = [](BView* self, BRect) {
		self->SetHighColor(0, 255, 0);
		self->FillRect(self->Bounds());
	};
	ShowAndWait(fWindow);
	for (int round = 0; round < 200; round++) {
		ASSERT_TRUE(view->LockLooper());
		view->Invalidate(BRect(100, 0, 199, 99));
		view->SetHighColor(255, 0, 0);
		view->FillRect(BRect(0, 0, 49, 99));
		view->UnlockLooper();
	}
	Idle(fWindow);
	EXPECT_EQ(Pixel(fWindow, 10, 10), kRed);
	EXPECT_EQ(Pixel(fWindow, 150, 10), kGreen);
}

TEST_F(WindowDrawing, UpdateIfNeededDrawsFromAThreadHoldingTheLock)
{
	RecordingView* view = CanvasWindow();
	view->onDraw = [](BView* self, BRect) {
		self->SetHighColor(255, 0, 0);
		self->FillRect(self->Bounds());
	};
	ShowAndWait(fWindow);
	WithLock(fWindow, [&] {
		view->SetHighColor(0, 0, 255);
		view->FillRect(view->Bounds());
		view->Invalidate(BRect(0, 0, 9, 9));
		fWindow->UpdateIfNeeded();
		EXPECT_EQ(Pixel(fWindow, 5, 5), kRed);
		EXPECT_EQ(Pixel(fWindow, 50, 50), kBlue);
	});
}

TEST_F(WindowDrawing, PulseViewAddedDeepInTheTreeStartsThePulse)
{
	RecordingView* canvas = CanvasWindow();
	fWindow->SetPulseRate(20000);
	ShowAndWait(fWindow);
	WithLock(fWindow, [&] {
		canvas->AddChild(new RecordingView(BRect(0, 0, 9, 9), "deep", fJournal, B_FOLLOW_NONE,
			B_PULSE_NEEDED));
	});
	bigtime_t deadline = system_time() + 5000000;
	while (!Has(fJournal->Entries(), "deep:Pulse") && system_time() < deadline)
		snooze(5000);
	EXPECT_TRUE(Has(fJournal->Entries(), "deep:Pulse"));
	EXPECT_FALSE(Has(fJournal->Entries(), "canvas:Pulse")) << "only views that ask get pulses";
}

TEST_F(WindowDrawing, HiddenWindowDrawsNothingUntilItIsShown)
{
	RecordingView* view = CanvasWindow();
	ShowAndWait(fWindow);
	WithLock(fWindow, [&] {
		fWindow->Hide();
		fJournal->Clear();
		view->Invalidate();
	});
	Idle(fWindow);
	EXPECT_TRUE(DrawEntries().empty());
	fWindow->Show();
	Idle(fWindow);
	EXPECT_EQ(DrawEntries(), std::vector<std::string>{"canvas:Draw 0,0,199,99"});
}

} // namespace
