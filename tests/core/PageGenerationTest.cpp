// The HTML a page writes from its values and elements: the skeleton, the
// line-end rules of the one primitive every piece goes through, and the
// body's values.

#include "ModelTesting.h"

#include "Config_.h"

using ModelTesting::ModelTest;

namespace {

std::string EmptyPage(const std::string& author)
{
	return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n"
		"<HTML>\r\n"
		"<HEAD>\r\n"
		"<TITLE></TITLE>\r\n"
		"<META NAME=\"Author\" CONTENT=\"" + author + "\">\r\n"
		"<META NAME=\"Generator\" CONTENT=\"Korvane Velmora\">\r\n"
		"</HEAD>\r\n"
		"<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" >\r\n"
		"</BODY>\r\n"
		"</HTML>\r\n";
}

class PageGeneration : public ModelTest {
protected:
	// The page's buffer anew, with text written through the primitive.
	std::string Written(std::initializer_list<std::tuple<const char*, bool, bool>> pieces)
	{
		fPage->ClearHTMLBuffer();
		long position = 0;
		for (const auto& [text, before, after] : pieces)
			position += fPage->InsertHTML(text, before, after, position, nullptr);
		const BMallocIO* buffer = fPage->HTMLBuffer();
		EXPECT_EQ(static_cast<size_t>(position), buffer->BufferLength());
		return std::string(static_cast<const char*>(buffer->Buffer()), buffer->BufferLength());
	}
};

} // namespace

// The author's name is written as text, so that a quote in it cannot end
// the attribute and break the page.
TEST_F(PageGeneration, AnEmptyPageWritesTheSkeletonExactlyWithTheAuthorFromTheSettingsEscaped)
{
	Open("");
	EXPECT_EQ(Generated(), EmptyPage(""));
	fPage->Config()->SetUserName("Ada \"the first\" <&>");
	std::string html = Generated();
	fPage->Config()->SetUserName(nullptr);
	EXPECT_EQ(html, EmptyPage("Ada &quot;the first&quot; &lt;&amp;&gt;"));
}

TEST_F(PageGeneration, LineEndsAreNotDoubledAndOnlyAskedForOnesAreWritten)
{
	Open("");
	EXPECT_EQ(Written({{"a", false, true}, {"b", true, false}}), "a\r\nb");
	EXPECT_EQ(Written({{"a", false, false}, {"b", true, true}}), "a\r\nb\r\n");
	EXPECT_EQ(Written({{"a\n", false, false}, {"b", true, false}}), "a\nb");
	EXPECT_EQ(Written({{"", true, false}, {"b", false, false}}), "\r\nb");
	fPage->ClearHTMLBuffer();
	EXPECT_EQ(fPage->InsertHTML(nullptr, true, true, 0, nullptr), 0);
	EXPECT_EQ(fPage->InsertHTML("x", true, true, -1, nullptr), 0);
	EXPECT_EQ(fPage->HTMLBuffer()->BufferLength(), 0u);
}

TEST_F(PageGeneration, PresentationValuesAreWrittenIntoTheBodyTag)
{
	Open("<html><body text=00FF00 bgcolor=\"#ff0000\" link=#0000aa background=\"tile.gif\" "
		"onload=\"go()\">x</body></html>");
	EXPECT_NE(Generated().find("<BODY TEXT=\"#00FF00\" BGCOLOR=\"#FF0000\" LINK=\"#0000AA\" "
		"BACKGROUND=\"tile.gif\"  onload=\"go()\">\r\n"), std::string::npos);
}

TEST_F(PageGeneration, ColoursThatAreNoColoursStayAsWritten)
{
	Open("<html><body bgcolor=\"white\" text=\"#12\">x</body></html>");
	std::string html = Generated();
	EXPECT_NE(html.find("bgcolor=\"white\""), std::string::npos);
	EXPECT_NE(html.find("text=\"#12\""), std::string::npos);
	EXPECT_EQ(html.find("BGCOLOR="), std::string::npos) << "one background colour only";
	EXPECT_EQ(html.find("TEXT="), std::string::npos);
}

TEST_F(PageGeneration, TheTitleIsWrittenAsHTMLText)
{
	Open("<html><head><title>Fish &amp; chips &lt;cheap&gt;</title></head><body></body></html>");
	EXPECT_STREQ(fPage->Title(), "Fish & chips <cheap>");
	EXPECT_NE(Generated().find("<TITLE>Fish &amp; chips &lt;cheap&gt;</TITLE>"),
		std::string::npos);
}

TEST_F(PageGeneration, AFramesetPageGetsNoBody)
{
	Open("<html><head><title>f</title></head><frameset cols=\"50%,50%\">"
		"<frame src=\"a.html\"><frame src=\"b.html\"></frameset></html>");
	std::string html = Generated();
	EXPECT_EQ(html.find("<BODY"), std::string::npos);
	EXPECT_NE(html.find("<FRAMESET cols=\"50%,50%\"><FRAME src=\"a.html\"><FRAME src=\"b.html\">"
		"</FRAMESET>"), std::string::npos);
}
