// The formatting state: counted styles, the stacks and comparison.

#include <gtest/gtest.h>

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

// More closing tags than opening ones pop empty stacks.
TEST(EnvironmentStacks, PoppingEmptyStacksLeavesThemEmpty)
{
	Environment environment;
	EXPECT_EQ(environment.PopFontType(), 1);
	EXPECT_EQ(environment.PopFontType(), 1);
	environment.PopColor();
	EXPECT_EQ(environment.Color(), nullptr);
	environment.PopFont();
	EXPECT_EQ(environment.Font(), nullptr);
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
