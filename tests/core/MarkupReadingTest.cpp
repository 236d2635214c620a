#include <gtest/gtest.h>

#include <string>

#include "parser_support/MarkupScan.h"
#include "parser_support/TagReader.h"

TEST(StartTagReading, MalformedTagsAreLeftToTheLibrary)
{
	StartTagText tag;
	for (const char* text : {"<a href=\"x>text", "<p", "<p class=", "<a b<c>", "< p>", "<1>",
			"<p \"x\">", "<p a=b\"c>", "<p / x>"}) {
		SCOPED_TRACE(text);
		EXPECT_FALSE(TagReader::ReadStartTag(text, 0, tag));
	}
}

TEST(MarkupScan, CommentsScriptsAndDeclarationsAreNotMarkup)
{
	MarkupScan scan("<!-- <fake-a> --><script>document.write('<fake-b>')</script>"
		"<style>p:after{content:'<fake-c>'}</STYLE><!DOCTYPE html><?pi <fake-d>?>"
		"<![CDATA[<fake-e>]]><% <fake-f> %><real-one>");
	EXPECT_EQ(scan.UnknownEmptyNames(), (std::vector<std::string>{"real-one"}));
	EXPECT_TRUE(scan.UnknownPairedNames().empty());
	EXPECT_EQ(scan.StartTagCount(), 3u);
}

TEST(MarkupScan, TheLibrarySeesLiteralContentAsPlainLettersOnTheSameLinesAndColumns)
{
	std::string text = "<p>a<xmp><b>\xC3\xA9</b>\n\t&amp;</xmp><p><!done>";
	MarkupScan scan(text);
	EXPECT_EQ(scan.TextForLibrary(text), "<p>a<xmp>xxxxxxxx\nxxxxxx</xmp><p><?done>");
	scan.DropRawSections();
	EXPECT_EQ(scan.TextForLibrary(text), "<p>a<xmp><b>\xC3\xA9</b>\n\t&amp;</xmp><p><?done>");
}

TEST(MarkupScan, AnEndTagClosesTheLatestOpenStartTagOfItsName)
{
	std::string text = "<p>a<p>b</p><b><b>c</b><i>";
	MarkupScan scan(text);
	EXPECT_FALSE(scan.IsClosed(0));
	EXPECT_TRUE(scan.IsClosed(4));
	EXPECT_FALSE(scan.IsClosed(12));
	EXPECT_TRUE(scan.IsClosed(15));
	EXPECT_FALSE(scan.IsClosed(text.find("<i>")));
}

TEST(MarkupScan, DeclarationsAfterTheDocumentsStartAreGivenToTheLibraryAsInstructions)
{
	std::string text = "<!DOCTYPE html><p>a<!done>b<!-- <!d> --><!DOCTYPE x><!foo>";
	MarkupScan scan(text);
	EXPECT_EQ(scan.Declarations(), (std::vector<size_t>{19, 40}));
	EXPECT_EQ(scan.TextForLibrary(text), "<!DOCTYPE html><p>a<?done>b<!-- <!d> --><?DOCTYPE x><!foo>");
}

TEST(MarkupScan, FrameTagsOutsideAFramesetAreGivenToTheLibraryAsInstructions)
{
	std::string text = "<html><frameset><frame src=a><frameset><frame src=b></frameset></frameset>"
		"<frame src=c><body><frameset rows=2><frame title='x>y'></body>";
	MarkupScan scan(text);
	size_t strayFrame = text.find("<frame src=c>");
	size_t strayFrameset = text.find("<frameset rows=2>");
	EXPECT_EQ(scan.StrayFrameTags(), (std::vector<size_t>{strayFrame, strayFrameset}));
	std::string library = scan.TextForLibrary(text);
	EXPECT_EQ(library.substr(strayFrame, 7), "<?rame ");
	EXPECT_EQ(library.substr(strayFrameset, 9), "<?rameset");
	EXPECT_EQ(library.find("<?rame title"), std::string::npos);
}

TEST(MarkupScan, TextOrASecondDeclarationIsPastTheDocumentsStart)
{
	EXPECT_EQ(MarkupScan(" \n<!-- c --><!doctype x>").Declarations(), std::vector<size_t>{});
	EXPECT_EQ(MarkupScan(";<!D>").Declarations(), std::vector<size_t>{1});
	EXPECT_EQ(MarkupScan("<!doctype a><!doctype b>").Declarations(), std::vector<size_t>{12});
}

TEST(MarkupScan, TextOrABodyTagBeforeAFramesetPutsItInTheBody)
{
	std::string frameset = "<html><head><title>T</title><script>x</script></head>"
		"<frameset><frame src=a></frameset>";
	EXPECT_TRUE(MarkupScan(frameset).StrayFrameTags().empty());
	EXPECT_EQ(MarkupScan("a<frameset><frame src=a>").StrayFrameTags(),
		(std::vector<size_t>{1, 11}));
	EXPECT_EQ(MarkupScan("<p><frameset>").StrayFrameTags(), (std::vector<size_t>{3}));
	EXPECT_EQ(MarkupScan("<velmora-x><frameset>").StrayFrameTags(), (std::vector<size_t>{11}));
	// The document type's quotes hide the frameset from the library.
	EXPECT_EQ(MarkupScan("<!D C \"><frameset\"><frame>").StrayFrameTags(),
		(std::vector<size_t>{19}));
}
