// Links, paragraphs and the tags the visual view does not render: the
// characters they own in the visual text, the partners they pair with,
// and the HTML they write back.

#include "ModelTesting.h"

#include "Anchor.h"
#include "EndLine.h"
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
};

} // namespace

TEST_F(SimpleTags, ANamedTargetWritesNoLinkAndAnEmptyLinkIsLeftOut)
{
	Open("<html><body><a name=\"x\">t</a><a href=\"\" title=\"y\">u</a></body></html>");
	EXPECT_EQ(Body(), "<A NAME=\"x\">t</A><A title=\"y\">u</A>");
}

TEST_F(SimpleTags, AQuoteTypedIntoALinkIsWrittenAsAReference)
{
	Open("<html><body><a href=\"a&quot;b\">t</a></body></html>");
	Anchor* link = Nth<Anchor>(0);
	EXPECT_EQ(Body(), "<A HREF=\"a&quot;b\">t</A>") << "as it was read";
	link->SetLinkTo("say \"hi\"");
	link->SetName("\"");
	EXPECT_EQ(Body(), "<A HREF=\"say &quot;hi&quot;\" NAME=\"&quot;\">t</A>");
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

TEST_F(SimpleTags, AnUnknownEmptyTagHasNoPartner)
{
	Open("<html><body>a<input name=\"x\">b<ul><li>c</li></ul></body></html>");
	UnsupportedTag* input = Nth<UnsupportedTag>(0);
	ASSERT_NE(input->HTMLType(), nullptr);
	ASSERT_STREQ(input->HTMLType()->name, "input");
	EXPECT_FALSE(input->IsPairTag());
	EXPECT_EQ(input->FindOpeningClosing(), nullptr);
	UnsupportedTag* list = Nth<UnsupportedTag>(1);
	ASSERT_EQ(list->HTMLType(), tag_ul);
	EXPECT_EQ(list->FindOpeningClosingIndex(), Nth<UnsupportedTag>(4)->ThisIndex());
}

TEST_F(SimpleTags, PreformattedTextKeepsItsLinesAndLineBreaksAddNone)
{
	Open("<html><body><pre>one\n  two<br>three</pre></body></html>");
	EXPECT_EQ(Body(), "<PRE>one\r\n  two<BR>three</PRE>");
}
