// Reading a page into the visual view: what the page keeps for itself
// (title, BODY, BASEFONT, the author and generator lines), what becomes
// elements, and what is marked to go back into the head.

#include "ModelTesting.h"

#include "Anchor.h"
#include "Page_Element.h"
#include "TagDictionary.h"
#include "TextChange.h"
#include "Tidy.h"
#include "UnsupportedTag.h"

using ModelTesting::ModelTest;

namespace {

class PageWalking : public ModelTest {
protected:
	std::string HeadPart()
	{
		std::string html = Generated();
		size_t start = html.find("Korvane Velmora\">\r\n") + 19;
		return html.substr(start, html.find("</HEAD>") - start);
	}
};

} // namespace

TEST_F(PageWalking, AuthorAndGeneratorLinesAreDroppedOtherMetaLinesStay)
{
	Open("<html><head><meta name=\"GENERATOR\" content=\"x\">"
		"<meta name=\"author\" content=\"y\"><meta name=\"generator-tool\" content=\"z\">"
		"<meta name=\"keywords\" content=\"fish\"></head><body>x</body></html>");
	std::string head = HeadPart();
	EXPECT_EQ(head, "<META name=\"keywords\" content=\"fish\">\r\n");
	std::string html = Generated();
	EXPECT_EQ(html.find("Author"), html.rfind("Author")) << "one author line";
}

TEST_F(PageWalking, HeadElementsAreMarkedAndWrittenIntoTheHeadOnly)
{
	Open("<html><head><title>t</title><link rel=\"stylesheet\" href=\"s.css\">"
		"<script>var a = b < c && d;</script><!-- note --></head>"
		"<body><p>text</p></body></html>");
	std::string head = HeadPart();
	EXPECT_NE(head.find("<LINK rel=\"stylesheet\" href=\"s.css\">"), std::string::npos);
	EXPECT_NE(head.find("<SCRIPT>var a = b < c && d;</SCRIPT>"), std::string::npos)
		<< "code is written as it stands";
	EXPECT_NE(head.find("<!-- note -->"), std::string::npos);
	EXPECT_EQ(Body(), "<P>text</P>");
	int marked = 0;
	for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
		if (HTML_Element* html = dynamic_cast<HTML_Element*>((*List())[i].element))
			marked += html->HeadMark() ? 1 : 0;
	}
	EXPECT_EQ(marked, 5) << "LINK, SCRIPT with its code and end, the comment";
}

TEST_F(PageWalking, AHeadTagFoundInTheBodyStillGoesIntoTheHead)
{
	Open("<html><body>x<link rel=\"next\" href=\"2.html\">y</body></html>");
	EXPECT_NE(HeadPart().find("<LINK rel=\"next\" href=\"2.html\">"), std::string::npos);
	EXPECT_EQ(Body().find("LINK"), std::string::npos);
}

TEST_F(PageWalking, ScriptsInTheBodyAreCodeNotText)
{
	Open("<html><body>a<script>if (x < 1 && y) go();</script>b</body></html>");
	EXPECT_EQ(VisualText(), "ab");
	EXPECT_EQ(Body(), "a<SCRIPT>if (x < 1 && y) go();</SCRIPT>b");
}

TEST_F(PageWalking, ABaseFontIsThePagesAndWrittenBack)
{
	Open("<html><body><basefont size=5 face=\"nosuchfont\">x</body></html>");
	EXPECT_EQ(fPage->FontSizeFor("+1"), fPage->FontSizeFor("6"));
	EXPECT_NE(Generated().find("<BASEFONT  size=\"5\" face=\"nosuchfont\">\r\n"),
		std::string::npos);
	EXPECT_EQ(Body().find("BASEFONT"), Body().rfind("BASEFONT"));
}

TEST_F(PageWalking, GroupsTheParserInferredAreNotWritten)
{
	Open("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">"
		"<html><body><li>one</li><li>two</li></body></html>");
	EXPECT_EQ(Body(), "<LI>one</LI>\r\n<LI>two</LI>");
}

