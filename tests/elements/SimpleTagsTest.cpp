// Links, line ends, rules and the tags the visual view does not render:
// the characters they own in the visual text, the partners they pair
// with, and the HTML they write back.

#include "ModelTesting.h"

#include "Anchor.h"
#include "EndLine.h"
#include "Environment.h"
#include "HorizontalLine.h"
#include "NodeTree.h"
#include "TagDictionary.h"
#include "UnsupportedTag.h"

using ModelTesting::ModelTest;

namespace {

class SimpleTags : public ModelTest {
protected:
	template <class Element>
	Element* Nth(int n = 0)
	{
		for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
			if (Element* element = At<Element>(i); element != nullptr && n-- == 0)
				return element;
		}
		return nullptr;
	}

	long Delete(Visual_Element* element)
	{
		BAutolock lock(Engine());
		return Engine()->Delete(element);
	}

	std::unique_ptr<Environment> EnvironmentAt(long offset)
	{
		BAutolock lock(Engine());
		return Engine()->EnvironmentAt(offset);
	}
};

} // namespace

TEST_F(SimpleTags, ANamedTargetWritesNoLinkAndAnEmptyLinkIsLeftOut)
{
	Open("<html><body><a name=\"x\">t</a><a href=\"\" title=\"y\">u</a></body></html>");
	EXPECT_EQ(Body(), "<A NAME=\"x\">t</A><A title=\"y\">u</A>");
}

TEST_F(SimpleTags, ALinkIsColouredAndUnderlinedATargetOnlyColoured)
{
	Open("<html><body link=\"#00AA00\"><a href=\"l.html\">a</a>b<a name=\"n\">c</a>d</body></html>");
	std::unique_ptr<Environment> link = EnvironmentAt(0);
	EXPECT_TRUE(link->IsUnderlined());
	EXPECT_EQ(*link->Color(), make_color(0, 170, 0));
	EXPECT_EQ(link->CurrentAnchor(), Nth<Anchor>(0));
	std::unique_ptr<Environment> after = EnvironmentAt(1);
	EXPECT_FALSE(after->IsUnderlined());
	EXPECT_EQ(after->CurrentAnchor(), nullptr);
	std::unique_ptr<Environment> target = EnvironmentAt(2);
	EXPECT_FALSE(target->IsUnderlined());
	EXPECT_EQ(*target->Color(), make_color(0, 170, 0));
	EXPECT_EQ(*EnvironmentAt(3)->Color(), make_color(0, 0, 0));
}

TEST_F(SimpleTags, EachClosingAnchorPairsWithTheNearestOpeningBeforeIt)
{
	Open("<html><body>abcd</body></html>");
	auto anchor = [this](long offset, bool open) {
		BMessage archive;
		archive.AddString("class", "Anchor");
		archive.AddPointer("_tag", tag_a);
		archive.AddInt32("_type", open ? StartTag : EndTag);
		archive.AddBool("opentag", open);
		BAutolock lock(Engine());
		return dynamic_cast<Anchor*>(Engine()->Instantiate(&archive, offset));
	};
	Anchor* outer = anchor(0, true);
	Anchor* inner = anchor(1, true);
	Anchor* innerEnd = anchor(2, false);
	Anchor* outerEnd = anchor(3, false);
	EXPECT_EQ(innerEnd->FindOpeningClosing(), inner);
	EXPECT_EQ(outerEnd->FindOpeningClosing(), inner)
		<< "nearest match, no nesting count";
	EXPECT_EQ(outer->FindOpeningClosing(), innerEnd);
}

