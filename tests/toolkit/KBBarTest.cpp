#include "ControlTesting.h"

#include "KBBar.h"
#include "KBBarButton.h"
#include "KBBarMenuField.h"

#include <MenuItem.h>
#include <PopUpMenu.h>

using namespace ControlTests;

namespace {

KBBarButton* Button(uint32 command)
{
	return new KBBarButton("b", new BBitmap(BRect(0, 0, 23, 23), B_RGBA32), command, nullptr);
}

// Where each button goes and what it sends are checked in the visual
// window's tests; here the bar's own list of items.
class KBBarTest : public ControlTest {};

TEST_F(KBBarTest, ItemsStandInTheirListOrderAndARemovedOneLeavesNoGap)
{
	KBBar* bar = Add(new KBBar(BRect(0, 0, 399, 40)));
	KBBarButton* late = Button('late');
	KBBarButton* early = Button('erly');
	KBBarButton* second = Button('b   ');
	Locked([&] {
		bar->AddItem(Button('a   '));
		bar->AddItem(second);
		ASSERT_TRUE(bar->AddItem(late, 99));
		ASSERT_TRUE(bar->AddItem(early, 0));
		EXPECT_EQ(bar->ItemAt(3), late) << "an index beyond the end adds at the end";
		EXPECT_EQ(bar->ItemAt(0), early);
		bar->ResizeToPreferred();
		bar->Place();
		EXPECT_LT(early->Frame().right, bar->ItemAt(1)->View()->Frame().left);
		EXPECT_LT(second->Frame().right, late->Frame().left);
		float firstLeft = early->Frame().left;
		EXPECT_EQ(bar->RemoveItem(0), early);
		EXPECT_EQ(early->Parent(), nullptr);
		EXPECT_EQ(bar->ItemAt(0)->View()->Frame().left, firstLeft);
	});
	delete early;
}

// No window of the editor aims its bar this way, so only this test keeps it.
TEST_F(KBBarTest, SetTargetForButtonsAimsEveryButtonAndEveryMenuItemOfTheBar)
{
	auto* engine = new Receiver;
	engine->Run();
	KBBar* bar = Add(new KBBar(BRect(0, 0, 399, 40)));
	KBBarButton* save = Button('save');
	auto* headings = new KBBarMenuField("Headings");
	headings->AddItem("Heading 1", 'h1  ', '1');
	auto looperOf = [](const BMessenger& messenger) {
		BLooper* looper = nullptr;
		messenger.Target(&looper);
		return looper;
	};
	Locked([&] {
		bar->AddItem(save);
		bar->AddItem(headings);
		for (BHandler* handler : {static_cast<BHandler*>(engine), static_cast<BHandler*>(nullptr)}) {
			bar->SetTargetForButtons(handler, engine);
			EXPECT_EQ(looperOf(save->Messenger()), engine);
			EXPECT_EQ(looperOf(headings->Menu()->ItemAt(0)->Messenger()), engine);
		}
	});
	engine->Lock();
	engine->Quit();
}

} // namespace