TEST_F(PageWalking, AnInferredTableIsWrittenSoThatTextAfterItStaysAfterIt)
{
	Open("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"
		"<html><body>before<tr><td>cell</td></tr></table>after</body></html>");
	std::string body = Body();
	size_t table = body.find("<TABLE>");
	ASSERT_NE(table, std::string::npos) << body;
	EXPECT_LT(body.find("before"), table);
	EXPECT_LT(table, body.find("cell"));
	EXPECT_LT(body.find("</TABLE>"), body.find("after"));
}

TEST_F(PageWalking, TextInAFramesetIsWrittenInTheNoframesTheParserInferred)
{
	Open("<html><frameset><frame src=\"a.html\"></frameset><frame src=\"b.html\">"
		"words</html>");
	std::string html = Generated();
	size_t noframes = html.find("<NOFRAMES>");
	ASSERT_NE(noframes, std::string::npos) << html;
	EXPECT_LT(noframes, html.find("words"));
	EXPECT_LT(html.find("words"), html.find("</NOFRAMES>"));
}

TEST_F(PageWalking, ThePagesDocumentTypeIsWrittenInPlaceOfTheProgramsOwn)
{
	// A browser lays out a page in standards or quirks mode by its document type.
	for (const char* doctype : {"!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\n"
			"  \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\"", "!doctype html"}) {
		Open("<?xml version=\"1.0\"?>\n<" + std::string(doctype) + ">\n<html><body>x</body></html>");
		std::string html = Generated();
		EXPECT_EQ(html.find("<" + std::string(doctype) + ">\r\n"), 0u) << html;
		EXPECT_EQ(html.find("DOCTYPE", 5), std::string::npos) << html;
	}
	Open("<html><body>x</body></html>");
	EXPECT_EQ(Generated().find("<HTML>\r\n"), 0u) << "a page without one is written without one";
	Open("");
	EXPECT_EQ(Generated().find("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"),
		0u) << "an empty page gets the program's";
}

TEST_F(PageWalking, ADocumentTypeDeclaringEntitiesIsWrittenWithThem)
{
	Open("<!DOCTYPE html SYSTEM \"x.dtd\" [\n<!ENTITY home \"http://x/\">\n]>"
		"<html><body><a href=\"&home;\">t</a></body></html>");
	std::string html = Generated();
	EXPECT_EQ(html.find("<!DOCTYPE html SYSTEM \"x.dtd\" [\n<!ENTITY home \"http://x/\">\n]>\r\n"),
		0u) << html;
	EXPECT_EQ(html.find("<!--"), std::string::npos) << html;
}

TEST_F(PageWalking, TheFirstTitleIsThePagesAndALaterOneIsWrittenWithItsText)
{
	Open("<html><head><title>first</title><title>second &lt;&amp;&gt;</title></head>"
		"<body>x</body></html>");
	EXPECT_STREQ(fPage->Title(), "first");
	std::string head = HeadPart();
	size_t second = head.find("second &lt;&amp;&gt;");
	ASSERT_NE(second, std::string::npos) << head;
	EXPECT_LT(head.find("<TITLE>"), second);
	EXPECT_LT(second, head.find("</TITLE>"));
	EXPECT_EQ(VisualText(), "x");
}

TEST_F(PageWalking, AReadingStartedByTheVisualWindowDuringALoadDoesNotWaitForItself)
{
	// As when the window is activated while a load still shows progress:
	// the window's thread reads the page, and the parse must not wait for
	// the window to draw its progress.
	Open("<html><body>one</body></html>");
	fPage->MyTidy()->SetLoadProgress(true);
	{
		BAutolock lock(Engine());
		EXPECT_TRUE(fPage->UpdateFromHTML(false, nullptr));
	}
	fPage->MyTidy()->SetLoadProgress(false);
	EXPECT_EQ(VisualText(), "one");
}

TEST_F(PageWalking, ReadingAgainReplacesEverythingOfTheLastReading)
{
	Open("<html><head><title>one</title></head><body bgcolor=red onload=x><b>a</b></body></html>");
	fPage->Read("<html><body>b</body></html>");
	Settle();
	EXPECT_EQ(fPage->Title(), nullptr);
	EXPECT_STREQ(fPage->BodyAttributes(), "");
	EXPECT_EQ(*fPage->BackgroundColor(), make_color(255, 255, 255));
	EXPECT_EQ(VisualText(), "b");
	EXPECT_EQ(List()->LastIndex(), 0u);
}
