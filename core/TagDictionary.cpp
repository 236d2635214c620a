#include "TagDictionary.h"

#include <tidy/tidyenum.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "parser_support/AsciiCase.h"
#include "parser_support/CaseFoldedIndex.h"

namespace {

// Defined by every version from HTML 2.0 on.
constexpr uint32 V_ALL = VERS_HTML20 | VERS_HTML32 | VERS_HTML40 | VERS_HTML5;
// Defined from HTML 2.0 on but dropped by HTML5.
constexpr uint32 V_OLD = VERS_HTML20 | VERS_HTML32 | VERS_HTML40;
constexpr uint32 V_32_ON = VERS_HTML32 | VERS_HTML40 | VERS_HTML5;
constexpr uint32 V_40_ON = VERS_HTML40 | VERS_HTML5;
constexpr uint32 V_32_LOOSE = VERS_HTML32 | VERS_LOOSE;

// Every tag the HTML library knows, in the order of its tag ids, so that the
// entry of an id is found by index. The head bit is given only to tags that
// belong nowhere but in the head: a SCRIPT, STYLE or OBJECT in the body must
// be written back where it stood.
constexpr _tagdict sTags[] = {
	{"a", V_ALL, CM_INLINE, TidyTag_A},
	{"abbr", V_40_ON, CM_INLINE, TidyTag_ABBR},
	{"acronym", VERS_HTML40, CM_INLINE, TidyTag_ACRONYM},
	{"address", V_ALL, CM_BLOCK, TidyTag_ADDRESS},
	{"align", VERS_NETSCAPE, CM_BLOCK, TidyTag_ALIGN},
	{"applet", V_32_LOOSE, CM_OBJECT | CM_IMG | CM_INLINE | CM_PARAM, TidyTag_APPLET},
	{"area", V_32_ON, CM_BLOCK | CM_EMPTY, TidyTag_AREA},
	{"b", V_ALL, CM_INLINE, TidyTag_B},
	{"base", V_ALL, CM_HEAD | CM_EMPTY, TidyTag_BASE},
	{"basefont", V_32_LOOSE, CM_INLINE | CM_EMPTY, TidyTag_BASEFONT},
	{"bdo", V_40_ON, CM_INLINE, TidyTag_BDO},
	{"bgsound", VERS_MICROSOFT, CM_INLINE | CM_EMPTY, TidyTag_BGSOUND},
	{"big", VERS_HTML32 | VERS_HTML40, CM_INLINE, TidyTag_BIG},
	{"blink", VERS_NETSCAPE, CM_INLINE, TidyTag_BLINK},
	{"blockquote", V_ALL, CM_BLOCK, TidyTag_BLOCKQUOTE},
	{"body", V_ALL, CM_HTML | CM_OPT | CM_OMITST, TidyTag_BODY},
	{"br", V_ALL, CM_INLINE | CM_EMPTY, TidyTag_BR},
	{"button", V_40_ON, CM_INLINE, TidyTag_BUTTON},
	{"caption", V_32_ON, CM_TABLE, TidyTag_CAPTION},
	{"center", V_32_LOOSE, CM_BLOCK, TidyTag_CENTER},
	{"cite", V_ALL, CM_INLINE, TidyTag_CITE},
	{"code", V_ALL, CM_INLINE, TidyTag_CODE},
	{"col", V_40_ON, CM_TABLE | CM_EMPTY, TidyTag_COL},
	{"colgroup", V_40_ON, CM_TABLE | CM_OPT, TidyTag_COLGROUP},
	{"comment", VERS_MICROSOFT, CM_INLINE, TidyTag_COMMENT},
	{"dd", V_ALL, CM_DEFLIST | CM_OPT | CM_NO_INDENT, TidyTag_DD},
	{"del", V_40_ON, CM_INLINE | CM_BLOCK | CM_MIXED, TidyTag_DEL},
	{"dfn", V_32_ON, CM_INLINE, TidyTag_DFN},
	{"dir", VERS_HTML20 | V_32_LOOSE, CM_BLOCK | CM_OBSOLETE, TidyTag_DIR},
	{"div", V_32_ON, CM_BLOCK, TidyTag_DIV},
	{"dl", V_ALL, CM_BLOCK, TidyTag_DL},
	{"dt", V_ALL, CM_DEFLIST | CM_OPT | CM_NO_INDENT, TidyTag_DT},
	{"em", V_ALL, CM_INLINE, TidyTag_EM},
	{"embed", VERS_NETSCAPE | VERS_MICROSOFT | VERS_HTML5, CM_INLINE | CM_IMG | CM_EMPTY,
		TidyTag_EMBED},
	{"fieldset", V_40_ON, CM_BLOCK, TidyTag_FIELDSET},
	{"font", V_32_LOOSE, CM_INLINE, TidyTag_FONT},
	{"form", V_ALL, CM_BLOCK, TidyTag_FORM},
	{"frame", VERS_FRAMES, CM_FRAMES | CM_EMPTY, TidyTag_FRAME},
	{"frameset", VERS_FRAMES, CM_HTML | CM_FRAMES, TidyTag_FRAMESET},
	{"h1", V_ALL, CM_BLOCK | CM_HEADING, TidyTag_H1},
	{"h2", V_ALL, CM_BLOCK | CM_HEADING, TidyTag_H2},
	{"h3", V_ALL, CM_BLOCK | CM_HEADING, TidyTag_H3},
	{"h4", V_ALL, CM_BLOCK | CM_HEADING, TidyTag_H4},
	{"h5", V_ALL, CM_BLOCK | CM_HEADING, TidyTag_H5},
	{"h6", V_ALL, CM_BLOCK | CM_HEADING, TidyTag_H6},
	{"head", V_ALL, CM_HTML | CM_OPT | CM_OMITST, TidyTag_HEAD},
	{"hr", V_ALL, CM_BLOCK | CM_EMPTY, TidyTag_HR},
	{"html", V_ALL, CM_HTML | CM_OPT | CM_OMITST, TidyTag_HTML},
	{"i", V_ALL, CM_INLINE, TidyTag_I},
	{"iframe", VERS_LOOSE | VERS_HTML5, CM_INLINE, TidyTag_IFRAME},
	{"ilayer", VERS_NETSCAPE, CM_INLINE, TidyTag_ILAYER},
	{"img", V_ALL, CM_INLINE | CM_IMG | CM_EMPTY, TidyTag_IMG},
	{"input", V_ALL, CM_INLINE | CM_IMG | CM_EMPTY, TidyTag_INPUT},
	{"ins", V_40_ON, CM_INLINE | CM_BLOCK | CM_MIXED, TidyTag_INS},
	{"isindex", VERS_HTML20 | V_32_LOOSE, CM_BLOCK | CM_EMPTY, TidyTag_ISINDEX},
	{"kbd", V_ALL, CM_INLINE, TidyTag_KBD},
	{"keygen", VERS_NETSCAPE | VERS_HTML5, CM_INLINE | CM_EMPTY, TidyTag_KEYGEN},
	{"label", V_40_ON, CM_INLINE, TidyTag_LABEL},
	{"layer", VERS_NETSCAPE, CM_BLOCK, TidyTag_LAYER},
	{"legend", V_40_ON, CM_INLINE, TidyTag_LEGEND},
	{"li", V_ALL, CM_LIST | CM_OPT | CM_NO_INDENT, TidyTag_LI},
	{"link", V_ALL, CM_HEAD | CM_EMPTY, TidyTag_LINK},
	{"listing", VERS_HTML20 | VERS_HTML32, CM_BLOCK | CM_OBSOLETE, TidyTag_LISTING},
	{"map", V_32_ON, CM_INLINE, TidyTag_MAP},
	{"math", VERS_HTML5, CM_INLINE, TidyTag_MATHML},
	{"marquee", VERS_MICROSOFT, CM_INLINE | CM_OPT, TidyTag_MARQUEE},
	{"menu", VERS_HTML20 | V_32_LOOSE | VERS_HTML5, CM_BLOCK, TidyTag_MENU},
	{"meta", V_ALL, CM_HEAD | CM_EMPTY, TidyTag_META},
	{"multicol", VERS_NETSCAPE, CM_BLOCK, TidyTag_MULTICOL},
	{"nobr", VERS_PROPRIETARY, CM_INLINE, TidyTag_NOBR},
	{"noembed", VERS_NETSCAPE, CM_INLINE, TidyTag_NOEMBED},
	{"noframes", VERS_LOOSE, CM_BLOCK | CM_FRAMES, TidyTag_NOFRAMES},
	{"nolayer", VERS_NETSCAPE, CM_BLOCK | CM_INLINE | CM_MIXED, TidyTag_NOLAYER},
	{"nosave", VERS_NETSCAPE, CM_BLOCK, TidyTag_NOSAVE},
	{"noscript", V_40_ON, CM_BLOCK | CM_INLINE | CM_MIXED, TidyTag_NOSCRIPT},
	{"object", V_40_ON, CM_OBJECT | CM_IMG | CM_INLINE | CM_PARAM, TidyTag_OBJECT},
	{"ol", V_ALL, CM_BLOCK, TidyTag_OL},
	{"optgroup", V_40_ON, CM_FIELD | CM_OPT, TidyTag_OPTGROUP},
	{"option", V_ALL, CM_FIELD | CM_OPT, TidyTag_OPTION},
	{"p", V_ALL, CM_BLOCK | CM_OPT, TidyTag_P},
	{"param", V_32_ON, CM_INLINE | CM_EMPTY, TidyTag_PARAM},
	{"picture", VERS_HTML5, CM_INLINE, TidyTag_PICTURE},
	{"plaintext", VERS_HTML20, CM_BLOCK | CM_OBSOLETE, TidyTag_PLAINTEXT},
	{"pre", V_ALL, CM_BLOCK, TidyTag_PRE},
	{"q", V_40_ON, CM_INLINE, TidyTag_Q},
	{"rb", VERS_XML | VERS_HTML5, CM_INLINE, TidyTag_RB},
	{"rbc", VERS_XML, CM_INLINE, TidyTag_RBC},
	{"rp", VERS_XML | VERS_HTML5, CM_INLINE, TidyTag_RP},
	{"rt", VERS_XML | VERS_HTML5, CM_INLINE, TidyTag_RT},
	{"rtc", VERS_XML | VERS_HTML5, CM_INLINE, TidyTag_RTC},
	{"ruby", VERS_XML | VERS_HTML5, CM_INLINE, TidyTag_RUBY},
	{"s", VERS_LOOSE | VERS_HTML5, CM_INLINE, TidyTag_S},
	{"samp", V_ALL, CM_INLINE, TidyTag_SAMP},
	{"script", V_32_ON, CM_MIXED | CM_BLOCK | CM_INLINE, TidyTag_SCRIPT},
	{"select", V_ALL, CM_INLINE | CM_FIELD, TidyTag_SELECT},
	{"server", VERS_NETSCAPE, CM_MIXED | CM_BLOCK | CM_INLINE, TidyTag_SERVER},
	{"servlet", VERS_SUN, CM_OBJECT | CM_IMG | CM_INLINE | CM_PARAM, TidyTag_SERVLET},
	{"small", V_32_ON, CM_INLINE, TidyTag_SMALL},
	{"spacer", VERS_NETSCAPE, CM_INLINE | CM_EMPTY, TidyTag_SPACER},
	{"span", V_40_ON, CM_INLINE, TidyTag_SPAN},
	{"strike", V_32_LOOSE, CM_INLINE, TidyTag_STRIKE},
	{"strong", V_ALL, CM_INLINE, TidyTag_STRONG},
	{"style", V_32_ON, CM_MIXED | CM_BLOCK, TidyTag_STYLE},
	{"sub", V_32_ON, CM_INLINE, TidyTag_SUB},
	{"sup", V_32_ON, CM_INLINE, TidyTag_SUP},
	{"svg", VERS_HTML5, CM_INLINE, TidyTag_SVG},
	{"table", V_32_ON, CM_BLOCK, TidyTag_TABLE},
	{"tbody", V_40_ON, CM_TABLE | CM_ROWGRP | CM_OPT, TidyTag_TBODY},
	{"td", V_32_ON, CM_ROW | CM_OPT | CM_NO_INDENT, TidyTag_TD},
	{"textarea", V_ALL, CM_INLINE | CM_FIELD, TidyTag_TEXTAREA},
	{"tfoot", V_40_ON, CM_TABLE | CM_ROWGRP | CM_OPT, TidyTag_TFOOT},
	{"th", V_32_ON, CM_ROW | CM_OPT | CM_NO_INDENT, TidyTag_TH},
	{"thead", V_40_ON, CM_TABLE | CM_ROWGRP | CM_OPT, TidyTag_THEAD},
	{"title", V_ALL, CM_HEAD, TidyTag_TITLE},
	{"tr", V_32_ON, CM_TABLE | CM_OPT, TidyTag_TR},
	{"tt", V_OLD, CM_INLINE, TidyTag_TT},
	{"u", V_32_LOOSE | VERS_HTML5, CM_INLINE, TidyTag_U},
	{"ul", V_ALL, CM_BLOCK, TidyTag_UL},
	{"var", V_ALL, CM_INLINE, TidyTag_VAR},
	{"wbr", VERS_NETSCAPE | VERS_MICROSOFT | VERS_HTML5, CM_INLINE | CM_EMPTY, TidyTag_WBR},
	{"xmp", VERS_HTML20 | VERS_HTML32, CM_BLOCK | CM_OBSOLETE, TidyTag_XMP},
	{"nextid", VERS_HTML20, CM_HEAD | CM_EMPTY, TidyTag_NEXTID},
	{"article", VERS_HTML5, CM_BLOCK, TidyTag_ARTICLE},
	{"aside", VERS_HTML5, CM_BLOCK, TidyTag_ASIDE},
	{"audio", VERS_HTML5, CM_BLOCK | CM_INLINE | CM_MIXED, TidyTag_AUDIO},
	{"bdi", VERS_HTML5, CM_INLINE, TidyTag_BDI},
	{"canvas", VERS_HTML5, CM_BLOCK, TidyTag_CANVAS},
	{"command", VERS_HTML5, CM_INLINE | CM_EMPTY, TidyTag_COMMAND},
	{"datalist", VERS_HTML5, CM_INLINE | CM_FIELD, TidyTag_DATALIST},
	{"details", VERS_HTML5, CM_BLOCK, TidyTag_DETAILS},
	{"dialog", VERS_HTML5, CM_BLOCK, TidyTag_DIALOG},
	{"figcaption", VERS_HTML5, CM_BLOCK, TidyTag_FIGCAPTION},
	{"figure", VERS_HTML5, CM_BLOCK, TidyTag_FIGURE},
	{"footer", VERS_HTML5, CM_BLOCK, TidyTag_FOOTER},
	{"header", VERS_HTML5, CM_BLOCK, TidyTag_HEADER},
	{"hgroup", VERS_HTML5, CM_BLOCK, TidyTag_HGROUP},
	{"main", VERS_HTML5, CM_BLOCK, TidyTag_MAIN},
	{"mark", VERS_HTML5, CM_INLINE, TidyTag_MARK},
	{"menuitem", VERS_HTML5, CM_INLINE | CM_BLOCK | CM_MIXED, TidyTag_MENUITEM},
	{"meter", VERS_HTML5, CM_INLINE, TidyTag_METER},
	{"nav", VERS_HTML5, CM_BLOCK, TidyTag_NAV},
	{"output", VERS_HTML5, CM_INLINE, TidyTag_OUTPUT},
	{"progress", VERS_HTML5, CM_INLINE, TidyTag_PROGRESS},
	{"section", VERS_HTML5, CM_BLOCK, TidyTag_SECTION},
	{"source", VERS_HTML5, CM_BLOCK | CM_INLINE | CM_EMPTY, TidyTag_SOURCE},
	{"summary", VERS_HTML5, CM_BLOCK, TidyTag_SUMMARY},
	{"template", VERS_HTML5, CM_BLOCK, TidyTag_TEMPLATE},
	{"time", VERS_HTML5, CM_INLINE, TidyTag_TIME},
	{"track", VERS_HTML5, CM_BLOCK | CM_INLINE | CM_EMPTY, TidyTag_TRACK},
	{"video", VERS_HTML5, CM_BLOCK | CM_INLINE | CM_MIXED, TidyTag_VIDEO},
};

constexpr int32 kTagCount = sizeof(sTags) / sizeof(sTags[0]);

constexpr bool TableFollowsLibraryIds()
{
	for (int32 i = 0; i < kTagCount; i++) {
		if (sTags[i].id != i + 1)
			return false;
	}
	return kTagCount == N_TIDY_TAGS - 1;
}
static_assert(TableFollowsLibraryIds(), "one entry per library tag, in id order");

constexpr const _tagdict* Entry(TidyTagId id)
{
	return &sTags[id - 1];
}

// Names are short; anything longer is no tag of ours.
constexpr size_t kLongestTagName = 16;

// Enough for any real site; a page of random names gets no more.
constexpr size_t kMostUnknownTags = 65536;

struct UnknownTagEntry {
	std::string name;
	_tagdict dict;
};

} // namespace

