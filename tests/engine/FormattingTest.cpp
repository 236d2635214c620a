// Formatting commands: styles given and taken, headings and paragraphs,
// quotes, centring and lists, the open-tag report, and the clearing of
// code that says a thing twice or crosses itself.

#include "FormattingChecks.h"

#include <functional>

#include "Anchor.h"
#include "NodeTree.h"
#include "TextChange.h"
#include "UnsupportedTag.h"

using namespace FormattingChecks;
using ModelTesting::ModelTest;

namespace {

class Formatting : public ModelTest {
protected:
	// The offsets of the first occurrence of a word in the view's text.
	std::pair<long, long> Word(const char* word)
	{
		long at = static_cast<long>(VisualText().find(word));
		EXPECT_GE(at, 0) << word;
		return {at, at + static_cast<long>(strlen(word))};
	}

	_node* StartNode(const _tagdict* tag)
	{
		_node* node = fPage->NewNode();
		node->tag = tag;
		node->type = StartTag;
		return node;
	}

	// Formats from the first word's start to the last word's end.
	long Format(const char* first, const _tagdict* tag, Page_Element** created = nullptr,
		const char* last = nullptr)
	{
		long start = Word(first).first;
		long end = Word(last != nullptr ? last : first).second;
		return Engine()->Format(start, end, StartNode(tag), created);
	}

	void Untag(const char* word, tag_mask mask, const _tagdict* tag = nullptr)
	{
		auto [start, end] = Word(word);
		Engine()->UntagArea(&start, &end, mask, tag);
	}

	void Wrap(const char* from, const char* to, const _tagdict* tag)
	{
		Engine()->WrapParagraphs(Word(from).first, Word(to).second, tag);
	}

	long Offset(char c) { return static_cast<long>(VisualText().find(c)); }

	// Elements made from nodes, as the page is built: for lists the
	// reader of a page never makes (pairs that cross).
	Page_Element* Add(long offset, const _tagdict* tag, bool open)
	{
		_node* node = StartNode(tag);
		node->type = open ? StartTag : EndTag;
		BAutolock lock(Engine());
		View()->SetInsertMode(INSERT_BUILD);
		Engine()->InsertAt(offset, node, INSERT_BUILD, nullptr);
		View()->SetInsertMode(INSERT_EDIT);
		return List()->ElementForNode(node);
	}

	std::string Tags() { return Describe(Marks(Engine())); }

	// The commands keep the page's text and write HTML that reads back as
	// the elements stand.
	void ExpectSound()
	{
		EXPECT_EQ(Crossing(Engine()), "");
		std::string text;
		std::vector<Mark> back = ReadBack(Saved(*fPage), &text);
		EXPECT_EQ(text, PageText(Engine()));
		EXPECT_EQ(Difference(back, Marks(Engine())), "");
	}

	// The one shape of the command tables: a body opened, one command
	// run, the body written afterwards, and what every command keeps.
	void ExpectBody(const char* page, const char* body, const std::function<void()>& command)
	{
		Open(std::string("<html><body>") + page + "</body></html>");
		command();
		EXPECT_EQ(Body(), body) << page;
		ExpectSound();
	}
};

struct Case {
	const char* page;
	const char* first;		// the range: from this word's start
	const char* last;		// to this one's end
	const _tagdict* tag;
	const char* body;		// the body written afterwards
};

} // namespace

TEST_F(Formatting, AStyleGivenInsideARunOfItsOwnKeepsOneRunAndItsElements)
{
	Open("<html><body><b>ab cd ef</b></body></html>");
	Page_Element* opening = At<Page_Element>(1);
	Page_Element* created = nullptr;
	Format("cd", tag_b, &created);
	EXPECT_EQ(Body(), "<B>ab cd ef</B>");
	EXPECT_EQ(created, opening) << "the run that says the same stays";
	EXPECT_EQ(At<Page_Element>(1), opening);
}

