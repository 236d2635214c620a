#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <clocale>
#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "PageParser.h"
#include "TreeInvariants.h"
#include "UTF8.h"
#include "parser_support/AsciiCase.h"

namespace {

class PageReading : public testing::Test {
protected:
	void Read(const std::string& bytes, const ParseOptions& options = ParseOptions())
	{
		fPage = PageParser::Parse(bytes, options);
		ASSERT_EQ(fPage->Status(), B_OK);
		ASSERT_NE(fPage->Document(), nullptr);
	}

	// The nth node in document order that is what is asked for.
	_node* Find(const std::function<bool(const _node*)>& wanted, int nth = 0) const
	{
		bool closing = false;
		bool descend = true;
		for (_node* node = fPage->Document()->content; node != nullptr;
				node = NodeTree::LogicalNextNode(node, closing, descend)) {
			if (!closing && wanted(node) && nth-- == 0)
				return node;
		}
		return nullptr;
	}

	_node* Element(const char* name, int nth = 0) const
	{
		return Find([name](const _node* node) {
			return node->element != nullptr && AsciiCase::Equal(node->element, name);
		}, nth);
	}

	_node* FirstOfType(uint32 type) const
	{
		return Find([type](const _node* node) { return node->type == type; });
	}

	std::string Text(const _node* node) const
	{
		const std::string& buffer = fPage->Lexer()->lexbuf;
		return buffer.substr(node->start, node->end - node->start);
	}

	// The text of all the text nodes below node, in order.
	std::string TextBelow(const _node* node) const
	{
		std::string text;
		for (const _node* child = node->content; child != nullptr; child = child->next)
			text += child->type == TextNode ? Text(child) : TextBelow(child);
		return text;
	}

	static std::string Attributes(const _node* node)
	{
		char* kept = nullptr;
		NodeTree::ReadUnsupportedAttributes(&kept, node);
		std::string text = kept != nullptr ? kept : "";
		free(kept);
		return text;
	}

	static std::string Attribute(const _node* node, const _attribute* attribute)
	{
		char* value = nullptr;
		NodeTree::ReadAttribute(&value, node, attribute);
		std::string text = value != nullptr ? value : "(none)";
		free(value);
		return text;
	}

	std::vector<ParseReport> ReportsContaining(const std::string& part) const
	{
		std::vector<ParseReport> found;
		for (const ParseReport& report : fPage->Reports()) {
			if (report.text.find(part) != std::string::npos)
				found.push_back(report);
		}
		return found;
	}

	std::string SourceAt(const ParseReport& report, size_t length) const
	{
		return fPage->Source().substr(report.start, length);
	}

	std::unique_ptr<ParsedPage> fPage;
};

} // namespace

TEST_F(PageReading, UnknownTagsStayWithTheirAttributesAndAreReportedAsErrors)
{
	Read("<body><p>a <o:p class=x>b</o:p> c <Velmora-Box id=\"1\" data-y='2'>d</VELMORA-BOX>"
		"</p></body>");
	_node* office = Element("o:p");
	ASSERT_NE(office, nullptr);
	EXPECT_EQ(office->tag, UnknownTag("o:p", false));
	EXPECT_EQ(Attributes(office), " class=\"x\"");
	EXPECT_EQ(TextBelow(office), "b");
	_node* box = Element("velmora-box");
	ASSERT_NE(box, nullptr);
	EXPECT_STREQ(box->element, "Velmora-Box");
	EXPECT_EQ(Attributes(box), " id=\"1\" data-y=\"2\"");
	EXPECT_TRUE(box->closed);

	EXPECT_EQ(fPage->Lexer()->errors, 2u);
	EXPECT_FALSE(fPage->Succeeded());
	std::vector<ParseReport> unknown = ReportsContaining("is not recognized");
	ASSERT_EQ(unknown.size(), 2u);
	EXPECT_EQ(unknown[0].text, "Error: <o:p> is not recognized! - It is not a valid HTML tag.");
	EXPECT_EQ(unknown[0].kind, VUDAV_ERROR);
	EXPECT_EQ(SourceAt(unknown[0], 4), "<o:p");
	EXPECT_EQ(SourceAt(unknown[1], 12), "<Velmora-Box");
}

