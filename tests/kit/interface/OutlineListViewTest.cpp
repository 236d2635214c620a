#include "WindowTestSupport.h"

#include <OutlineListView.h>
#include <StringItem.h>

using namespace WindowTests;

namespace {

// The tree, built the way the palette builds its tags (each new item right
// under its heading, so in reverse):
//   Fonts
//     Bold
//     Italic
//   Blocks
//     Div
//     Span
//       Inner
//   Alone
class OutlineListViewTest : public WindowTest {
protected:
	void SetUp() override
	{
		fWindow = MakeWindow(BRect(100, 100, 299, 299));
		fList = new BOutlineListView(BRect(0, 0, 199, 199), "tree");
		fList->SetSelectionMessage(new BMessage('tsel'));
		fWindow->AddChild(fList);
		Add(fList->AddItem(Make("Fonts")));
		Add(fList->AddUnder(Make("Italic"), Named("Fonts")));
		Add(fList->AddUnder(Make("Bold"), Named("Fonts")));
		Add(fList->AddItem(Make("Blocks")));
		Add(fList->AddUnder(Make("Span"), Named("Blocks")));
		Add(fList->AddUnder(Make("Div"), Named("Blocks")));
		Add(fList->AddUnder(Make("Inner"), Named("Span")));
		Add(fList->AddItem(Make("Alone")));
		ShowAndWait(fWindow);
		ASSERT_TRUE(fWindow->Lock());
	}

	void TearDown() override
	{
		if (fWindow->IsLocked())
			fWindow->Unlock();
		WindowTest::TearDown();
	}

	BStringItem* Make(const char* text)
	{
		fItems.push_back(std::make_unique<BStringItem>(text));
		return fItems.back().get();
	}

	void Add(bool added) { ASSERT_TRUE(added); }

	BStringItem* Named(const std::string& text)
	{
		for (const std::unique_ptr<BStringItem>& item : fItems) {
			if (text == item->Text())
				return item.get();
		}
		return nullptr;
	}

	std::string Visible()
	{
		std::string shown;
		for (int32 i = 0; i < fList->CountItems(); i++)
			shown += std::string(shown.empty() ? "" : " ")
				+ static_cast<BStringItem*>(fList->ItemAt(i))->Text();
		return shown;
	}

	std::string Full()
	{
		std::string all;
		for (int32 i = 0; i < fList->FullListCountItems(); i++) {
			BListItem* item = fList->FullListItemAt(i);
			all += std::string(all.empty() ? "" : " ") + std::to_string(item->OutlineLevel())
				+ static_cast<BStringItem*>(item)->Text();
		}
		return all;
	}

	RecordingWindow* fWindow = nullptr;
	BOutlineListView* fList = nullptr;
	std::vector<std::unique_ptr<BStringItem>> fItems;
};

TEST_F(OutlineListViewTest, AddUnderPutsTheItemRightBelowItsSuperitemOneLevelDeeper)
{
	EXPECT_EQ(Full(), "0Fonts 1Bold 1Italic 0Blocks 1Div 1Span 2Inner 0Alone");
	EXPECT_EQ(Visible(), "Fonts Bold Italic Blocks Div Span Inner Alone");
	EXPECT_EQ(fList->Superitem(Named("Inner")), Named("Span"));
	EXPECT_EQ(fList->Superitem(Named("Fonts")), nullptr);
	EXPECT_FALSE(fList->AddUnder(Make("Lost"), Make("Nowhere")));
}

TEST_F(OutlineListViewTest, CollapsingHidesTheSubtreeAndKeepsBothIndicesRight)
{
	fList->Collapse(Named("Fonts"));
	EXPECT_EQ(Visible(), "Fonts Blocks Div Span Inner Alone");
	EXPECT_EQ(fList->CountItems(), 6);
	EXPECT_EQ(fList->FullListCountItems(), 8);
	EXPECT_EQ(fList->IndexOf(Named("Blocks")), 1);
	EXPECT_EQ(fList->FullListIndexOf(Named("Blocks")), 3);
	EXPECT_EQ(fList->IndexOf(Named("Bold")), -1);
	EXPECT_EQ(fList->FullListIndexOf(Named("Bold")), 1);
	EXPECT_FALSE(fList->IsExpanded(0));
	EXPECT_EQ(fList->FullListIndexOf(fList->ItemFrame(1).LeftTop() + BPoint(20, 1)), 3);
	fList->Select(fList->IndexOf(Named("Span")));
	EXPECT_EQ(fList->CurrentSelection(), 3);
	EXPECT_EQ(fList->FullListCurrentSelection(), 5);
}

TEST_F(OutlineListViewTest, CollapsingOverASelectedSubitemSelectsTheSuperitem)
{
	fList->Select(fList->IndexOf(Named("Inner")));
	fList->Collapse(Named("Blocks"));
	EXPECT_EQ(fList->CurrentSelection(), fList->IndexOf(Named("Blocks")));
	EXPECT_EQ(fList->FullListCurrentSelection(), 3);
	EXPECT_FALSE(Named("Inner")->IsSelected());
	fList->Expand(Named("Blocks"));
	EXPECT_EQ(fList->FullListCurrentSelection(), 3);
}

TEST_F(OutlineListViewTest, AClickOnALatchTogglesWithoutSelecting)
{
	BRect fonts = fList->ItemFrame(0);
	fWindow->Unlock();
	BPrivate::PostClick(fWindow, BPoint(5, (fonts.top + fonts.bottom) / 2));
	Idle(fWindow);
	WithLock(fWindow, [&] {
		EXPECT_EQ(Visible(), "Fonts Blocks Div Span Inner Alone");
		EXPECT_EQ(fList->CurrentSelection(), -1);
	});
	BPrivate::PostClick(fWindow, BPoint(5, (fonts.top + fonts.bottom) / 2));
	BPrivate::PostClick(fWindow, BPoint(60, (fonts.top + fonts.bottom) / 2));
	Idle(fWindow);
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(fList->CountItems(), 8);
	EXPECT_EQ(fList->CurrentSelection(), 0);
}

} // namespace
