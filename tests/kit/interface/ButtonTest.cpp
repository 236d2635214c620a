#include "ControlTesting.h"

#include <AppPrivate.h>
#include <Button.h>

#include "MenuTestSupport.h"

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
	EXPECT_EQ(PointerOf(sent[0], "source"), static_cast<void*>(fOK));
	EXPECT_EQ(Int32Of(sent[0], "be:value"), B_CONTROL_ON);
	EXPECT_TRUE(sent[0].HasInt64("when"));
	EXPECT_TRUE(Sent('cncl').empty());
	EXPECT_EQ(ValueOf(fOK), B_CONTROL_OFF);
}

TEST_F(ButtonTest, EnterInvokesTheDefaultButtonWhereverTheFocusIsAndSpaceTheFocusedOne)
{
	Locked([&] { fOK->MakeDefault(true); });
	Show();
	Focus(fCancel);
	Key(kEnter);
	EXPECT_EQ(Sent('okay').size(), 1u);
	EXPECT_TRUE(Sent('cncl').empty());

	// Shift+Enter is not Enter alone: it goes to the focus, as Space does.
	Key(kEnter, B_SHIFT_KEY);
	Key(kSpace);
	EXPECT_EQ(Sent('okay').size(), 1u);
	EXPECT_EQ(Sent('cncl').size(), 2u);
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

TEST_F(ButtonTest, ADisabledOrRemovedDefaultButtonLetsEnterReachTheFocus)
{
	Locked([&] {
		fOK->MakeDefault(true);
		fOK->SetEnabled(false);
	});
	Show();
	Focus(fCancel);
	Key(kEnter);
	EXPECT_EQ(Sent('cncl').size(), 1u);

	Locked([&] {
		fOK->SetEnabled(true);
		fOK->RemoveSelf();
		EXPECT_EQ(fWindow->DefaultButton(), nullptr);
	});
	Key(kEnter);
	EXPECT_TRUE(Sent('okay').empty());
	EXPECT_EQ(Sent('cncl').size(), 2u);
	delete fOK;
}

TEST_F(ButtonTest, TargetSetBeforeAttachingIsKept)
{
	auto* target = new MenuTests::Receiver();
	target->Run();
	fOK->SetTarget(target);
	Show();
	Click(fOK);
	EXPECT_EQ(target->Received().size(), 1u);
	EXPECT_TRUE(Sent('okay').empty());
	target->Lock();
	target->Quit();
}

} // namespace