TEST_F(Formatting, StylesLandWhereTheyStayAfterTheNextReading)
{
	const Case cases[] = {
		{"ab cd ef", "b", "e", tag_b, "a<B>b cd e</B>f"},
		// Blanks at a run's ends are outside it, as the page's reader
		// would put them.
		{"ab cd ef", " cd", "d ", tag_b, "ab <B>cd</B> ef"},
		// The other members of the group leave the range.
		{"<i>ab cd ef</i>", "cd", "cd", tag_em, "<I>ab</I> <EM>cd</EM> <I>ef</I>"},
		// A style does not hold a block: one run in each.
		{"<p>ab cd</p><p>ef gh</p>", "cd", "ef", tag_b,
			"<P>ab <B>cd</B></P>\r\n<P><B>ef</B> gh</P>"},
		// An inline tag is held whole, or holds the style whole.
		{"ab <span>cd</span> ef", "b", "e", tag_u, "a<U>b <SPAN>cd</SPAN> e</U>f"},
		// A link stays whole where a style crosses it.
		{"ab <a href=\"t\">cd ef</a>", "b", "cd", tag_b,
			"a<B>b</B> <A HREF=\"t\"><B>cd</B> ef</A>"},
		// Text read as text holds no style.
		{"<form><textarea>ab</textarea>cd</form>", "ab", "cd", tag_b,
			"<FORM><TEXTAREA>ab</TEXTAREA><B>cd</B></FORM>"},
	};
	for (const Case& row : cases)
		ExpectBody(row.page, row.body, [&] { Format(row.first, row.tag, nullptr, row.last); });
}

TEST_F(Formatting, EachMaskTakesOffItsOwnGroup)
{
	// Every group over "x", the heading's paragraph around it.
	const char* page = "<h3><big><i><b><tt><u><strike><a href=\"t\"><font color=\"red\">"
		"x</font></a></strike></u></tt></b></i></big></h3>";
	struct Row {
		tag_mask mask;
		const _tagdict* tag;
		const char* body;
	};
	const Row rows[] = {
		{MASK_ALL, nullptr, "<P>x</P>"},
		{MASK_BASIC, nullptr, "<P><I><B><TT><U><STRIKE><A HREF=\"t\"><FONT color=\"red\">x"
			"</FONT></A></STRIKE></U></TT></B></I></P>"},
		{MASK_BOLD, nullptr, "<H3><BIG><I><TT><U><STRIKE><A HREF=\"t\"><FONT color=\"red\">x</FONT>"
			"</A></STRIKE></U></TT></I></BIG></H3>"},
		{MASK_TAG, tag_tt, "<H3><BIG><I><B><U><STRIKE><A HREF=\"t\"><FONT color=\"red\">x</FONT>"
			"</A></STRIKE></U></B></I></BIG></H3>"},
	};
	for (const Row& row : rows) {
		SCOPED_TRACE(row.mask);
		ExpectBody(page, row.body, [&] { Untag("x", row.mask, row.tag); });
	}
}

TEST_F(Formatting, AnEmptySelectionGetsOneBlankInsideTheNewPairAndTheModeStays)
{
	for (insert_mode mode : {INSERT_EDIT, INSERT_BUILD}) {
		Open("<html><body>abcd</body></html>");
		{
			BAutolock lock(Engine());
			View()->SetInsertMode(mode);
		}
		EXPECT_EQ(Engine()->Format(2, 2, StartNode(tag_i), nullptr), 3);
		EXPECT_EQ(VisualText(), "ab cd");
		EXPECT_EQ(Tags(), "i@2 /i@3 ");
		EXPECT_EQ(View()->InsertMode(), mode) << "the mode the command found";
	}
}

TEST_F(Formatting, HeadingsAndParagraphsTakeWholeParagraphs)
{
	const Case cases[] = {
		// Part of a paragraph makes all of it a heading.
		{"<p>ab cd ef</p>", "cd", "cd", tag_h2, "<H2>ab cd ef</H2>"},
		// A line ends at its line break, which stays behind the heading.
		{"ab<br>cd<br>ef", "cd", "cd", tag_h1, "ab<BR>\r\n<H1>cd</H1>\r\n<BR>\r\nef"},
		// A paragraph inside a table is made in its cell; the table stays.
		{"<table><tr><td>ab</td></tr></table>", "ab", "ab", tag_p,
			"<TABLE>\r\n<TR>\r\n<TD>\r\n<P>ab</P>\r\n</TD>\r\n</TR>\r\n</TABLE>"},
		// A style that held the line is cut where the heading starts and ends.
		{"<b>ab<br>cd</b>", "cd", "cd", tag_h4, "<B>ab</B><BR>\r\n<H4><B>cd</B></H4>"},
		// A line in front of a paragraph both become headings.
		{"ab<h2>cd</h2>", "ab", "cd", tag_h1, "<H1>ab</H1>\r\n<H1>cd</H1>"},
	};
	for (const Case& row : cases) {
		std::vector<Visual_Element*> tables;
		ExpectBody(row.page, row.body, [&] {
			for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
				if (At<UnsupportedTag>(i) != nullptr)
					tables.push_back((*List())[i].element);
			}
			Format(row.first, row.tag, nullptr, row.last);
		});
		for (Visual_Element* element : tables)
			EXPECT_TRUE(List()->Contains(element)) << "the table's own elements stay";
	}
}

