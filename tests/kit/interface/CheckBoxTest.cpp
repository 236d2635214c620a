#include "ControlTesting.h"

#include <CheckBox.h>

using namespace ControlTests;

namespace {

class CheckBoxTest : public ControlTest {
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		fWrap = Add(new BCheckBox(BRect(10, 10, 149, 29), "wrap", "Wrap", new BMessage('wrap')));
		fCase = Add(new BCheckBox(BRect(10, 40, 149, 59), "case", "Case sensitive",
			new BMessage('xcas')));
	}

	int32 ValueSent(size_t index)
	{
		std::vector<BMessage> sent = Sent('wrap');
		int32 value = -1;
		if (index < sent.size())
			sent[index].FindInt32("be:value", &value);
		return value;
	}

	// Whether dark ink lies inside the box's white (the check mark); the
	// 12-point box is centred in the 20-point high control.
	bool BoxIsMarked() { return AnyPixelIn(fWrap, BRect(3, 6, 10, 13), IsInk); }

	BCheckBox* fWrap = nullptr;
	BCheckBox* fCase = nullptr;
};

TEST_F(CheckBoxTest, EachClickTogglesAndSendsTheNewValue)
{
	Show();
	EXPECT_FALSE(BoxIsMarked());
	Click(fWrap);
	EXPECT_EQ(ValueOf(fWrap), B_CONTROL_ON);
	EXPECT_TRUE(BoxIsMarked());
	Click(fWrap);
	EXPECT_EQ(ValueOf(fWrap), B_CONTROL_OFF);
	EXPECT_FALSE(BoxIsMarked());
	ASSERT_EQ(Sent('wrap').size(), 2u);
	EXPECT_EQ(ValueSent(0), B_CONTROL_ON);
	EXPECT_EQ(ValueSent(1), B_CONTROL_OFF);
	EXPECT_TRUE(Sent('xcas').empty());
}

TEST_F(CheckBoxTest, ClickOnTheLabelTogglesToo)
{
	Show();
	Click(InWindow(fWrap, BPoint(40, 10)));
	EXPECT_EQ(ValueOf(fWrap), B_CONTROL_ON);
}

TEST_F(CheckBoxTest, DraggingOffBeforeReleasingLeavesItAlone)
{
	Show();
	ASSERT_EQ(BPrivate::PostMouseDown(fWindow, CenterOf(fWrap)), B_OK);
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, BPoint(250, 150), B_PRIMARY_MOUSE_BUTTON), B_OK);
	ASSERT_EQ(BPrivate::PostMouseUp(fWindow, BPoint(250, 150)), B_OK);
	Idle(fWindow);
	EXPECT_EQ(ValueOf(fWrap), B_CONTROL_OFF);
	EXPECT_TRUE(Sent('wrap').empty());
}

TEST_F(CheckBoxTest, SpaceTogglesTheFocusedBoxOnly)
{
	Show();
	Focus(fCase);
	Key(kSpace);
	EXPECT_EQ(ValueOf(fCase), B_CONTROL_ON);
	EXPECT_EQ(ValueOf(fWrap), B_CONTROL_OFF);
	Key(kTab, B_SHIFT_KEY);
	EXPECT_EQ(FocusView(), fWrap);
	Key(kSpace);
	EXPECT_EQ(ValueOf(fWrap), B_CONTROL_ON);
	EXPECT_EQ(Sent('xcas').size(), 1u);
	EXPECT_EQ(Sent('wrap').size(), 1u);
}

TEST_F(CheckBoxTest, FocusIsShownAsABlueUnderlineOfTheLabel)
{
	Show();
	auto blueBelowLabel = [this] {
		return AnyPixelIn(fWrap, BRect(20, 12, 60, 19), [](rgb_color color) {
			return color == ui_color(B_KEYBOARD_NAVIGATION_COLOR);
		});
	};
	EXPECT_FALSE(blueBelowLabel());
	Focus(fWrap);
	Idle(fWindow);
	EXPECT_TRUE(blueBelowLabel());
}

TEST_F(CheckBoxTest, SetValueDrawsTheMarkWithoutSending)
{
	Show();
	{
		BAutolock lock(fWindow);
		fWrap->SetValue(B_CONTROL_ON);
	}
	Idle(fWindow);
	EXPECT_TRUE(BoxIsMarked());
	EXPECT_TRUE(Sent('wrap').empty());
}

TEST_F(CheckBoxTest, DisabledBoxKeepsItsValue)
{
	{
		BAutolock lock(fWindow);
		fWrap->SetEnabled(false);
	}
	Show();
	Click(fWrap);
	EXPECT_EQ(ValueOf(fWrap), B_CONTROL_OFF);
	EXPECT_TRUE(Sent('wrap').empty());
}

} // namespace
