#include "ControlTesting.h"

#include <AppPrivate.h>
#include <Looper.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <MenuPrivate.h>
#include <PopUpMenu.h>

#include "KBBar.h"
#include "KBBarButton.h"
#include "KBBarMenuField.h"

using namespace ControlTests;

namespace {

// A square bitmap of one opaque colour.
BBitmap* Square(int side, rgb_color color)
{
	auto* bitmap = new BBitmap(BRect(0, 0, side - 1, side - 1), B_RGBA32);
	auto* bits = static_cast<uint8*>(bitmap->Bits());
	for (int32 i = 0; i < bitmap->BitsLength(); i += 4) {
		bits[i] = color.blue;
		bits[i + 1] = color.green;
		bits[i + 2] = color.red;
		bits[i + 3] = 255;
	}
	return bitmap;
}

KBBarButton* Button(const char* name, uint32 command, int side = 24, BLooper* target = nullptr)
{
	return new KBBarButton(name, Square(side, make_color(200, 0, 0)), command, target);
}

// A bar across the top of the window; tests fill it and lay it out.
class KBBarTest : public ControlTest {
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		fBar = Add(new KBBar(BRect(0, 0, 399, 40)));
	}

	void Fit()
	{
		Locked([&] {
			fBar->ResizeToPreferred();
			fBar->Place();
		});
	}

	BRect FrameOf(BView* view)
	{
		return Locked([&] { return view->Frame(); });
	}

	KBBar* fBar = nullptr;
};

TEST_F(KBBarTest, ItemsStandInARowFromTheLeftMarginCentredInTheHeight)
{
	KBBarButton* first = Button("first", 'frst');
	KBBarButton* small = Button("small", 'smal', 16);
	KBBarButton* last = Button("last", 'last');
	Locked([&] {
		fBar->AddItem(first);
		fBar->AddItem(small);
		fBar->AddItem(last);
	});
	Fit();
	EXPECT_EQ(FrameOf(first), BRect(7, 5, 32, 30));
	// 25 + 1 pixels wide, then 3 of spacing.
	EXPECT_EQ(FrameOf(small).LeftTop(), BPoint(36, 9));
	// 16 + 2 pixels wide.
	EXPECT_EQ(FrameOf(last).left, 36 + 18 + 3);
	// The bitmap fills the button inside its one-pixel frame.
	Show();
	EXPECT_EQ(PixelIn(first, BPoint(1, 1)), make_color(200, 0, 0));
	EXPECT_EQ(PixelIn(first, BPoint(24, 24)), make_color(200, 0, 0));
	EXPECT_NE(PixelIn(first, BPoint(0, 0)), make_color(200, 0, 0));
	EXPECT_NE(PixelIn(first, BPoint(25, 25)), make_color(200, 0, 0));
}

TEST_F(KBBarTest, AnItemAddedAtIndex99OfThreeLandsAtTheEnd)
{
	KBBarButton* late = Button("late", 'late');
	KBBarButton* early = Button("early", 'erly');
	{
		BAutolock lock(fWindow);
		for (uint32 code : {'a   ', 'b   ', 'c   '})
			fBar->AddItem(Button("b", code));
		ASSERT_TRUE(fBar->AddItem(late, 99));
		ASSERT_TRUE(fBar->AddItem(early, 0));
		EXPECT_EQ(fBar->CountItems(), 5);
		EXPECT_EQ(fBar->ItemAt(4), late);
		EXPECT_EQ(fBar->ItemAt(0), early);
	}
	Fit();
	EXPECT_EQ(FrameOf(early).left, 7);
	EXPECT_EQ(FrameOf(late).left, 7 + 4 * 29);
}

TEST_F(KBBarTest, RemovedItemLeavesTheBarAndTheOthersCloseUp)
{
	KBBarButton* first = Button("first", 'frst');
	KBBarButton* second = Button("second", 'scnd');
	Locked([&] {
		fBar->AddItem(first);
		fBar->AddItem(second);
		EXPECT_EQ(fBar->RemoveItem(0), first);
		EXPECT_EQ(first->Parent(), nullptr);
		EXPECT_EQ(fBar->CountItems(), 1);
	});
	EXPECT_EQ(FrameOf(second).left, 7);
	delete first;
}

