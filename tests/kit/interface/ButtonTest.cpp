#include "ControlTesting.h"

#include <atomic>

#include <AppPrivate.h>
#include <Button.h>
#include <Looper.h>

using namespace ControlTests;

namespace {

// Two buttons side by side: "Cancel" ('cncl') and "OK" ('okay').
class ButtonTest : public ControlTest {
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		fCancel = Add(new BButton(BRect(10, 10, 109, 39), "cancel", "Cancel",
			new BMessage('cncl')));
		fOK = Add(new BButton(BRect(120, 10, 219, 39), "ok", "OK", new BMessage('okay')));
	}

	BButton* fCancel = nullptr;
	BButton* fOK = nullptr;
};

TEST_F(ButtonTest, ClickSendsTheMessageOnceWithTheButtonAsSource)
{
	Show();
	Click(fOK);
	std::vector<BMessage> sent = Sent('okay');
	ASSERT_EQ(sent.size(), 1u);
	void* source = nullptr;
	EXPECT_EQ(sent[0].FindPointer("source", &source), B_OK);
	EXPECT_EQ(source, static_cast<void*>(fOK));
	int32 value = -1;
	EXPECT_EQ(sent[0].FindInt32("be:value", &value), B_OK);
	EXPECT_EQ(value, B_CONTROL_ON);
	EXPECT_TRUE(sent[0].HasInt64("when"));
	EXPECT_TRUE(Sent('cncl').empty());
	EXPECT_EQ(ValueOf(fOK), B_CONTROL_OFF);
}

TEST_F(ButtonTest, HeldButtonLooksPressedUntilTheMouseLeavesIt)
{
	Show();
	BPoint face = BPoint(30, 8);
	rgb_color up = PixelIn(fOK, face);
	ASSERT_EQ(BPrivate::PostMouseDown(fWindow, CenterOf(fOK)), B_OK);
	Idle(fWindow);
	EXPECT_EQ(ValueOf(fOK), B_CONTROL_ON);
	rgb_color held = PixelIn(fOK, face);
	EXPECT_LT(held.red, up.red);

	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, BPoint(280, 150), B_PRIMARY_MOUSE_BUTTON), B_OK);
	Idle(fWindow);
	EXPECT_EQ(ValueOf(fOK), B_CONTROL_OFF);
	EXPECT_EQ(PixelIn(fOK, face), up);

	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, CenterOf(fOK), B_PRIMARY_MOUSE_BUTTON), B_OK);
	Idle(fWindow);
	EXPECT_EQ(ValueOf(fOK), B_CONTROL_ON);
}

TEST_F(ButtonTest, ReleasingTheMouseOutsideSendsNothing)
{
	Show();
	ASSERT_EQ(BPrivate::PostMouseDown(fWindow, CenterOf(fOK)), B_OK);
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, BPoint(280, 150), B_PRIMARY_MOUSE_BUTTON), B_OK);
	ASSERT_EQ(BPrivate::PostMouseUp(fWindow, BPoint(280, 150)), B_OK);
	Idle(fWindow);
	EXPECT_TRUE(Sent('okay').empty());
	EXPECT_EQ(ValueOf(fOK), B_CONTROL_OFF);
}

TEST_F(ButtonTest, EnterInvokesTheDefaultButtonWhereverTheFocusIs)
{
	{
		BAutolock lock(fWindow);
		fOK->MakeDefault(true);
	}
	Show();
	Focus(fCancel);
	Key(kEnter);
	EXPECT_EQ(Sent('okay').size(), 1u);
	EXPECT_TRUE(Sent('cncl').empty());

	// Shift+Enter is not Enter alone: it goes to the focus.
	Key(kEnter, B_SHIFT_KEY);
	EXPECT_EQ(Sent('okay').size(), 1u);
	EXPECT_EQ(Sent('cncl').size(), 1u);
}

TEST_F(ButtonTest, SpaceInvokesTheFocusedButton)
{
	Show();
	Focus(fCancel);
	Key(kSpace);
	EXPECT_EQ(Sent('cncl').size(), 1u);
	EXPECT_TRUE(Sent('okay').empty());
}

