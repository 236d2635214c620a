// Text runs: the formatting they give the text between their ends, the
// partner search, their fixed knowledge of the tags, and how they write
// themselves back.

#include "ModelTesting.h"

#include "Config_.h"
#include "Environment.h"
#include "ErrorAlert.h"
#include "NodeTree.h"
#include "TagDictionary.h"
#include "TextChange.h"

using ModelTesting::ModelTest;

namespace {

class TextRuns : public ModelTest {
protected:
	// The environment in force at the character at offset.
	std::unique_ptr<Environment> Formatting(long offset)
	{
		BAutolock lock(Engine());
		return Engine()->EnvironmentAt(offset);
	}

	long OffsetOf(char character)
	{
		return static_cast<long>(VisualText().find(character));
	}

	// The n-th text run of a tag in list order.
	TextChange* Run(const _tagdict* tag, int n = 0, bool open = true)
	{
		for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
			TextChange* run = At<TextChange>(i);
			if (run != nullptr && run->Type() == tag && run->OpenTag() == open && n-- == 0)
				return run;
		}
		return nullptr;
	}

	float Base() { return static_cast<float>(fPage->Config()->BaseFontSize()); }
};

} // namespace

TEST_F(TextRuns, NestedBoldEndsWithTheFirstClosingTag)
{
	Open("<html><body><b><b>x</b>y</b>z</body></html>");
	EXPECT_TRUE(Formatting(OffsetOf('x'))->IsBold());
	EXPECT_FALSE(Formatting(OffsetOf('y'))->IsBold()) << "bold is set, not counted";
	EXPECT_FALSE(Formatting(OffsetOf('z'))->IsBold());
	EXPECT_EQ(Run(tag_b, 1, true)->FindOpeningClosing(), Run(tag_b, 0, false))
		<< "the inner end pairs with the inner start";
}

// S is read as a struck-out run of its own name, one group with STRIKE.
TEST_F(TextRuns, SStrikesThroughAsStrikeDoesAndIsWrittenBackAsS)
{
	Open("<html><body>a<s>b</s>c<strike>d</strike>e</body></html>");
	ASSERT_NE(Run(tag_s), nullptr);
	for (char struck : {'b', 'd'})
		EXPECT_TRUE(Formatting(OffsetOf(struck))->IsStruckout()) << struck;
	for (char plain : {'a', 'c', 'e'})
		EXPECT_FALSE(Formatting(OffsetOf(plain))->IsStruckout()) << plain;
	EXPECT_TRUE(TextChange::SameGroup(tag_s, tag_strike));
	EXPECT_EQ(Body(), "a<S>b</S>c<STRIKE>d</STRIKE>e");
}

TEST_F(TextRuns, ClosingASizeStepInsideAHeadingReturnsToTheBaseSize)
{
	Open("<html><body><h1>a<big>b</big>c</h1>d</body></html>");
	EXPECT_EQ(Formatting(OffsetOf('a'))->Font()->Size(), Base() + 12);
	EXPECT_EQ(Formatting(OffsetOf('b'))->Font()->Size(), Base() + 2);
	EXPECT_EQ(Formatting(OffsetOf('c'))->Font()->Size(), Base());
	EXPECT_EQ(Formatting(OffsetOf('d'))->FontType(), 1);
}

TEST_F(TextRuns, AHeadingsEndKeepsTheBoldOfAnOuterBoldRun)
{
	Open("<html><body><b><h2>x</h2>y</b>z<h3>w</h3>v</body></html>");
	EXPECT_TRUE((Formatting(OffsetOf('y'))->Font()->Face() & B_BOLD_FACE) != 0);
	EXPECT_TRUE((Formatting(OffsetOf('w'))->Font()->Face() & B_BOLD_FACE) != 0);
	EXPECT_FALSE((Formatting(OffsetOf('v'))->Font()->Face() & B_BOLD_FACE) != 0);
}

TEST_F(TextRuns, FontRunsSetFamilySizeAndColourUntilTheirEnd)
{
	Open("<html><body><font face=\"nosuch, dejavu serif\" size=\"+2\" color=\"#FF0000\">a</font>"
		"b</body></html>");
	std::unique_ptr<Environment> inside = Formatting(OffsetOf('a'));
	font_family family;
	font_style style;
	inside->Font()->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Serif");
	EXPECT_EQ(inside->Font()->Size(), fPage->FontSizeFor("+2"));
	EXPECT_EQ(*inside->Color(), make_color(255, 0, 0, 255));
	std::unique_ptr<Environment> after = Formatting(OffsetOf('b'));
	EXPECT_EQ(*after->Color(), make_color(0, 0, 0, 255));
	EXPECT_EQ(after->Font()->Size(), Base());
	EXPECT_NE(Body().find("<FONT face=\"nosuch, dejavu serif\" size=\"+2\" color=\"#FF0000\">a"),
		std::string::npos) << "written as parsed";
}

TEST_F(TextRuns, APairWithNothingBetweenHasNoText)
{
	Open("<html><body>a<b></b>b<i>c</i></body></html>");
	EXPECT_FALSE(Run(tag_b)->HasText());
	EXPECT_TRUE(Run(tag_i)->HasText());
	EXPECT_TRUE(Run(tag_i, 0, false)->HasText());
}

TEST_F(TextRuns, AnUnsupportedTypeIsReportedWhenItsFormattingIsAskedFor)
{
	Open("<html><body>x</body></html>");
	std::vector<std::string> alerts;
	static std::vector<std::string>* sAlerts;
	sAlerts = &alerts;
	error_alert_handler old = SetErrorAlertHandler([](const char* text) {
		sAlerts->push_back(text);
	});
	BMessage archive;
	archive.AddString("class", "TextChange");
	archive.AddString("_tag", "ul");
	archive.AddInt32("_type", StartTag);
	{
		BAutolock lock(Engine());
		Page_Element* element = Engine()->Instantiate(&archive, 0);
		ASSERT_NE(element, nullptr);
		EXPECT_EQ(dynamic_cast<TextChange*>(element)->Type(), nullptr);
		Formatting(1);
	}
	SetErrorAlertHandler(old);
	ASSERT_FALSE(alerts.empty());
	EXPECT_EQ(alerts.front(), "Internal error: TextChange - unsupported type");
}
