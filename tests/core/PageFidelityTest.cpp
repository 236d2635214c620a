// A page written by the program shows in a browser as the page it read:
// every character a browser renders, white space included, comes through,
// and the first save is already what every later save writes.

#include "PageTesting.h"

using PageTesting::PageTest;

namespace {

class PageFidelity : public PageTest {
protected:
	// The body written from html; the page written again from what was
	// written must be the same.
	std::string SavedBody(const std::string& html)
	{
		Open(html);
		std::string first = Generated();
		std::string body = Body();
		Open(first);
		EXPECT_EQ(Generated(), first) << "the first save is not the fixed point";
		return body;
	}
};

} // namespace

TEST_F(PageFidelity, NonBreakingSpacesInPreformattedTextStay)
{
	EXPECT_EQ(SavedBody("<pre>a&nbsp;b\xC2\xA0" "c&#160;d &amp;&nbsp;e\n\tf g</pre>"),
		"<PRE>a&nbsp;b&nbsp;c&nbsp;d &amp;&nbsp;e\r\n\tf g</PRE>");
	EXPECT_EQ(SavedBody("<pre>\n&lt;<b>x&nbsp;</b> y</pre>"),
		"<PRE>\r\n&lt;<B>x&nbsp;</B> y</PRE>");
}

TEST_F(PageFidelity, ALineEndAfterACommentStays)
{
	EXPECT_EQ(SavedBody("<pre>set<!-- x -->\nshift<!--y-->\n<b>z</b></pre>"),
		"<PRE>set<!-- x -->\r\nshift<!--y-->\r\n<B>z</B></PRE>");
	// In running text a browser shows the line end as a space.
	EXPECT_EQ(SavedBody("<p>a<!-- x -->\nb<!-- y -->\n<i>c</i> d<!-- z -->\n</p>"),
		"<P>a<!-- x --> b<!-- y --> <I>c</I> d<!-- z --></P>");
	std::string head = SavedBody("<html><head><!-- x -->\n<title>t</title></head>"
		"<body>b</body></html>");
	EXPECT_EQ(Generated().find("<!-- -->"), std::string::npos) << "the head gets no text";
}

TEST_F(PageFidelity, AnUnknownTagIsWrittenAsItWasReadWithTheSpacesAroundIt)
{
	EXPECT_EQ(SavedBody("<p>Rosenfeld <roland@example.org>: hi <x.y a='1'  b> v"
			"<Foo-Bar x=1>y</Foo-Bar>.</p>"),
		"<P>Rosenfeld <roland@example.org>: hi <x.y a='1'  b> v<Foo-Bar x=1>y</Foo-Bar>.</P>");
	EXPECT_EQ(SavedBody("<p>a <note/>\n<b>b</b></p>"), "<P>a <note/> <B>b</B></P>");
	EXPECT_EQ(SavedBody("<p><Width>90</Width>\n<Height>60</Height></p>"),
		"<P><Width>90</Width> <Height>60</Height></P>");
}

