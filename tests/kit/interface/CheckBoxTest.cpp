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
	std::vector<BMessage> sent = Sent('wrap');
	ASSERT_EQ(sent.size(), 2u);
	EXPECT_EQ(Int32Of(sent[0], "be:value"), B_CONTROL_ON);
	EXPECT_EQ(Int32Of(sent[1], "be:value"), B_CONTROL_OFF);
	EXPECT_TRUE(Sent('xcas').empty());
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

} // namespace
