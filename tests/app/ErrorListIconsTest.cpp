// The error list as the program shows it, with the pictures of its
// resource archive beside it: each entry carries the icon of its kind.

#include <algorithm>
#include <memory>
#include <set>

#include <Bitmap.h>
#include <ListView.h>
#include <WindowTesting.h>

#include "PageTesting.h"

using PageTesting::PageTest;

namespace {

class ErrorListIcons : public PageTest {
protected:
	HTMLError_Window* Errors() { return fPage->HTMLErrorWindow(); }

	void AddOneOfEachKind()
	{
		Open("");
		{
			BAutolock lock(Errors());
			Errors()->Empty();
		}
		Errors()->Add(3, 3, "Error: one", VUDAV_ERROR);
		Errors()->Add(4, 4, "Warning: two", VUDAV_WARNING);
		Errors()->Add(0, 0, "a note", VUDAV_NOTE);
		Errors()->Add(5, 5, "of no known kind", static_cast<VUDAV_message_type>(9));
		PageTesting::Settle(Errors());
	}
};

} // namespace

TEST_F(ErrorListIcons, EachKindShowsAnIconOfItsOwnAndAnUnknownKindNone)
{
	AddOneOfEachKind();
	BAutolock lock(Errors());
	ASSERT_EQ(Errors()->CountItems(), 4);
	std::set<const BBitmap*> icons;
	for (int32 i = 0; i < 3; i++) {
		ASSERT_NE(Errors()->ItemIcon(i), nullptr) << Errors()->ItemText(i);
		EXPECT_TRUE(Errors()->ItemIcon(i)->IsValid());
		icons.insert(Errors()->ItemIcon(i));
	}
	EXPECT_EQ(icons.size(), 3u);
	EXPECT_EQ(Errors()->ItemIcon(3), nullptr);
}

TEST_F(ErrorListIcons, TheIconIsDrawnAtTheStartOfItsRow)
{
	AddOneOfEachKind();
	ASSERT_EQ(BPrivate::WaitForWindowIdle(Errors()), B_OK);
	BRect row;
	{
		BAutolock lock(Errors());
		BListView* list = Errors()->ListView();
		row = Errors()->ConvertFromScreen(list->ConvertToScreen(list->ItemFrame(0)));
	}
	std::unique_ptr<BBitmap> shot(BPrivate::WindowSnapshot(Errors()));
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