// Text typed in front of the head's elements pushes them behind it: a
// heading, paragraph or wrap made over that text goes in front of them,
// or the element list leaves offset order. The head's elements are still
// written into the head.
TEST_F(Formatting, BlocksMadeOverTextTypedInFrontOfTheHeadKeepTheListInOffsetOrder)
{
	const Case cases[] = {
		{"", "cd", "cd", tag_h2, "<H2>ab cd</H2>"},
		{"", "ab", "ab", tag_p, "<P>ab cd</P>"},
		{"", "ab", "cd", tag_blockquote, "<BLOCKQUOTE>ab cd</BLOCKQUOTE>"},
	};
	for (const Case& row : cases) {
		SCOPED_TRACE(row.tag->name);
		Open("<html><head><title>t</title><script>f();</script></head><body></body></html>");
		{
			BAutolock lock(Engine());
			View()->Insert(0, "ab cd", 5);
		}
		if (row.tag == tag_blockquote)
			Wrap(row.first, row.last, row.tag);
		else
			Format(row.first, row.tag, nullptr, row.last);
		std::vector<Mark> marks = Marks(Engine());
		for (size_t i = 1; i < marks.size(); i++)
			EXPECT_LE(marks[i - 1].offset, marks[i].offset) << Tags();
		EXPECT_EQ(Body(), row.body);
		std::string saved = Saved(*fPage);
		EXPECT_LT(saved.find("<SCRIPT>f();</SCRIPT>"), saved.find("<BODY")) << saved;
	}
}

TEST_F(Formatting, WrappingParagraphsAndTakingTheWrapOffAgain)
{
	const Case cases[] = {
		{"ab<br>cd", "ab", "cd", tag_blockquote, "<BLOCKQUOTE>ab<BR>\r\ncd</BLOCKQUOTE>"},
		{"ab<br>cd", "ab", "cd", tag_ul, "<UL>\r\n<LI>ab<BR>\r\n</LI>\r\n<LI>cd</LI>\r\n</UL>"},
		// Lines take turns as terms and definitions; a paragraph is a
		// definition, since a term holds only text.
		{"ab<br>cd<br>ef<p>gh</p>", "ab", "gh", tag_dl,
			"<DL>\r\n<DT>ab<BR>\r\n</DT>\r\n<DD>cd<BR>\r\n</DD>\r\n<DT>ef</DT>\r\n<DD>\r\n<P>gh</P>"
			"\r\n</DD>\r\n</DL>"},
		// A style over the lines is cut at every item, and joins again.
		{"<b>ab<br>cd</b>", "ab", "cd", tag_ul,
			"<UL>\r\n<LI><B>ab</B><BR>\r\n</LI>\r\n<LI><B>cd</B></LI>\r\n</UL>"},
		// Choices a broken page left outside their field are taken out of
		// any list or quote by the page's reader: nothing is wrapped.
		{"ab<optgroup label=\"x\"><option>cd</option></optgroup>", "ab", "cd", tag_ol,
			"ab<OPTGROUP label=\"x\"><OPTION>cd</OPTION></OPTGROUP>"},
	};
	for (const Case& row : cases) {
		std::string before;
		ExpectBody(row.page, row.body, [&] {
			before = Body();
			Wrap(row.first, row.last, row.tag);
		});
		Wrap(row.first, row.last, row.tag);
		EXPECT_EQ(Body(), before) << "the second command takes it off: " << row.page;
	}
}

TEST_F(Formatting, ClearingJoinsRunsThatSayTheSameAndKeepsHoldOfTheSurvivor)
{
	struct Row {
		const char* page;
		const char* tags;
	};
	const Row rows[] = {
		{"<b>ab</b><b>cd</b>", "b@0 /b@4 "},
		{"<a href=\"t\">ab</a><a href=\"u\">cd</a>", "a@0 /a@2 a@2 /a@4 "},
		// Identical italics nested: the inner pair goes; EM inside I stays.
		{"<i>a<i>b</i>c</i>", "i@0 /i@3 "},
		{"<i>a<em>b</em>c</i>", "i@0 em@1 /em@2 /i@3 "},
	};
	for (const Row& row : rows) {
		Open(std::string("<html><body>") + row.page + "</body></html>");
		std::vector<Page_Element*> openings;
		for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
			if (PairRole::Of((*List())[i].element).open)
				openings.push_back(At<Page_Element>(i));
		}
		ASSERT_EQ(openings.size(), 2u);
		Page_Element* first = openings[0];
		Page_Element* second = openings[1];
		Page_Element* tracked = second;
		Engine()->ClearCode(0, 4, second, &tracked);
		EXPECT_EQ(Tags(), row.tags) << row.page;
		bool joined = !List()->Contains(second);
		EXPECT_EQ(tracked, joined ? first : second)
			<< "the element that says the same and stays: " << row.page;
	}
}