// The library ends its whole parse at a declaration like these in the body.
TEST_F(PageReading, OddDeclarationsInThePageDoNotEndTheReading)
{
	Read("<!doctype html>\n<html><body><p>before</p>\n<!done>\n<p>middle</p><!d\n>"
		"<!DOCTYPE html \"open><p>after</p></body></html>");
	EXPECT_EQ(TextBelow(Element("p", 2)), "after");
	EXPECT_EQ(Text(FirstOfType(DocTypeTag)), "!doctype html");
	std::vector<std::string> declarations;
	for (const _node* node = Element("body")->content; node != nullptr; node = node->next) {
		if (node->type == DocTypeTag)
			declarations.push_back(Text(node));
	}
	EXPECT_EQ(declarations, (std::vector<std::string>{"!done", "!d\n", "!DOCTYPE html \"open"}));
	EXPECT_EQ(fPage->Lexer()->errors, 0u);
}

// With an HTML 4 document type the library ends its parse at these.
TEST_F(PageReading, FramesInTheBodyDoNotEndTheReading)
{
	Read("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<body><p>abc<FRAME src=x>def"
		"<frameset cols=\"50%,50%\"><frame src=y></frameset><p>more</body>");
	_node* frame = Element("frame");
	ASSERT_NE(frame, nullptr);
	EXPECT_STREQ(frame->element, "FRAME");
	EXPECT_EQ(frame->tag, LookUpTag("frame"));
	EXPECT_EQ(frame->type, StartTag);
	EXPECT_EQ(Attributes(frame), " src=\"x\"");
	ASSERT_NE(Element("frameset"), nullptr);
	EXPECT_EQ(Attributes(Element("frameset")), " cols=\"50%,50%\"");
	EXPECT_NE(Element("frame", 1), nullptr);
	EXPECT_EQ(TextBelow(Element("body")), "abcdefmore");
	EXPECT_TRUE(ReportsContaining("could not be read").empty());
}

TEST_F(PageReading, StrayFrameEndTagsAreDroppedLikeOtherStrayEndTags)
{
	Read("<!DOCTYPE x><p>a</FRAME>b</frameset>c");
	EXPECT_EQ(TextBelow(Element("p")), "abc");
	std::vector<ParseReport> dropped = ReportsContaining("discarding unexpected </frame");
	ASSERT_EQ(dropped.size(), 2u);
	EXPECT_EQ(dropped[0].text, "Warning: discarding unexpected </frame>");
	EXPECT_EQ(SourceAt(dropped[0], 8), "</FRAME>");
	EXPECT_EQ(dropped[1].column, 26);
	EXPECT_TRUE(ReportsContaining("could not be read").empty());
}

TEST_F(PageReading, MalformedFrameTagInTheBodyLosesOnlyItsAttributes)
{
	Read("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<p>a<frame'et src=x>b<p>more");
	ASSERT_NE(Element("frame"), nullptr);
	EXPECT_EQ(TextBelow(Element("body")), "abmore");
	EXPECT_TRUE(ReportsContaining("could not be read").empty());
}

TEST_F(PageReading, LiteralSectionsKeepTheirContentAndTheirNames)
{
	Read("<body><XMP class=code><b>bold</b> &amp; &nbsp;</XMP>"
		"<LISTING>1 < 2</Listing><plaintext><p>all the rest &amp;");
	_node* xmp = Element("xmp");
	ASSERT_NE(xmp, nullptr);
	EXPECT_EQ(xmp->tag, tag_xmp);
	EXPECT_STREQ(xmp->element, "XMP");
	EXPECT_EQ(Attributes(xmp), " class=\"code\"");
	EXPECT_EQ(TextBelow(xmp), "<b>bold</b> &amp; &nbsp;");
	EXPECT_EQ(Element("b"), nullptr);
	EXPECT_EQ(TextBelow(Element("listing")), "1 < 2");
	EXPECT_EQ(TextBelow(Element("plaintext")), "<p>all the rest &amp;");
	EXPECT_EQ(Element("pre"), nullptr);
	EXPECT_TRUE(ReportsContaining("replacing obsolete").empty());
}