const _tagdict* LookUpTag(const char* name)
{
	static const CaseFoldedIndex<_tagdict, kLongestTagName> sIndex(sTags);
	return sIndex.Find(name);
}

const _tagdict* TagForLibraryId(int32 id)
{
	if (id < 1 || id > kTagCount)
		return nullptr;
	return &sTags[id - 1];
}

const _tagdict* UnknownTag(const char* name, bool empty)
{
	static std::mutex sLock;
	static std::unordered_map<std::string, std::unique_ptr<UnknownTagEntry>> sEntries;

	if (name == nullptr || name[0] == '\0')
		return nullptr;
	std::string lowerName = AsciiCase::Lower(name);
	std::string key = lowerName + (empty ? "/" : "");

	std::lock_guard<std::mutex> lock(sLock);
	auto found = sEntries.find(key);
	if (found != sEntries.end())
		return &found->second->dict;
	if (sEntries.size() >= kMostUnknownTags)
		return nullptr;
	auto entry = std::make_unique<UnknownTagEntry>();
	entry->name = std::move(lowerName);
	entry->dict = {entry->name.c_str(), VERS_UNKNOWN,
		CM_NEW | CM_INLINE | (empty ? CM_EMPTY : CM_UNKNOWN), 0};
	const _tagdict* dict = &entry->dict;
	sEntries.emplace(std::move(key), std::move(entry));
	return dict;
}

