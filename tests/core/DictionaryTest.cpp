#include <gtest/gtest.h>

#include <tidy/tidy.h>

#include <cstring>
#include <string>

#include "AttributeDictionary.h"
#include "NodeTree.h"
#include "PageParser.h"
#include "TagDictionary.h"

namespace {

Bool Quiet(TidyMessage)
{
	return no;
}

} // namespace

TEST(TagDictionary, LookUpIgnoresCaseAndRejectsOtherNames)
{
	EXPECT_EQ(LookUpTag("BLOCKQUOTE"), tag_blockquote);
	EXPECT_EQ(LookUpTag("bLoCkQuOtE"), tag_blockquote);
	EXPECT_EQ(LookUpTag("blockquot"), nullptr);
	EXPECT_EQ(LookUpTag("o:p"), nullptr);
	EXPECT_EQ(LookUpTag(nullptr), nullptr);
	EXPECT_EQ(LookUpTag(std::string(5000, 'b').c_str()), nullptr);
}

// Every tag of the dictionary must be one the library knows, or reading a
// page would report it as unknown and the two would disagree on pairing.
TEST(TagDictionary, EveryEntryIsATagTheLibraryKeepsAsKnown)
{
	for (int32 id = 1; id < N_TIDY_TAGS; id++) {
		const _tagdict* tag = TagForLibraryId(id);
		ASSERT_NE(tag, nullptr);
		SCOPED_TRACE(tag->name);
		EXPECT_EQ(tag->id, id);
		std::string page = std::string("<body><") + tag->name + ">x";
		std::unique_ptr<ParsedPage> parsed = PageParser::Parse(page);
		EXPECT_EQ(parsed->Lexer()->errors, 0u);
		for (const ParseReport& report : parsed->Reports())
			EXPECT_EQ(report.text.find("not recognized"), std::string::npos) << report.text;
	}
	EXPECT_EQ(TagForLibraryId(0), nullptr);
	EXPECT_EQ(TagForLibraryId(N_TIDY_TAGS), nullptr);
}

TEST(UnknownTags, OneEntryPerNameAndKindWhateverTheCase)
{
	const _tagdict* paired = UnknownTag("Velmora-Widget", false);
	ASSERT_NE(paired, nullptr);
	EXPECT_EQ(UnknownTag("VELMORA-WIDGET", false), paired);
	EXPECT_STREQ(paired->name, "velmora-widget");
	EXPECT_TRUE(NodeTree::IsPairTag(paired));

	const _tagdict* empty = UnknownTag("velmora-widget", true);
	ASSERT_NE(empty, nullptr);
	EXPECT_NE(empty, paired);
	EXPECT_FALSE(NodeTree::IsPairTag(empty));

	EXPECT_EQ(paired->versions, VERS_UNKNOWN);
	EXPECT_NE(paired->model & CM_NEW, 0u);
	EXPECT_EQ(LookUpTag("velmora-widget"), nullptr);
	EXPECT_EQ(UnknownTag("", false), nullptr);
}

// A name spelt differently from the library's would be unknown to one and
// known to the other (the count of entries is checked when compiling).
TEST(AttributeDictionary, NamesWithPunctuationAreSpeltAsTheLibrarySpellsThem)
{
	for (const char* name : {"accept-charset", "http-equiv", "xml:lang", "xml:space",
			"aria-valuetext", "xmlns:xlink", "add_date", "last_modified", "datapagesize"}) {
		SCOPED_TRACE(name);
		TidyDoc document = tidyCreate();
		tidySetMessageCallback(document, Quiet);
		std::string page = std::string("<body><p ") + name + "=\"1\">";
		tidyParseString(document, page.c_str());
		TidyNode paragraph = tidyGetChild(tidyGetBody(document));
		ASSERT_NE(paragraph, nullptr);
		TidyAttr attribute = tidyAttrFirst(paragraph);
		ASSERT_NE(attribute, nullptr);
		EXPECT_NE(tidyAttrGetId(attribute), TidyAttr_UNKNOWN);
		EXPECT_NE(LookUpAttribute(name), nullptr);
		tidyRelease(document);
	}
}
