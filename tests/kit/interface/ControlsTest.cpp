// What every control does the same way: a disabled one takes neither the
// mouse nor the focus, and a press that leaves before its release does
// nothing.

#include "ControlTesting.h"

#include <functional>

#include <Button.h>
#include <CheckBox.h>
#include <TextControl.h>

using namespace ControlTests;

namespace {

const uint32 kCommand = 'ctrl';

struct ControlCase {
	const char* name;
	std::function<BControl*()> make;
};

void PrintTo(const ControlCase& row, std::ostream* out)
{
	*out << row.name;
}

// The control between two buttons, in the order Tab visits them.
class EveryControl : public ControlTest, public testing::WithParamInterface<ControlCase> {
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		fBefore = Add(new BButton(BRect(10, 200, 109, 229), "before", "Before", nullptr));
		fControl = Add(GetParam().make());
		fAfter = Add(new BButton(BRect(200, 200, 299, 229), "after", "After", nullptr));
	}

	// The control or the field inside it has the focus.
	bool ControlHasFocus()
	{
		return Locked([&] {
			BView* focus = fWindow->CurrentFocus();
			return focus != nullptr && (focus == fControl || focus->Parent() == fControl);
		});
	}

	BButton* fBefore = nullptr;
	BControl* fControl = nullptr;
	BButton* fAfter = nullptr;
};

TEST_P(EveryControl, WhenDisabledTakesNoClickAndTabPassesOverItUntilEnabled)
{
	Locked([&] { fControl->SetEnabled(false); });
	Show();
	int32 value = ValueOf(fControl);
	Click(fControl);
	EXPECT_EQ(ValueOf(fControl), value);
	EXPECT_TRUE(Sent(kCommand).empty());
	EXPECT_FALSE(ControlHasFocus());
	Focus(fBefore);
	Key(kTab);
	EXPECT_EQ(FocusView(), fAfter);

	Locked([&] { fControl->SetEnabled(true); });
	Focus(fBefore);
	Key(kTab);
	EXPECT_TRUE(ControlHasFocus());
}

// A text control's field keeps the focus, but takes no more text.
using ControlWithoutField = EveryControl;

TEST_P(ControlWithoutField, LosesTheFocusWhenDisabled)
{
	Show();
	Focus(fControl);
	ASSERT_TRUE(ControlHasFocus());
	Locked([&] { fControl->SetEnabled(false); });
	EXPECT_FALSE(ControlHasFocus());
}

using PressedControl = EveryControl;

TEST_P(PressedControl, DoesNothingWhenThePointerLeavesBeforeTheRelease)
{
	Show();
	int32 value = ValueOf(fControl);
	ASSERT_EQ(BPrivate::PostMouseDown(fWindow, CenterOf(fControl)), B_OK);
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, BPoint(350, 150), B_PRIMARY_MOUSE_BUTTON), B_OK);
	ASSERT_EQ(BPrivate::PostMouseUp(fWindow, BPoint(350, 150)), B_OK);
	Idle(fWindow);
	EXPECT_EQ(ValueOf(fControl), value);
	EXPECT_TRUE(Sent(kCommand).empty());
}

const ControlCase kButton{"Button", [] {
	return new BButton(BRect(10, 10, 109, 39), "control", "Press", new BMessage(kCommand));
}};
const ControlCase kCheckBox{"CheckBox", [] {
	return new BCheckBox(BRect(10, 10, 149, 29), "control", "Wrap", new BMessage(kCommand));
}};
const ControlCase kTextControl{"TextControl", [] {
	return new BTextControl(BRect(10, 10, 309, 25), "control", "Find:", "",
		new BMessage(kCommand));
}};

std::string NameOf(const testing::TestParamInfo<ControlCase>& info)
{
	return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Controls, EveryControl,
	testing::Values(kButton, kCheckBox, kTextControl), NameOf);
INSTANTIATE_TEST_SUITE_P(Controls, ControlWithoutField,
	testing::Values(kButton, kCheckBox), NameOf);
INSTANTIATE_TEST_SUITE_P(Controls, PressedControl, testing::Values(kButton, kCheckBox), NameOf);

} // namespace
