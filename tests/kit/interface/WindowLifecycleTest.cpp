#include "WindowTestSupport.h"

#include <WindowPrivate.h>

using namespace WindowTests;

namespace {

class WindowLifecycle : public WindowTest {};

TEST_F(WindowLifecycle, ShowingOrActivatingAWindowActivatesItAndTheNextTakesOverWhenItHides)
{
	RecordingWindow* first = MakeWindow(BRect(0, 0, 99, 99), "first");
	auto* view = new RecordingView(BRect(0, 0, 9, 9), "view", fJournal);
	first->AddChild(view);
	RecordingWindow* second = MakeWindow(BRect(200, 0, 299, 99), "second");
	ShowAndWait(first);
	ShowAndWait(second);
	Idle(first);
	std::vector<std::string> entries = fJournal->Entries();
	EXPECT_TRUE(Has(entries, "first:Activated"));
	EXPECT_TRUE(Has(entries, "view:Activated"));
	EXPECT_TRUE(Has(entries, "first:Deactivated"));
	EXPECT_TRUE(Has(entries, "second:Activated"));
	WithLock(first, [&] { EXPECT_FALSE(first->IsActive()); });

	fJournal->Clear();
	WithLock(second, [&] { second->Hide(); });
	Idle(second);
	Idle(first);
	entries = fJournal->Entries();
	EXPECT_TRUE(Has(entries, "second:Deactivated"));
	EXPECT_TRUE(Has(entries, "first:Activated"));
	WithLock(first, [&] { EXPECT_TRUE(first->IsActive()); });

	// Activate brings a shown window forward.
	ShowAndWait(second);
	fJournal->Clear();
	WithLock(first, [&] { first->Activate(); });
	Idle(first);
	Idle(second);
	entries = fJournal->Entries();
	EXPECT_TRUE(Has(entries, "second:Deactivated"));
	EXPECT_TRUE(Has(entries, "first:Activated"));
}

TEST_F(WindowLifecycle, CloseBoxAsksQuitRequestedAndARefusalKeepsTheWindow)
{
	RecordingWindow* window = MakeWindow();
	window->agreesToQuit = false;
	ShowAndWait(window);
	BMessenger messenger(window);
	ASSERT_EQ(BPrivate::PostCloseRequest(window), B_OK);
	Idle(window);
	EXPECT_TRUE(Has(fJournal->Entries(), "w:QuitRequested"));
	EXPECT_TRUE(messenger.IsValid());

	ASSERT_TRUE(messenger.LockTarget());
	window->agreesToQuit = true;
	window->Unlock();
	ASSERT_EQ(BPrivate::PostCloseRequest(window), B_OK);
	bigtime_t deadline = system_time() + 5000000;
	while (messenger.IsValid() && system_time() < deadline)
		snooze(2000);
	EXPECT_FALSE(messenger.IsValid());
	EXPECT_TRUE(Has(fJournal->Entries(), "w:Deleted"));
}

TEST_F(WindowLifecycle, QuitFromAnotherThreadWithMessagesPendingDropsThem)
{
	RecordingWindow* window = MakeWindow();
	auto* view = new RecordingView(BRect(0, 0, 99, 99), "view", fJournal);
	view->onDraw = [](BView*, BRect) { snooze(2000); };
	window->AddChild(view);
	ShowAndWait(window);
	WithLock(window, [&] { view->MakeFocus(); });
	for (int i = 0; i < 50; i++) {
		BPrivate::TypeText(window, "k");
		WithLock(window, [&] { view->Invalidate(); });
	}
	BMessenger messenger(window);
	ASSERT_TRUE(window->Lock());
	window->Quit();
	EXPECT_FALSE(messenger.IsValid());
	EXPECT_NE(messenger.SendMessage(B_KEY_DOWN), B_OK);
	std::vector<std::string> entries = fJournal->Entries();
	EXPECT_TRUE(Has(entries, "view:Detached"));
	EXPECT_TRUE(Has(entries, "w:Deleted"));
}

TEST_F(WindowLifecycle, ModalSubsetWindowBlocksItsSubsetOnly)
{
	RecordingWindow* owner = MakeWindow(BRect(0, 0, 99, 99), "owner");
	auto* ownerView = new RecordingView(BRect(0, 0, 99, 99), "ownerView", fJournal);
	owner->AddChild(ownerView);
	RecordingWindow* bystander = MakeWindow(BRect(300, 0, 399, 99), "bystander");
	auto* bystanderView = new RecordingView(BRect(0, 0, 99, 99), "bystanderView", fJournal);
	bystander->AddChild(bystanderView);
	RecordingWindow* modal = MakeWindow(BRect(150, 0, 249, 99), "modal", B_MODAL_WINDOW_LOOK,
		B_MODAL_SUBSET_WINDOW_FEEL, B_NOT_ZOOMABLE | B_NOT_RESIZABLE);
	modal->AddToSubset(owner);
	EXPECT_TRUE(modal->IsModal());
	ShowAndWait(owner);
	ShowAndWait(bystander);
	ShowAndWait(modal);
	fJournal->Clear();

	ASSERT_EQ(BPrivate::PostClick(owner, BPoint(10, 10)), B_OK);
	ASSERT_EQ(BPrivate::PostClick(bystander, BPoint(10, 10)), B_OK);
	Idle(owner);
	Idle(bystander);
	std::vector<std::string> entries = fJournal->Entries();
	EXPECT_FALSE(Has(entries, "ownerView:MouseDown 10,10"));
	EXPECT_TRUE(Has(entries, "bystanderView:MouseDown 10,10"));

	WithLock(modal, [&] { modal->Hide(); });
	ASSERT_EQ(BPrivate::PostClick(owner, BPoint(10, 10)), B_OK);
	Idle(owner);
	EXPECT_TRUE(Has(fJournal->Entries(), "ownerView:MouseDown 10,10"));
}

} // namespace
