#include "ControlTesting.h"

#include <Button.h>
#include <TextControl.h>
#include <TextView.h>

using namespace ControlTests;

namespace {

// The find window's layout in small: two text controls and a button.
class TextControlTest : public ControlTest {
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		fFind = Add(new BTextControl(BRect(10, 10, 309, 25), "find", "Find:", "",
			new BMessage('ftxt')));
		fReplace = Add(new BTextControl(BRect(10, 40, 309, 55), "replace", "Replace:", "old",
			new BMessage('rtxt')));
		fButton = Add(new BButton(BRect(10, 80, 109, 105), "button", "Find",
			new BMessage('find')));
	}

	void Type(const char* text)
	{
		ASSERT_EQ(BPrivate::TypeText(fWindow, text), B_OK);
		Idle(fWindow);
	}

	std::string TextOf(BTextControl* control)
	{
		return Locked([&] { return std::string(control->Text()); });
	}

	BTextControl* fFind = nullptr;
	BTextControl* fReplace = nullptr;
	BButton* fButton = nullptr;
};

TEST_F(TextControlTest, EnterSendsTheMessageWithTheControlHoldingTheText)
{
	Show();
	Focus(fFind);
	Type("hello");
	Key(kEnter);
	std::vector<BMessage> sent = Sent('ftxt');
	ASSERT_EQ(sent.size(), 1u);
	EXPECT_EQ(PointerOf(sent[0], "source"), static_cast<void*>(fFind));
	EXPECT_EQ(TextOf(fFind), "hello");
	// Enter confirms even when nothing changed, as a dialog expects.
	Key(kEnter);
	EXPECT_EQ(Sent('ftxt').size(), 2u);
	EXPECT_TRUE(Sent('rtxt').empty());
}

TEST_F(TextControlTest, LeavingTheFieldSendsTheMessageOnlyWhenTheTextChanged)
{
	Show();
	Focus(fReplace);
	Key(kTab);
	EXPECT_TRUE(Sent('rtxt').empty());
	Focus(fReplace);
	Type("new");
	Key(kTab);
	EXPECT_EQ(Sent('rtxt').size(), 1u);
	// Sent once: leaving again without a change says nothing more.
	Focus(fReplace);
	Key(kTab);
	EXPECT_EQ(Sent('rtxt').size(), 1u);
}

TEST_F(TextControlTest, TabMovesThroughTheFieldsAndButtonsAndBackSelectingTheFieldsText)
{
	Show();
	Focus(fFind);
	EXPECT_EQ(FocusView(), fFind->TextView());
	Key(kTab);
	EXPECT_EQ(FocusView(), fReplace->TextView());
	Key(kTab);
	EXPECT_EQ(FocusView(), fButton);
	Key(kTab);
	EXPECT_EQ(FocusView(), fFind->TextView());
	Key(kTab, B_SHIFT_KEY);
	EXPECT_EQ(FocusView(), fButton);
	// No tab was typed on the way.
	EXPECT_EQ(TextOf(fFind), "");
	EXPECT_EQ(TextOf(fReplace), "old");
	// Tabbing into a field selects its text, so typing replaces it.
	Focus(fFind);
	Key(kTab);
	Type("fresh");
	EXPECT_EQ(TextOf(fReplace), "fresh");
}

TEST_F(TextControlTest, LineFeedsThatComeInBecomeSpaces)
{
	BAutolock lock(fWindow);
	fFind->TextView()->Insert("two\nlines\r\n");
	EXPECT_STREQ(fFind->Text(), "two lines  ");
}

TEST_F(TextControlTest, ADisabledFieldTakesNoTypingEvenWithTheFocus)
{
	Show();
	Focus(fReplace);
	Locked([&] { fReplace->SetEnabled(false); });
	Type("x");
	EXPECT_EQ(TextOf(fReplace), "old");
}

TEST_F(TextControlTest, DefaultButtonTakesEnterFromAField)
{
	Locked([&] { fButton->MakeDefault(true); });
	Show();
	Focus(fFind);
	Type("x");
	Key(kEnter);
	EXPECT_EQ(Sent('find').size(), 1u);
	EXPECT_TRUE(Sent('ftxt').empty());
}

} // namespace