constinit const _tagdict* const tag_a = Entry(TidyTag_A);
constinit const _tagdict* const tag_b = Entry(TidyTag_B);
constinit const _tagdict* const tag_basefont = Entry(TidyTag_BASEFONT);
constinit const _tagdict* const tag_big = Entry(TidyTag_BIG);
constinit const _tagdict* const tag_blockquote = Entry(TidyTag_BLOCKQUOTE);
constinit const _tagdict* const tag_body = Entry(TidyTag_BODY);
constinit const _tagdict* const tag_br = Entry(TidyTag_BR);
constinit const _tagdict* const tag_center = Entry(TidyTag_CENTER);
constinit const _tagdict* const tag_cite = Entry(TidyTag_CITE);
constinit const _tagdict* const tag_code = Entry(TidyTag_CODE);
constinit const _tagdict* const tag_dd = Entry(TidyTag_DD);
constinit const _tagdict* const tag_dfn = Entry(TidyTag_DFN);
constinit const _tagdict* const tag_dl = Entry(TidyTag_DL);
constinit const _tagdict* const tag_dt = Entry(TidyTag_DT);
constinit const _tagdict* const tag_em = Entry(TidyTag_EM);
constinit const _tagdict* const tag_font = Entry(TidyTag_FONT);
constinit const _tagdict* const tag_h1 = Entry(TidyTag_H1);
constinit const _tagdict* const tag_h2 = Entry(TidyTag_H2);
constinit const _tagdict* const tag_h3 = Entry(TidyTag_H3);
constinit const _tagdict* const tag_h4 = Entry(TidyTag_H4);
constinit const _tagdict* const tag_h5 = Entry(TidyTag_H5);
constinit const _tagdict* const tag_h6 = Entry(TidyTag_H6);
constinit const _tagdict* const tag_head = Entry(TidyTag_HEAD);
constinit const _tagdict* const tag_hr = Entry(TidyTag_HR);
constinit const _tagdict* const tag_html = Entry(TidyTag_HTML);
constinit const _tagdict* const tag_i = Entry(TidyTag_I);
constinit const _tagdict* const tag_img = Entry(TidyTag_IMG);
constinit const _tagdict* const tag_kbd = Entry(TidyTag_KBD);
constinit const _tagdict* const tag_li = Entry(TidyTag_LI);
constinit const _tagdict* const tag_listing = Entry(TidyTag_LISTING);
constinit const _tagdict* const tag_meta = Entry(TidyTag_META);
constinit const _tagdict* const tag_ol = Entry(TidyTag_OL);
constinit const _tagdict* const tag_p = Entry(TidyTag_P);
constinit const _tagdict* const tag_plaintext = Entry(TidyTag_PLAINTEXT);
constinit const _tagdict* const tag_pre = Entry(TidyTag_PRE);
constinit const _tagdict* const tag_s = Entry(TidyTag_S);
constinit const _tagdict* const tag_samp = Entry(TidyTag_SAMP);
constinit const _tagdict* const tag_script = Entry(TidyTag_SCRIPT);
constinit const _tagdict* const tag_small = Entry(TidyTag_SMALL);
constinit const _tagdict* const tag_strike = Entry(TidyTag_STRIKE);
constinit const _tagdict* const tag_strong = Entry(TidyTag_STRONG);
constinit const _tagdict* const tag_style = Entry(TidyTag_STYLE);
constinit const _tagdict* const tag_sub = Entry(TidyTag_SUB);
constinit const _tagdict* const tag_sup = Entry(TidyTag_SUP);
constinit const _tagdict* const tag_title = Entry(TidyTag_TITLE);
constinit const _tagdict* const tag_tt = Entry(TidyTag_TT);
constinit const _tagdict* const tag_u = Entry(TidyTag_U);
constinit const _tagdict* const tag_ul = Entry(TidyTag_UL);
constinit const _tagdict* const tag_var = Entry(TidyTag_VAR);
constinit const _tagdict* const tag_xmp = Entry(TidyTag_XMP);