TEST_F(KBBarTest, ClickSendsTheCodeToTheTargetOrElseTheWindow)
{
	auto* engine = new Receiver;
	engine->Run();
	KBBarButton* bold = Button("ButtonBold", 'bold', 24, engine);
	KBBarButton* save = Button("ButtonSave", 'save');
	Locked([&] {
		fBar->AddItem(save);
		fBar->AddItem(bold);
	});
	Fit();
	Show();
	Click(bold);
	Click(save);
	EXPECT_EQ(engine->LastCommand(), uint32('bold'));
	EXPECT_EQ(Sent('save').size(), 1u);
	EXPECT_TRUE(Sent('bold').empty());

	Locked([&] { fBar->SetTargetForButtons(engine); });
	Click(save);
	EXPECT_EQ(engine->LastCommand(), uint32('save'));
	EXPECT_EQ(Sent('save').size(), 1u);
	engine->Lock();
	engine->Quit();
}

// The lower bar of the editor: command menus whose items go to the engine
// or, without a target, to the window.
class KBBarMenuFieldTest : public KBBarTest {
protected:
	void SetUp() override
	{
		KBBarTest::SetUp();
		fEngine = new Receiver;
		fEngine->Run();
		fHeadings = new KBBarMenuField("Headings…     ");
		fHeadings->AddItem("Heading 1", 'h1  ', '1', 0, fEngine);
		fHeadings->AddItem("Heading 2", 'h2  ', '2');
		BAutolock lock(fWindow);
		fBar->AddItem(Button("a", 'a   '));
		fBar->AddItem(fHeadings);
	}

	void TearDown() override
	{
		for (size_t open = BPrivate::OpenMenus().size(); open > 0; open--)
			BPrivate::PostKey(fWindow, kEscape);
		BPrivate::WaitForMenus(false);
		fEngine->Lock();
		fEngine->Quit();
		KBBarTest::TearDown();
	}

	// Opens the menu with a click on its box and chooses the item.
	void Choose(int32 index)
	{
		BPoint box = InWindow(fHeadings->MenuBar(), BPoint(10, 5));
		ASSERT_EQ(BPrivate::PostMouseDown(fWindow, box), B_OK);
		ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
		std::vector<BPrivate::OpenMenu> open = BPrivate::OpenMenus();
		ASSERT_EQ(open.size(), 2u);
		BWindow* menuWindow = open[1].window;
		ASSERT_EQ(open[1].menu, fHeadings->Menu());
		BPrivate::PostMouseUp(menuWindow,
			menuWindow->ConvertFromScreen(fWindow->ConvertToScreen(box)));
		ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
		BRect item = fHeadings->Menu()->ItemAt(index)->Frame();
		BPrivate::PostClick(menuWindow, BPoint(item.left + 10, (item.top + item.bottom) / 2));
		ASSERT_EQ(BPrivate::WaitForMenus(false), B_OK);
		Idle(fWindow);
		ASSERT_EQ(BPrivate::WaitForLooperIdle(fEngine, 5000000), B_OK);
	}

	Receiver* fEngine = nullptr;
	KBBarMenuField* fHeadings = nullptr;
};

TEST_F(KBBarMenuFieldTest, ItemsGoToTheirTargetOrTheWindowUntilTheBarAimsThemAll)
{
	Fit();
	Show();
	Choose(0);
	EXPECT_EQ(fEngine->LastCommand(), uint32('h1  '));
	EXPECT_TRUE(Sent('h1  ').empty());
	Choose(1);
	EXPECT_EQ(Sent('h2  ').size(), 1u);
	Locked([&] {
		EXPECT_STREQ(fHeadings->MenuItem()->Label(), "Headings…     ");
		EXPECT_EQ(fHeadings->Menu()->FindMarked(), nullptr);
		fBar->SetTargetForButtons(nullptr, fEngine);
	});
	Choose(1);
	EXPECT_EQ(fEngine->LastCommand(), uint32('h2  '));
	EXPECT_EQ(Sent('h2  ').size(), 1u);
}

} // namespace
