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

struct ModelRow {
	const char* name;
	uint32 present;
	uint32 absent;
};

// What the editor reads from the models: the empty bit decides pairing, the
// head bit whether an element is written into the head, and the block,
// list, table and row bits where line breaks go.
const ModelRow kModels[] = {
	{"br", CM_EMPTY | CM_INLINE, CM_HEAD},
	{"img", CM_EMPTY | CM_INLINE, CM_BLOCK},
	{"hr", CM_EMPTY | CM_BLOCK, CM_HEAD},
	{"meta", CM_EMPTY | CM_HEAD, CM_BLOCK},
	{"title", CM_HEAD, CM_EMPTY},
	{"p", CM_BLOCK, CM_EMPTY | CM_INLINE},
	{"h3", CM_BLOCK | CM_HEADING, CM_EMPTY},
	{"b", CM_INLINE, CM_EMPTY | CM_BLOCK},
	{"ul", CM_BLOCK, CM_LIST},
	{"li", CM_LIST, CM_EMPTY},
	{"tr", CM_TABLE, CM_ROW},
	{"td", CM_ROW, CM_EMPTY},
	// Allowed in the body too: writing them into the head would move them.
	{"script", CM_MIXED, CM_HEAD | CM_EMPTY},
	{"object", CM_INLINE, CM_HEAD | CM_EMPTY},
	{"xmp", CM_BLOCK, CM_EMPTY},
};

} // namespace

TEST(TagDictionary, ContentModelsOfTagsTheEditorTreatsSpecially)
{
	for (const ModelRow& row : kModels) {
		SCOPED_TRACE(row.name);
		const _tagdict* tag = LookUpTag(row.name);
		ASSERT_NE(tag, nullptr);
		EXPECT_EQ(tag->model & row.present, row.present);
		EXPECT_EQ(tag->model & row.absent, 0u);
	}
}

TEST(TagDictionary, LookUpIgnoresCaseAndRejectsOtherNames)
{
	EXPECT_EQ(LookUpTag("BLOCKQUOTE"), tag_blockquote);
	EXPECT_EQ(LookUpTag("bLoCkQuOtE"), tag_blockquote);
	EXPECT_EQ(LookUpTag("H1"), tag_h1);
	EXPECT_EQ(LookUpTag("blockquot"), nullptr);
	EXPECT_EQ(LookUpTag("o:p"), nullptr);
	EXPECT_EQ(LookUpTag(""), nullptr);
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

TEST(AttributeDictionary, LookUpIgnoresCaseAndKnowsTheLibrarysNames)
{
	EXPECT_EQ(LookUpAttribute("HREF"), attr_href);
	EXPECT_EQ(LookUpAttribute("BgColor"), attr_bgcolor);
	EXPECT_NE(LookUpAttribute("http-equiv"), nullptr);
	EXPECT_NE(LookUpAttribute("xml:lang"), nullptr);
	EXPECT_NE(LookUpAttribute("aria-label"), nullptr);
	EXPECT_EQ(LookUpAttribute("hreff"), nullptr);
	EXPECT_EQ(LookUpAttribute(nullptr), nullptr);
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