TEST_F(SimpleTags, ALineBreakOwnsOneLineFeedAndTakesItAlong)
{
	Open("<html><body>ab<br>cd</body></html>");
	EXPECT_EQ(VisualText(), "ab\ncd");
	EndLine* lineBreak = Nth<EndLine>(0);
	ASSERT_NE(lineBreak, nullptr);
	EXPECT_EQ(lineBreak->ThisOffset(), 2);
	EXPECT_FALSE(lineBreak->HasText()) << "a line break is no pair";
	EXPECT_EQ(Delete(lineBreak), 1);
	EXPECT_EQ(VisualText(), "abcd");
	EXPECT_EQ(List()->LastIndex(), 0u);
}

TEST_F(SimpleTags, AParagraphOwnsItsBreakItsEndNothing)
{
	Open("<html><body>ab<p>cd</p>ef</body></html>");
	std::string text = VisualText();
	EXPECT_EQ(text.substr(0, 3), "ab\n");
	EXPECT_EQ(text.find('\n'), text.rfind('\n')) << "one break for the pair";
	EndLine* opening = Nth<EndLine>(0);
	EndLine* closing = Nth<EndLine>(1);
	EXPECT_TRUE(opening->PairTag());
	EXPECT_EQ(opening->FindOpeningClosing(), closing);
	EXPECT_TRUE(opening->HasText());
	EXPECT_EQ(Body(), "ab\r\n<P>cd</P>\r\nef");
	long before = static_cast<long>(text.size());
	EXPECT_EQ(Delete(closing), 0);
	EXPECT_EQ(Delete(opening), before - 6);
	EXPECT_EQ(VisualText(), "abcdef");
}

TEST_F(SimpleTags, ARuleIsALineOfItsOwnAndLeavesNothingBehind)
{
	Open("<html><body>ab<hr size=3>cd</body></html>");
	std::string text = VisualText();
	HorizontalLine* rule = Nth<HorizontalLine>(0);
	ASSERT_NE(rule, nullptr);
	Element_List_Item item = (*List())[rule->ThisIndex()];
	EXPECT_EQ(item.offset, 2);
	EXPECT_EQ(text[2], '\n');
	EXPECT_EQ(item.spaceFrom, 1);
	EXPECT_EQ(text[item.offset + item.spaceTo - 1], '\n') << "the rule's line ends the space";
	EXPECT_EQ(text.substr(item.offset + item.spaceTo), "cd");
	EXPECT_EQ(Body(), "ab\r\n<HR size=\"3\">\r\ncd");
	Delete(rule);
	EXPECT_EQ(VisualText(), "abcd");
}

TEST_F(SimpleTags, UnknownMarkupIsWrittenBackAsItWas)
{
	Open("<html><body>a<!-- note -->b<!---->c<foo x=1>d</foo>e<?php echo 1 ?></body></html>");
	EXPECT_EQ(VisualText(), "abcde");
	std::string body = Body();
	EXPECT_NE(body.find("a<!-- note -->b<!---->c<foo x=1>d</foo>e"), std::string::npos)
		<< body;
	EXPECT_NE(body.find("<?php echo 1 ?>"), std::string::npos) << body;
}

TEST_F(SimpleTags, AnUnknownEmptyTagHasNoPartner)
{
	Open("<html><body>a<img src=\"x.gif\">b<ul><li>c</li></ul></body></html>");
	UnsupportedTag* image = Nth<UnsupportedTag>(0);
	ASSERT_EQ(image->HTMLType(), tag_img);
	EXPECT_FALSE(image->IsPairTag());
	EXPECT_EQ(image->FindOpeningClosing(), nullptr);
	UnsupportedTag* list = Nth<UnsupportedTag>(1);
	ASSERT_EQ(list->HTMLType(), tag_ul);
	EXPECT_EQ(list->FindOpeningClosingIndex(), Nth<UnsupportedTag>(4)->ThisIndex());
}

TEST_F(SimpleTags, PreformattedTextKeepsItsLinesAndLineBreaksAddNone)
{
	Open("<html><body><pre>one\n  two<br>three</pre></body></html>");
	EXPECT_EQ(Body(), "<PRE>one\r\n  two<BR>three</PRE>");
}