// The library drops an XMP in a SELECT with its content; read again without
// taking the content literally, the letters given to it in place of the
// content cannot reach the tree.
TEST_F(PageReading, LiteralSectionTheLibraryDropsIsReadAgainAsMarkup)
{
	std::vector<int32> progress;
	ParseOptions options;
	options.progress = [&](int32 percent) { progress.push_back(percent); };
	Read("<body><select><option>one<xmp>a<b>b</b></xmp></select><p>after</p></body>", options);
	EXPECT_EQ(Element("xmp"), nullptr);
	EXPECT_EQ(TextBelow(Element("body")).find('x'), std::string::npos);
	EXPECT_EQ(TextBelow(Element("p")), "after");
	ASSERT_FALSE(progress.empty());
	for (size_t i = 1; i < progress.size(); i++)
		EXPECT_GT(progress[i], progress[i - 1]);
	EXPECT_EQ(progress.back(), 100);
}

TEST_F(PageReading, ElementsTheLibraryImpliesAtALiteralSectionStayWhatTheyAre)
{
	Read("<title>t<xmp>a<b>b</b></xmp></title><body>x");
	ASSERT_NE(Element("body"), nullptr);
	EXPECT_TRUE(Element("body")->implicit);
	ASSERT_NE(Element("xmp"), nullptr);
	EXPECT_EQ(Element("xmp")->parent, Element("body"));
	EXPECT_EQ(TextBelow(Element("xmp")), "a<b>b</b>");
	EXPECT_EQ(TextBelow(Element("body")), "a<b>b</b>x");
}

TEST_F(PageReading, DirectoryListsKeepTheirName)
{
	Read("<body><DIR compact><li>a</li></DIR></body>");
	_node* list = Element("dir");
	ASSERT_NE(list, nullptr);
	EXPECT_EQ(list->tag, LookUpTag("dir"));
	EXPECT_STREQ(list->element, "DIR");
	EXPECT_FALSE(list->implicit);
	EXPECT_EQ(Attributes(list), " compact");
	EXPECT_EQ(Element("ul"), nullptr);
	EXPECT_TRUE(ReportsContaining("replacing obsolete").empty());
}

TEST_F(PageReading, AttributeValuesAndLinkTargetsKeepTheirSpellingAndCase)
{
	Read("<body bgcolor=ff0000 text=\"#00ff00\"><p align=\"CENTER\" title=\"two\n lines\">t</p>"
		"<a href=\"dir\\file name.html?a=1&amp;b=2\">x</a><img src='my picture.gif' alt=\"\">");
	EXPECT_EQ(Attribute(Element("a"), attr_href), "dir\\file name.html?a=1&amp;b=2");
	EXPECT_EQ(Attribute(Element("img"), attr_src), "my picture.gif");
	EXPECT_EQ(Attribute(Element("img"), attr_alt), "");
	EXPECT_EQ(Attribute(Element("body"), attr_bgcolor), "ff0000");
	EXPECT_EQ(Attribute(Element("body"), attr_text), "#00ff00");
	EXPECT_EQ(Attribute(Element("p"), attr_align), "CENTER");
	EXPECT_EQ(Attribute(Element("p"), LookUpAttribute("title")), "two\n lines");
}

TEST_F(PageReading, ReferencesInSvgAndMathTextAreDecodedToo)
{
	// The library leaves them as written there, up to the element's end
	// tag, or to the page's end when the page never closes it.
	Read("<html><body><svg><text>a &lt; b&nbsp;</text></svg><p>c &amp; d</p>"
		"<math>e &#x41;</math><div><svg>f &amp;</div><p>g &eacute; &bogus;</p></body></html>");
	EXPECT_EQ(TextBelow(Element("text")), "a < b\x0F");
	EXPECT_EQ(TextBelow(Element("p")), "c & d");
	EXPECT_EQ(TextBelow(Element("math")), "e A");
	EXPECT_EQ(TextBelow(Element("p", 1)), "g \xC3\xA9 &bogus;");
}