TEST_F(PageFidelity, UTF8BytesUnderASingleByteDeclarationAreSavedAsReadAndCorrectDeclaresUTF8)
{
	const std::string page = "<html><head><meta http-equiv=\"Content-Type\" "
		"content=\"text/html; charset=ISO-8859-1\"><title>Jos\xC3\xA9</title></head>"
		"<body><p>Jos\xC3\xA9 &amp; caf\xC3\xA9\xC2\xA0!</p></body></html>";
	Open(page);
	EXPECT_NE(VisualText().find("Jos\xC3\x83\xC2\xA9"), std::string::npos)
		<< "shown as declared, as a browser shows it";
	ASSERT_EQ(fPage->Save(), B_OK);
	std::string saved = fFolder.Read("page.html");
	EXPECT_NE(saved.find("<TITLE>Jos\xC3\xA9</TITLE>"), std::string::npos) << saved;
	EXPECT_NE(saved.find("<P>Jos\xC3\xA9 &amp; caf\xC3\xA9\xC2\xA0!</P>"), std::string::npos)
		<< saved;
	{
		HTMLError_Window* errors = fPage->HTMLErrorWindow();
		BAutolock lock(errors);
		bool reported = false;
		for (int32 i = 0; i < errors->CountItems(); i++)
			reported |= strstr(errors->ItemText(i), "\"ISO-8859-1\" but its bytes are UTF-8") != nullptr;
		EXPECT_TRUE(reported);
	}

	fPage->Correct();
	EXPECT_NE(Generated().find("charset=UTF-8"), std::string::npos);
	EXPECT_NE(VisualText().find("Jos\xC3\xA9 & caf\xC3\xA9"), std::string::npos) << VisualText();
	ASSERT_EQ(fPage->Save(), B_OK);
	EXPECT_NE(fFolder.Read("page.html").find("<P>Jos&eacute; &amp; caf&eacute;&nbsp;!</P>"),
		std::string::npos);
}

TEST_F(PageFidelity, WhiteSpaceIsSteadyFromTheFirstSave)
{
	for (const char* page : {
			"<dl><dt>a<dd>x [ <a href=\"y\">Credits</a> ]\n</dd><dt>b<dd>c</dl>",
			"<p><span>a</span><span>b</span>\n<span>c</span></p>",
			"<a name=\"x\"><h2>Head</h2></a>text",
			"<frameset><frame src=\"a.html\"></frameset>words. \n",
			"<table><tr><td><font <?font></td></tr></table>"}) {
		SCOPED_TRACE(page);
		SavedBody(std::string("<html><body>") + page + "</body></html>");
	}
	std::string body = SavedBody("<html><body><dl><dd>[ <a href=\"y\">Credits</a> ]\n</dd></dl>"
		"<p><span>a</span><span>b</span></p></body></html>");
	EXPECT_NE(body.find("<SPAN>a</SPAN><SPAN>b</SPAN>"), std::string::npos) << body;
	EXPECT_EQ(SavedBody("<p>P(x)&#9;&#150; a\tb</p><pre>c\td</pre>"),
		"<P>P(x)&#9;&ndash; a b</P>\r\n<PRE>c\td</PRE>") << "a tab from a reference stays one";
}

TEST_F(PageFidelity, NoLineEndIsWrittenWhereABrowserWouldShowIt)
{
	// A browser shows a line end as a space; between characters of a script
	// written without spaces there was none.
	std::string body = SavedBody("<h2><a name=\"n\">見出し</a>です</h2><p><a href=\"x\">Cygwin</a>"
		"を<b>使う</b>と<span>よい</span><img src=\"i.png\">。<br>次<u>の</u>行</p>"
		"<ul><li><a href=\"y\">項目</a>です<li>次</ul><table><tr><td><a href=\"z\">表</a>の中</td></tr>"
		"</table>");
	for (const char* written : {"<A NAME=\"n\">見出し</A>です</H2>",
			"<A HREF=\"x\">Cygwin</A>を<B>使う</B>と<SPAN>よい</SPAN><IMG src=\"i.png\">。<BR>",
			"次<U>の</U>行</P>", "<A HREF=\"y\">項目</A>です", "<A HREF=\"z\">表</A>の中"})
		EXPECT_NE(body.find(written), std::string::npos) << written << "\n" << body;
}

TEST_F(PageFidelity, TheHTMLElementsAttributesAreWrittenBack)
{
	SavedBody("<html lang=\"ar\" dir=rtl xml:lang='ar' data-x><body><p>a</p></body></html>");
	EXPECT_NE(Generated().find("<HTML lang=\"ar\" dir=\"rtl\" xml:lang=\"ar\" data-x>"),
		std::string::npos) << Generated();
	// A page without an HTML tag, read after one with, gets none of its attributes.
	SavedBody("<p>b</p>");
	EXPECT_NE(Generated().find("<HTML>"), std::string::npos) << Generated();
}
