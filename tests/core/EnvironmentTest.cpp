// The formatting state: counted styles, the stacks, comparison, and what
// an environment does to the styled text of a view.

#include <gtest/gtest.h>

#include <DisplayServer.h>
#include <TextView.h>
#include <Window.h>

#include "Environment.h"
#include "TestFonts.h"

TEST(EnvironmentCounters, StylesCountOpenTagsAndNeverGoBelowZero)
{
	Environment environment;
	environment.SetUnderlined();
	environment.SetUnderlined();
	environment.UnsetUnderlined();
	EXPECT_TRUE(environment.IsUnderlined());
	environment.UnsetUnderlined();
	environment.UnsetUnderlined();
	EXPECT_FALSE(environment.IsUnderlined());
	environment.SetUnderlined();
	EXPECT_TRUE(environment.IsUnderlined()) << "a count below zero would hide this one";
}

TEST(EnvironmentStacks, EmptyStacksAnswerTheirDefaults)
{
	Environment environment;
	EXPECT_EQ(environment.PopFontType(), 1);
	EXPECT_EQ(environment.PopFontType(), 1);
	EXPECT_EQ(environment.FontType(), 1);
	environment.PopColor();
	EXPECT_EQ(environment.Color(), nullptr);
	environment.PopFont();
	EXPECT_EQ(environment.Font(), nullptr);
	EXPECT_EQ(environment.CurrentList(), nullptr);
	environment.Reset();
	ASSERT_NE(environment.Color(), nullptr);
	EXPECT_EQ(*environment.Color(), make_color(0, 0, 0, 255));
	EXPECT_NE(environment.Font(), nullptr);
}

TEST(EnvironmentStacks, PushedFontsAreTheEnvironmentsOwnCopies)
{
	BFont pageFont;
	pageFont.SetSize(15);
	Environment environment;
	environment.PushFont(&pageFont);
	environment.Font()->SetFace(B_BOLD_FACE);
	environment.Font()->SetSize(30);
	EXPECT_EQ(pageFont.Size(), 15) << "applying a tag never changes the page's font";
	EXPECT_EQ(pageFont.Face(), BFont().Face());
}

TEST(EnvironmentComparison, SameSequencesCompareEqualAndDifferencesShow)
{
	BFont font;
	rgb_color red = make_color(255, 0, 0);
	rgb_color otherRed = make_color(255, 0, 0);
	Environment a;
	Environment b;
	a.PushFont(&font);
	b.PushFont(&font);
	a.PushColor(&red);
	b.PushColor(&otherRed);
	a.SetBold();
	b.SetBold();
	EXPECT_TRUE(a == b);
	b.PushFontType(3);
	EXPECT_TRUE(a != b);
	b.PopFontType();
	b.SetItalic();
	EXPECT_TRUE(a != b);
	b.UnsetItalic();
	BFont bigger(font);
	bigger.SetSize(font.Size() + 4);
	b.PushFont(&bigger);
	EXPECT_TRUE(a != b);
	a.placeholderFrom = 3;
	a.placeholderTo = 9;
	b.PopFont();
	EXPECT_TRUE(a == b) << "placeholders are not compared";
}

TEST(TagEffectsFlags, ToggleCancelsAndCoversChecksEveryFlag)
{
	structTagEffects bold;
	bold.bold = true;
	structTagEffects link;
	link.underlined = true;
	link.anchor = true;
	structTagEffects open;
	open.Toggle(bold);
	open.Toggle(link);
	EXPECT_TRUE(open.Covers(bold));
	EXPECT_TRUE(open.Covers(link));
	open.Toggle(bold);
	EXPECT_FALSE(open.bold);
	EXPECT_FALSE(open.Covers(bold));
	EXPECT_TRUE(open.Covers(structTagEffects())) << "no effects are always covered";
}

// A view in a window that this thread made and so holds locked.
class EnvironmentText : public testing::Test {
protected:
	void SetUp() override
	{
		BPrivate::DisplayServer::UseHeadless();
		fWindow = new BWindow(BRect(0, 0, 299, 99), "text", B_TITLED_WINDOW, 0);
		fWindow->AddChild(&fView);
		fView.SetStylable(true);
		fView.SetText("0123456789");
		fView.SetFontAndColor(0, 10, &fPlain, B_FONT_ALL, &fBlack);
		fBig.SetSize(30);
		fEnvironment.PushFont(&fBig);
	}

	void TearDown() override
	{
		fWindow->RemoveChild(&fView);
		fWindow->Quit();
	}

	BFont At(int32 offset, rgb_color* color = nullptr)
	{
		BFont font;
		rgb_color found;
		fView.GetFontAndColor(offset, &font, &found);
		if (color != nullptr)
			*color = found;
		return font;
	}

	BWindow* fWindow = nullptr;
	BTextView fView{BRect(0, 0, 299, 99), "text", BRect(0, 0, 299, 99), B_FOLLOW_NONE,
		B_WILL_DRAW};
	BFont fPlain;
	rgb_color fBlack = make_color(0, 0, 0);
	BFont fBig;
	Environment fEnvironment;	// in the big font
};

TEST_F(EnvironmentText, WithoutPlaceholdersTheWholeRangeTakesFontAndColour)
{
	rgb_color blue = make_color(0, 0, 255);
	fEnvironment.PushColor(&blue);
	fEnvironment.SetText(&fView, 2, 6);
	rgb_color color;
	EXPECT_EQ(At(1).Size(), fPlain.Size());
	EXPECT_EQ(At(2, &color).Size(), 30);
	EXPECT_EQ(color, blue);
	EXPECT_EQ(At(5).Size(), 30);
	EXPECT_EQ(At(6).Size(), fPlain.Size());
}

TEST_F(EnvironmentText, PlaceholdersTakeTheirFontAndAreUsedUp)
{
	Environment& environment = fEnvironment;
	BFont space;
	space.SetSize(40);
	environment.placeholderFont = &space;
	environment.placeholderFrom = 3;
	environment.placeholderTo = 5;
	environment.SetText(&fView, 2, 8);
	EXPECT_EQ(At(2).Size(), fPlain.Size()) << "the text in front of them stays as it was";
	EXPECT_EQ(At(3).Size(), 40);
	EXPECT_EQ(At(4).Size(), 40);
	EXPECT_EQ(At(5).Size(), 30);
	EXPECT_EQ(environment.placeholderFont, nullptr);
	EXPECT_EQ(environment.placeholderTo, -1);
}
