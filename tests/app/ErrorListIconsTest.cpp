// The error list as the program shows it, with the pictures of its
// resource archive beside it: each entry carries the icon of its kind.

#include <algorithm>
#include <memory>
#include <set>

#include <Bitmap.h>
#include <ListView.h>
#include <WindowTesting.h>

#include "PageTesting.h"

using ErrorListIcons = PageTesting::PageTest;

TEST_F(ErrorListIcons, EachKindShowsAnIconOfItsOwnAtTheStartOfItsRowAndAnUnknownKindNone)
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
	BRect row;
	{
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
		BListView* list = errors->ListView();
		row = errors->ConvertFromScreen(list->ConvertToScreen(list->ItemFrame(0)));
	}
	ASSERT_EQ(BPrivate::WaitForWindowIdle(errors), B_OK);
	std::unique_ptr<BBitmap> shot(BPrivate::WindowSnapshot(errors));
	ASSERT_NE(shot, nullptr);
	// The first row is not selected: its background is the list's own, and
	// the icon is the only thing coloured at its left end.
	int32 coloured = 0;
	for (int32 y = int32(row.top); y <= int32(row.bottom); y++) {
		const uint8* line = static_cast<const uint8*>(shot->Bits()) + y * shot->BytesPerRow();
		for (int32 x = int32(row.left); x < int32(row.left) + 20; x++) {
			const uint8* pixel = line + x * 4;
			int spread = std::max({pixel[0], pixel[1], pixel[2]})
				- std::min({pixel[0], pixel[1], pixel[2]});
			if (spread > 60)
				coloured++;
		}
	}
	EXPECT_GT(coloured, 10) << "the error icon's colour in the row";
}