TEST_F(PageReading, BrokenCharactersTheLibraryMakesBecomeReplacementCharacters)
{
	Read("<html><body><p>a\x05\xC3\xBF\x05" "b</p></body></html>");
	std::string text = TextBelow(Element("p"));
	EXPECT_TRUE(BPrivate::UTF8::IsValid(text)) << text;
	EXPECT_EQ(text.front(), 'a');
	EXPECT_EQ(text.back(), 'b');
}

TEST_F(PageReading, WithoutShowWarningsOnlyErrorsAreListedButAllAreCounted)
{
	ParseOptions options;
	options.showWarnings = false;
	Read("<body><p>&bogus;<velmora-x></p></body>", options);
	for (const ParseReport& report : fPage->Reports())
		EXPECT_NE(report.kind, VUDAV_WARNING) << report.text;
	EXPECT_GE(fPage->Lexer()->warnings, 3u);
	EXPECT_EQ(ReportsContaining("<velmora-x>").size(), 1u);
	EXPECT_EQ(ReportsContaining("Not all warnings/errors were shown.").size(), 1u);
}

TEST_F(PageReading, EmptyPageReadsToAnEmptyDocument)
{
	std::vector<int32> progress;
	ParseOptions options;
	options.progress = [&](int32 percent) { progress.push_back(percent); };
	Read("", options);
	EXPECT_EQ(progress, std::vector<int32>{100});
	EXPECT_EQ(fPage->Lexer()->errors, 0u);
	EXPECT_TRUE(Element("body")->implicit);
	EXPECT_EQ(Element("body")->content, nullptr);
}

// The library keeps a backward range for this instruction; asking it for
// the instruction's value would read far past its buffer.
TEST_F(PageReading, MalformedInstructionIsReadWithoutItsLibraryValue)
{
	Read(std::string("<<?\0\0\0,version=\"1\xFF\xFF" "a\0\0']Yding=\"iso-8859-1\"?>", 44));
	EXPECT_NE(FirstOfType(ProcInsTag), nullptr);
}

// The library itself forgets two blocks on this page; run under the leak
// checker, the test shows that reading it leaves nothing behind.
TEST_F(PageReading, UnfinishedXmlDeclarationLeavesNoMemoryBehind)
{
	Read("<?xml v");
	EXPECT_NE(Element("body"), nullptr);
}

TEST_F(PageReading, PagesNestedDeeperThanAnOrdinaryStackAreRead)
{
	std::string page = "<body>";
	for (int i = 0; i < 20000; i++)
		page += "<div>";
	page += "deep";
	Read(page);
	int32 depth = 0;
	const _node* node = Element("body");
	while (node->content != nullptr && node->content->type != TextNode) {
		node = node->content;
		depth++;
	}
	EXPECT_EQ(depth, 20000);
	EXPECT_EQ(Text(node->content), "deep");
}

TEST(PageReadingStopped, StopRequestedBeforeTheStartReadsNothing)
{
	ParseOptions options;
	options.stopRequested = [] { return true; };
	std::unique_ptr<ParsedPage> page = PageParser::Parse("<p>x</p>", options);
	EXPECT_EQ(page->Status(), B_CANCELED);
	EXPECT_EQ(page->Document(), nullptr);
}

// The caller's work done while the library parses runs once, whether the
// page is parsed once, twice (a literal section the library drops) or not
// at all (stopped before the start).
TEST(PageReadingMeanwhile, TheCallersWorkRunsOnceHoweverOftenThePageIsParsed)
{
	const struct {
		const char* page;
		bool stopped;
	} rows[] = {
		{"<p>x</p>", false},
		{"<body><select><option>one<xmp>a<b>b</b></xmp></select></body>", false},
		{"<p>x</p>", true},
	};
	for (const auto& row : rows) {
		SCOPED_TRACE(row.page);
		int runs = 0;
		ParseOptions options;
		options.stopRequested = [&row] { return row.stopped; };
		options.meanwhile = [&runs] { runs++; };
		PageParser::Parse(row.page, options);
		EXPECT_EQ(runs, 1);
	}
}

