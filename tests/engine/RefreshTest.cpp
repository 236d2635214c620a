// Restyling the visual text from the elements, run on the engine's looper
// when asked for by a refresh request.

#include "ModelTesting.h"

using ModelTesting::ModelTest;

namespace {

class Refresh : public ModelTest {
protected:
	BFont FontAt(int32 offset, rgb_color* color = nullptr)
	{
		BAutolock lock(Engine());
		BFont font;
		rgb_color found;
		View()->GetFontAndColor(offset, &font, &found);
		if (color != nullptr)
			*color = found;
		return font;
	}

	// Gives the text one plain style, as an edit of the base view would.
	void Flatten()
	{
		BAutolock lock(Engine());
		BFont plain;
		rgb_color black = make_color(0, 0, 0);
		View()->SetFontAndColor(0, View()->TextLength(), &plain, B_FONT_ALL, &black);
	}
};

} // namespace

TEST_F(Refresh, ARefreshShowsTheElementsFormatting)
{
	Open("<html><body link=\"#00AA00\">a<b>b</b><a href=\"x\">c</a><h1>d</h1></body></html>");
	Flatten();
	View()->Refresh(0, 0);
	Settle();
	EXPECT_EQ(FontAt(0).Face() & B_BOLD_FACE, 0);
	EXPECT_NE(FontAt(1).Face() & B_BOLD_FACE, 0);
	rgb_color color;
	FontAt(2, &color);
	EXPECT_EQ(color, make_color(0, 170, 0));
	std::string text = VisualText();
	EXPECT_GT(FontAt(static_cast<int32>(text.find('d'))).Size(), FontAt(0).Size());
	EXPECT_EQ(fPage->ProgressValue(), 100);
	EXPECT_EQ(fPage->ProgressLabel(), "Finished");
	BAutolock lock(Engine());
	EXPECT_FALSE(View()->IsHidden(View()));
}

TEST_F(Refresh, ARefreshFromLaterOnStartsFromTheFormattingInForceThere)
{
	Open("<html><body><i>abc<b>def</b>ghi</i></body></html>");
	Flatten();
	View()->Refresh(4, 6);
	Settle();
	EXPECT_EQ(FontAt(1).Face() & B_ITALIC_FACE, 0) << "before the stretch: untouched";
	EXPECT_NE(FontAt(4).Face() & B_ITALIC_FACE, 0);
	EXPECT_NE(FontAt(4).Face() & B_BOLD_FACE, 0);
}

// The runs of a big page go to the view in batches of a few thousand:
// each character keeps its own style across the batches' seams.
TEST_F(Refresh, APageOfManyThousandRunsIsStyledRunForRun)
{
	std::string body;
	for (int i = 0; i < 5000; i++)
		body += "<b>x</b>y";
	Open("<html><body>" + body + "</body></html>");
	Flatten();
	View()->Refresh(0, 0);
	Settle();
	std::string text = VisualText();
	ASSERT_EQ(text.size(), 10000u);
	int wrong = 0;
	for (int32 offset = 0; offset < 10000; offset++) {
		bool bold = (FontAt(offset).Face() & B_BOLD_FACE) != 0;
		if (bold != (text[offset] == 'x'))
			wrong++;
	}
	EXPECT_EQ(wrong, 0);
}

TEST_F(Refresh, RequestsWhileBlockedAreDroppedNotDelayed)
{
	Open("<html><body><b>x</b></body></html>");
	Flatten();
	View()->BlockRefresh();
	View()->Refresh(0, 0);
	View()->Refresh(static_cast<const Visual_Element*>(nullptr));
	View()->UnblockRefresh();
	Settle();
	EXPECT_EQ(FontAt(0).Face() & B_BOLD_FACE, 0);
	View()->UnblockRefresh();
	EXPECT_FALSE(View()->IsRefreshBlocked()) << "the count never goes below zero";
}

TEST_F(Refresh, NothingIsRestyledOnceThePageStops)
{
	Open("<html><body><b>x</b></body></html>");
	Flatten();
	fPage->StopProcessing();
	BAutolock lock(Engine());
	View()->_Refresh(0, 0);
	BFont font;
	View()->GetFontAndColor(0, &font);
	EXPECT_EQ(font.Face() & B_BOLD_FACE, 0);
	EXPECT_FALSE(View()->IsHidden(View()));
	EXPECT_FALSE(fPage->IsProcessing());
}
