// The error list with the pictures of its resource archive: each entry
// carries the icon of its kind.

#include <set>

#include <Bitmap.h>

#include "PageTesting.h"

using ErrorListIcons = PageTesting::PageTest;

TEST_F(ErrorListIcons, EachKindHasAnIconOfItsOwnAndAnUnknownKindNone)
{
	Open("");
	HTMLError_Window* errors = fPage->HTMLErrorWindow();
	{
		BAutolock lock(errors);
		errors->Empty();
	}
	errors->Add(3, 3, "Error: one", VUDAV_ERROR);
	errors->Add(4, 4, "Warning: two", VUDAV_WARNING);
	errors->Add(0, 0, "a note", VUDAV_NOTE);
	errors->Add(5, 5, "of no known kind", static_cast<VUDAV_message_type>(9));
	PageTesting::Settle(errors);
	BAutolock lock(errors);
	ASSERT_EQ(errors->CountItems(), 4);
	std::set<const BBitmap*> icons;
	for (int32 i = 0; i < 3; i++) {
		ASSERT_NE(errors->ItemIcon(i), nullptr) << errors->ItemText(i);
		EXPECT_TRUE(errors->ItemIcon(i)->IsValid());
		icons.insert(errors->ItemIcon(i));
	}
	EXPECT_EQ(icons.size(), 3u);
	EXPECT_EQ(errors->ItemIcon(3), nullptr);
}
