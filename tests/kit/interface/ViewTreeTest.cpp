#include "WindowTestSupport.h"

using namespace WindowTests;

namespace {

class ViewTree : public WindowTest {};

TEST_F(ViewTree, HooksRunParentsFirstAndAllAttachedChildrenFirst)
{
	RecordingWindow* window = MakeWindow();
	auto* parent = new RecordingView(BRect(0, 0, 50, 50), "parent", fJournal);
	parent->AddChild(new RecordingView(BRect(0, 0, 10, 10), "child", fJournal));
	WithLock(window, [&] {
		window->AddChild(parent);
		EXPECT_EQ(fJournal->Entries(), (std::vector<std::string>{"parent:Attached",
			"child:Attached", "child:AllAttached", "parent:AllAttached"}));
		EXPECT_EQ(window->FindView("child"), parent->ChildAt(0));
		EXPECT_EQ(window->FindView(BPoint(5, 5)), parent->ChildAt(0));
		EXPECT_EQ(window->FindView("missing"), nullptr);
		fJournal->Clear();
		EXPECT_TRUE(parent->RemoveSelf());
		EXPECT_EQ(fJournal->Entries(),
			(std::vector<std::string>{"parent:Detached", "child:Detached"}));
		EXPECT_EQ(parent->Window(), nullptr);
		EXPECT_EQ(parent->ChildAt(0)->Window(), nullptr);
	});
	delete parent;
}

TEST_F(ViewTree, NestedHideNeedsAsManyShowsForWindowsAndViews)
{
	RecordingWindow* window = MakeWindow();
	auto* view = new BView(BRect(0, 0, 10, 10), "v", B_FOLLOW_NONE, 0);
	window->AddChild(view);
	EXPECT_TRUE(window->IsHidden());
	window->Show();
	window->Hide();
	window->Hide();
	window->Show();
	WithLock(window, [&] {
		EXPECT_TRUE(window->IsHidden());
		window->Show();
		EXPECT_FALSE(window->IsHidden());
		window->Show();
		window->Hide();
		EXPECT_FALSE(window->IsHidden());
	});
	Idle(window);
	WithLock(window, [&] {
		EXPECT_FALSE(view->IsHidden());
		view->Hide();
		view->Hide();
		view->Show();
		EXPECT_TRUE(view->IsHidden());
		view->Show();
		EXPECT_FALSE(view->IsHidden());
		window->Hide();
		EXPECT_TRUE(view->IsHidden());
		EXPECT_FALSE(view->IsHidden(view));
	});
}

// Hit testing goes by each view's clip: a child is found only where it lies
// inside its parent, down to the parent's last pixel column.
TEST_F(ViewTree, AChildIsFoundOnlyWhereItsParentShowsIt)
{
	RecordingWindow* window = MakeWindow();
	auto* parent = new BView(BRect(10, 10, 60, 60), "parent", B_FOLLOW_NONE, 0);
	auto* child = new BView(BRect(0, 0, 9, 9), "child", B_FOLLOW_NONE, 0);
	parent->AddChild(child);
	WithLock(window, [&] {
		window->AddChild(parent);
		EXPECT_EQ(window->FindView(BPoint(15, 15)), child);
		child->MoveTo(51, 0);
		EXPECT_EQ(window->FindView(BPoint(62, 15)), nullptr);
		EXPECT_EQ(window->FindView(BPoint(60, 15)), parent);
		child->MoveTo(50, 0);
		EXPECT_EQ(window->FindView(BPoint(60, 15)), child);
		EXPECT_EQ(window->FindView(BPoint(61, 15)), nullptr);
		child->MoveTo(0, 200);
		EXPECT_EQ(window->FindView(BPoint(15, 15)), parent);
		child->MoveTo(0, 0);
		EXPECT_EQ(window->FindView(BPoint(15, 15)), child);
	});
}

} // namespace