TEST_F(ButtonTest, WindowKeepsOneDefaultButton)
{
	BAutolock lock(fWindow);
	fOK->MakeDefault(true);
	fCancel->MakeDefault(true);
	EXPECT_EQ(fWindow->DefaultButton(), fCancel);
	EXPECT_TRUE(fCancel->IsDefault());
	EXPECT_FALSE(fOK->IsDefault());
	fWindow->SetDefaultButton(fOK);
	EXPECT_TRUE(fOK->IsDefault());
	EXPECT_FALSE(fCancel->IsDefault());
	fOK->MakeDefault(false);
	EXPECT_EQ(fWindow->DefaultButton(), nullptr);
}

TEST_F(ButtonTest, DefaultButtonMadeBeforeAttachingTakesEffectWhenAttached)
{
	auto* apply = new BButton(BRect(10, 50, 109, 79), "apply", "Apply", new BMessage('aply'));
	apply->MakeDefault(true);
	Add(apply);
	Show();
	Key(kEnter);
	EXPECT_EQ(Sent('aply').size(), 1u);
}

TEST_F(ButtonTest, RemovedDefaultButtonNoLongerTakesEnter)
{
	{
		BAutolock lock(fWindow);
		fOK->MakeDefault(true);
	}
	Show();
	Focus(fCancel);
	{
		BAutolock lock(fWindow);
		fOK->RemoveSelf();
		EXPECT_EQ(fWindow->DefaultButton(), nullptr);
	}
	Key(kEnter);
	EXPECT_TRUE(Sent('okay').empty());
	EXPECT_EQ(Sent('cncl').size(), 1u);
	delete fOK;
}

TEST_F(ButtonTest, DisabledButtonIgnoresMouseAndKeysAndLetsEnterThrough)
{
	{
		BAutolock lock(fWindow);
		fOK->MakeDefault(true);
		fOK->SetEnabled(false);
	}
	Show();
	Click(fOK);
	Focus(fCancel);
	Key(kEnter);
	EXPECT_TRUE(Sent('okay').empty());
	EXPECT_EQ(Sent('cncl').size(), 1u);
}

TEST_F(ButtonTest, TabSkipsDisabledControlsAndComesBackWhenEnabled)
{
	auto* third = Add(new BButton(BRect(10, 50, 109, 79), "third", "Third", nullptr));
	{
		BAutolock lock(fWindow);
		fOK->SetEnabled(false);
	}
	Show();
	Focus(fCancel);
	Key(kTab);
	EXPECT_EQ(FocusView(), third);
	{
		BAutolock lock(fWindow);
		fOK->SetEnabled(true);
	}
	Focus(fCancel);
	Key(kTab);
	EXPECT_EQ(FocusView(), fOK);
}

TEST_F(ButtonTest, DisablingTheFocusedButtonTakesTheFocusAway)
{
	Show();
	Focus(fOK);
	{
		BAutolock lock(fWindow);
		fOK->SetEnabled(false);
		EXPECT_FALSE(fOK->IsFocus());
	}
}

// A looper that counts what reaches it.
class Counter : public BLooper {
public:
	Counter() : BLooper("counter") {}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'okay')
			count++;
	}
	std::atomic<int32> count{0};
};

TEST_F(ButtonTest, TargetSetBeforeAttachingIsKept)
{
	auto* counter = new Counter;
	counter->Run();
	fOK->SetTarget(counter);
	Show();
	Click(fOK);
	ASSERT_EQ(BPrivate::WaitForLooperIdle(counter, 5000000), B_OK);
	EXPECT_EQ(counter->count.load(), 1);
	EXPECT_TRUE(Sent('okay').empty());
	counter->Lock();
	counter->Quit();
}

TEST_F(ButtonTest, PreferredSizeFitsTheLabel)
{
	BAutolock lock(fWindow);
	float narrowWidth = 0;
	float height = 0;
	fOK->GetPreferredSize(&narrowWidth, &height);
	fOK->SetLabel("A much longer label than before");
	float wideWidth = 0;
	fOK->GetPreferredSize(&wideWidth, nullptr);
	EXPECT_GE(narrowWidth, 74);
	EXPECT_GT(wideWidth, fOK->StringWidth("A much longer label than before"));
	EXPECT_GT(height, 20);
	EXPECT_LT(height, 40);
}

} // namespace
