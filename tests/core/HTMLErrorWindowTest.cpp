// The error list: entries come as posted messages from any thread, a parse
// adds them silently and then shows its count line, and invoking an entry
// selects its place in the HTML window.

#include <string>

#include "PageTesting.h"

#include "Page_Element.h"
#include "TagDictionary.h"

using PageTesting::PageTest;

namespace {

class ErrorList : public PageTest {
protected:
	HTMLError_Window* Errors() { return fPage->HTMLErrorWindow(); }

	// Twice: the selection of a burst of entries comes behind it.
	void Idle()
	{
		PageTesting::Settle(Errors());
		PageTesting::Settle(Errors());
	}

	int32 Selection()
	{
		BAutolock lock(Errors());
		return Errors()->CurrentSelection();
	}

	std::pair<int32, int32> HTMLSelection()
	{
		BAutolock lock(fPage->HTMLWindow());
		int32 start = -1;
		int32 finish = -1;
		fPage->HTMLWindow()->View()->GetSelection(&start, &finish);
		return {start, finish};
	}

	void Invoke(int32 index)
	{
		BAutolock lock(Errors());
		Errors()->InvokeItem(index);
	}

	void SetHTML(const char* text)
	{
		BAutolock lock(fPage->HTMLWindow());
		fPage->HTMLWindow()->View()->SetText(text);
		fPage->HTMLWindow()->View()->Select(0, 0);
	}

	void EmptyList()
	{
		BAutolock lock(Errors());
		Errors()->Empty();
	}

	int32 Count()
	{
		BAutolock lock(Errors());
		return Errors()->CountItems();
	}
};

} // namespace

// Entries reported while blocked go in together when the block ends, in
// their order, and still neither show the window nor select; the list
// emptied meanwhile drops them.
TEST_F(ErrorList, EntriesAddedWhileBlockedGoInTogetherAndNeitherShowNorSelect)
{
	Open("");
	EmptyList();
	Errors()->Hide();
	Errors()->BlockRefresh();
	Errors()->Add(1, 1, "Warning: dropped", VUDAV_WARNING);
	Errors()->EmptyList();
	Errors()->Add(3, 3, "Warning: one", VUDAV_WARNING);
	Errors()->Add(0, 0, "2 warnings/errors were found.", VUDAV_NOTE);
	Errors()->BlockRefresh();
	Errors()->Add(5, 5, "Warning: two", VUDAV_WARNING);
	Errors()->UnblockRefresh();
	Idle();
	EXPECT_EQ(Count(), 0) << "held until the last block ends";
	Errors()->UnblockRefresh();
	Idle();
	ASSERT_EQ(Count(), 3);
	{
		BAutolock lock(Errors());
		EXPECT_STREQ(Errors()->ItemText(0), "Warning: one");
		EXPECT_STREQ(Errors()->ItemText(2), "Warning: two");
	}
	EXPECT_TRUE(Errors()->IsHidden());
	EXPECT_EQ(Selection(), -1);
	Errors()->ShowResult();
	Idle();
	EXPECT_FALSE(Errors()->IsHidden());
	EXPECT_EQ(Selection(), 1) << "the count line";
	Errors()->Add(7, 7, "Error: three", VUDAV_ERROR);
	Idle();
	EXPECT_EQ(Selection(), 3) << "an entry added unblocked is selected";
}

TEST_F(ErrorList, BadReportsAreIgnoredUnknownKindsListedAndRemovingTakesOutAPlacesEntries)
{
	Open("");
	EmptyList();
	Errors()->Add(-1, 3, "Warning: x", VUDAV_WARNING);
	Errors()->Add(1, 3, nullptr, VUDAV_WARNING);
	Errors()->Add(static_cast<const _node*>(nullptr), "Error", VUDAV_ERROR);
	Errors()->Add(1, 3, "odd", static_cast<VUDAV_message_type>(7));
	Idle();
	ASSERT_EQ(Count(), 1);
	{
		BAutolock lock(Errors());
		EXPECT_EQ(Errors()->ItemKind(0), 7);
	}
	EmptyList();
	Errors()->Add(3, 4, "a", VUDAV_WARNING);
	Errors()->Add(5, 6, "b", VUDAV_WARNING);
	Errors()->Add(3, 4, "c", VUDAV_ERROR);
	Idle();
	Errors()->Remove(3, 4);
	ASSERT_EQ(Count(), 1);
	BAutolock lock(Errors());
	EXPECT_STREQ(Errors()->ItemText(0), "b");
}

TEST_F(ErrorList, InvokingARangeSelectsItInTheHTMLWindow)
{
	Open("");
	SetHTML("<html><body>abcdef</body></html>");
	EmptyList();
	Errors()->Add(12, 15, "Warning: here", VUDAV_WARNING);
	Errors()->Add(0, 0, "a note", VUDAV_NOTE);
	Errors()->Add(12, 400, "Warning: beyond the text", VUDAV_WARNING);
	Idle();
	Invoke(1);
	EXPECT_EQ(HTMLSelection(), std::make_pair(0, 0)) << "a note selects nothing";
	Invoke(2);
	EXPECT_EQ(HTMLSelection(), std::make_pair(0, 0)) << "a place beyond the text neither";
	Invoke(0);
	EXPECT_EQ(HTMLSelection(), std::make_pair(12, 15));
}

TEST_F(ErrorList, InvokingAnElementsEntrySelectsTheHTMLItWrote)
{
	Open("<html><body>x<hr>y</body></html>");
	fPage->UpdateFromVisual();
	Page_Element* rule = nullptr;
	for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
		Page_Element* element = dynamic_cast<Page_Element*>((*List())[i].element);
		if (element != nullptr && element->HTMLType() == tag_hr)
			rule = element;
	}
	ASSERT_NE(rule, nullptr);
	EmptyList();
	fPage->HTMLError(static_cast<const Visual_Element*>(rule), "Warning: a rule", VUDAV_WARNING);
	fPage->HTMLError(rule->MyNode(), "Warning: its node", VUDAV_WARNING);
	Idle();
	std::string text;
	{
		BAutolock lock(fPage->HTMLWindow());
		text = fPage->HTMLWindow()->View()->Text();
	}
	for (int32 entry = 0; entry < 2; entry++) {
		SetHTML(text.c_str());
		Invoke(entry);
		auto [start, finish] = HTMLSelection();
		EXPECT_EQ(text.substr(start, finish - start), "<HR>") << entry;
	}
}

TEST_F(ErrorList, AFailedParseSelectsTheFirstErrorInTheHTMLWindow)
{
	std::string page = "<html><body>ok <blink2>x</blink2></body></html>";
	Open(page);
	Idle();
	auto [start, finish] = HTMLSelection();
	EXPECT_EQ(start, static_cast<int32>(page.find("<blink2>")));
	EXPECT_EQ(finish, start);
	BAutolock lock(Errors());
	EXPECT_STREQ(Errors()->ItemText(Errors()->CurrentSelection()),
		"Error: <blink2> is not recognized! - It is not a valid HTML tag.");
}