// The caller's work runs beside the parse, not before it: it can see the
// reading's progress without waiting for the reading to end.
TEST(PageReadingMeanwhile, TheCallersWorkRunsWhileThePageIsParsed)
{
	std::mutex mutex;
	std::condition_variable progressed;
	bool anyProgress = false;
	bool sawProgress = false;
	ParseOptions options;
	options.progress = [&](int32) {
		std::lock_guard<std::mutex> lock(mutex);
		anyProgress = true;
		progressed.notify_all();
	};
	options.meanwhile = [&] {
		std::unique_lock<std::mutex> lock(mutex);
		sawProgress = progressed.wait_for(lock, std::chrono::seconds(10),
			[&] { return anyProgress; });
	};
	PageParser::Parse("<p>x</p>", options);
	EXPECT_TRUE(sawProgress);
}

// The library would set the process's locale from the environment; number
// formats of every thread of the editor would change with it.
TEST(PageReadingLocale, ReadingAPageLeavesTheProgramsLocaleAlone)
{
	setenv("LC_ALL", "C.UTF-8", 1);
	std::string before = setlocale(LC_ALL, nullptr);
	std::unique_ptr<ParsedPage> page = PageParser::Parse("<p>x</p>");
	EXPECT_EQ(page->Status(), B_OK);
	EXPECT_EQ(setlocale(LC_ALL, nullptr), before);
}

// Each page of the program runs its own parses; they share the dictionaries.
TEST(PageReadingConcurrently, PagesReadOnSeveralThreadsAtOnceDoNotDisturbEachOther)
{
	std::vector<std::thread> threads;
	std::atomic<int32> good{0};
	for (int t = 0; t < 4; t++) {
		threads.emplace_back([t, &good] {
			for (int round = 0; round < 5; round++) {
				std::string name = "velmora-t" + std::to_string(t) + "-" + std::to_string(round);
				std::unique_ptr<ParsedPage> page = PageParser::Parse(
					"<body><p>x<" + name + " a=1>y</" + name + "></p></body>");
				if (page->Status() == B_OK && page->Lexer()->errors == 1)
					good++;
			}
		});
	}
	for (std::thread& thread : threads)
		thread.join();
	EXPECT_EQ(good, 20);
}

// A comment left open at the very end of the page ended the program: the
// look for a line end behind it read past the text.
TEST(PageReadingEnds, ACommentOpenAtThePagesEndIsRead)
{
	for (const char* text : {"<!---", "<!--", "a<!-- b", "<p>a</p><!-- -"}) {
		std::unique_ptr<ParsedPage> page = PageParser::Parse(text, ParseOptions());
		EXPECT_EQ(page->Status(), B_OK) << text;
	}
}

// Markup the library leaves inside a script is moved out of it, and the
// text behind that markup with it: that text is page text now, so its
// non-breaking space is the visual one, as everywhere else on the page.
TEST(PageReadingEnds, TextMovedOutOfAScriptIsPageText)
{
	std::unique_ptr<ParsedPage> page = PageParser::Parse("<sVg><script\"<m/>\xC2\xA0",
		ParseOptions());
	ASSERT_EQ(page->Status(), B_OK);
	EXPECT_EQ(TreeInvariants::Violation(*page), "");
}

// The library stops a start tag it cannot read before a '<' outside a
// quoted value and reads on from there: a document type declaration found
// that way inside a button's link sent it into endless recursion, which
// ended the program. The page's own look ahead must end such tags where
// the library does, to hand it the declaration as it hands others.
TEST(PageReadingEnds, ADeclarationBehindATagWithoutItsEndIsRead)
{
	for (const char* text : {"<button <a f=\"<!\"<!D P>d", "<button><a x='<!'<!DOCTYPE P>d"}) {
		std::unique_ptr<ParsedPage> page = PageParser::Parse(text, ParseOptions());
		ASSERT_EQ(page->Status(), B_OK) << text;
		EXPECT_EQ(TreeInvariants::Violation(*page), "") << text;
	}
}