TEST_F(Formatting, ClearingCutsCrossingPairsOfOneGroup)
{
	struct Row {
		const _tagdict* outer;		// opens in front of b, closes in front of e
		const _tagdict* inner;		// opens in front of c, closes in front of f
		const char* tags;
	};
	const Row rows[] = {
		// The later pair is cut where the earlier one ends and opens again
		// right behind it.
		{tag_b, tag_strong, "b@1 strong@2 /strong@4 /b@4 strong@4 /strong@5 "},
		// A heading stays whole: the size step ends where the heading
		// starts and goes on inside it, as far as it went.
		{tag_big, tag_h1, "big@1 /big@2 h1@2 big@4 /big@6 /h1@7 "},
	};
	for (const Row& row : rows) {
		Open("<html><body>abcdef</body></html>");
		Add(Offset('b'), row.outer, true);
		Add(Offset('c'), row.inner, true);
		Add(Offset('e'), row.outer, false);
		Add(Offset('f'), row.inner, false);
		std::string text = PageText(Engine());
		Engine()->ClearCode(0, View()->TextLength(), nullptr, nullptr);
		EXPECT_EQ(Tags(), row.tags);
		EXPECT_EQ(Crossing(Engine()), "");
		EXPECT_EQ(PageText(Engine()), text);
	}
}

TEST_F(Formatting, ClearingStopsAtTheCharactersItWasGivenWhenTheTextShrinks)
{
	// A heading inside an identical one goes, with its paragraph breaks;
	// the walk still ends in front of the two bold runs behind the range.
	Open("<html><body>xy<b>z</b><b>w</b></body></html>");
	Add(Offset('x'), tag_h1, true);
	Add(Offset('x'), tag_h1, true);
	Add(Offset('y'), tag_h1, false);
	Add(Offset('y'), tag_h1, false);
	Engine()->ClearCode(0, Offset('y'), nullptr, nullptr);
	EXPECT_EQ(Tags(), "h1@0 /h1@3 b@6 /b@7 b@7 /b@8 ");
}

// Nested identical pairs and joined runs go at once, behind the walk,
// while a cut in the middle of the walk and a heading that takes its
// paragraph breaks along need them gone first: every rule still meets the
// elements it met when each deletion was done on the spot.
TEST_F(Formatting, ClearingDeletionsThatWaitMeetCutsAndHeadingsInOneWalk)
{
	Open("<html><body><b>a<b>b<b>c</b>d</b>e</b>fghi<i>j</i><i>k</i>lm</body></html>");
	Add(Offset('f'), tag_b, true);
	Add(Offset('g'), tag_strong, true);
	Add(Offset('h'), tag_b, false);
	Add(Offset('i'), tag_strong, false);
	Add(Offset('l'), tag_h1, true);
	Add(Offset('l'), tag_h1, true);
	Add(Offset('m'), tag_h1, false);
	Add(Offset('m'), tag_h1, false);
	std::string text = PageText(Engine());
	Engine()->ClearCode(0, View()->TextLength(), nullptr, nullptr);
	EXPECT_EQ(Tags(), "b@0 strong@6 /strong@7 /b@7 strong@7 /strong@8 i@9 /i@11 h1@11 /h1@14 ");
	EXPECT_EQ(Crossing(Engine()), "");
	EXPECT_EQ(PageText(Engine()), text);
}

TEST_F(Formatting, TheOpenTagReportHoldsEveryOpenTagAndCollidesOnlyInAGroup)
{
	std::string spans;
	for (int i = 0; i < 100; i++)
		spans += "<span>";
	Open("<html><body><table><tr><td><i>" + spans + "ab</td></tr></table></body></html>");
	OpenTags tags;
	Engine()->OpenTagsAt(1, tags);
	EXPECT_EQ(tags.others.size(), 103u) << "a table, a row, a cell and every span";
	ASSERT_NE(tags[GROUP_ITALIC], nullptr);
	EXPECT_EQ(Engine()->OpenInGroup(tag_em, tags), tags[GROUP_ITALIC]);
	EXPECT_EQ(Engine()->OpenInGroup(tag_p, tags), nullptr);
	EXPECT_EQ(Engine()->OpenInGroup(LookUpTag("table"), tags), nullptr);
	Page_Element* found = nullptr;
	EXPECT_TRUE(Engine()->IsTagOpen(LookUpTag("td"), tags, &found));
	EXPECT_EQ(found->HTMLType(), LookUpTag("td"));
	EXPECT_FALSE(Engine()->IsTagOpen(tag_em, tags, &found));
	EXPECT_EQ(found, nullptr);
}
