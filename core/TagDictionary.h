#ifndef TAG_DICTIONARY_H
#define TAG_DICTIONARY_H

#include <SupportDefs.h>

// One known tag. Entries live for the whole run of the program, so a pointer
// to one identifies the tag: code compares a node's tag with the entries
// below (node->tag == tag_b) instead of comparing names.
struct _tagdict {
	const char* name;	// lower case
	uint32 versions;	// VERS_* bits: the HTML versions that define the tag
	uint32 model;	// CM_* bits: what the tag may contain and where it goes
	int32 id;	// the HTML library's tag id; 0 for tags it does not know
};

// Content model bits, numbered as the HTML library numbers them.
constexpr uint32 CM_UNKNOWN = 0;
constexpr uint32 CM_EMPTY = 1u << 0;	// no end tag, no content (BR, IMG)
constexpr uint32 CM_HTML = 1u << 1;	// HTML, HEAD, BODY, FRAMESET
constexpr uint32 CM_HEAD = 1u << 2;	// belongs in the head only (TITLE, META, LINK, BASE)
constexpr uint32 CM_BLOCK = 1u << 3;	// block level (P, DIV, TABLE)
constexpr uint32 CM_INLINE = 1u << 4;	// inline (B, A, SPAN)
constexpr uint32 CM_LIST = 1u << 5;	// LI
constexpr uint32 CM_DEFLIST = 1u << 6;	// DT, DD
constexpr uint32 CM_TABLE = 1u << 7;	// CAPTION, COL, TR and the row groups
constexpr uint32 CM_ROWGRP = 1u << 8;	// THEAD, TBODY, TFOOT
constexpr uint32 CM_ROW = 1u << 9;	// TD, TH
constexpr uint32 CM_FIELD = 1u << 10;	// form controls and their parts
constexpr uint32 CM_OBJECT = 1u << 11;	// OBJECT, APPLET
constexpr uint32 CM_PARAM = 1u << 12;	// may contain PARAM
constexpr uint32 CM_FRAMES = 1u << 13;	// FRAME, FRAMESET, NOFRAMES
constexpr uint32 CM_HEADING = 1u << 14;	// H1 to H6
constexpr uint32 CM_OPT = 1u << 15;	// the end tag may be left out
constexpr uint32 CM_IMG = 1u << 16;	// an image-like inline object
constexpr uint32 CM_MIXED = 1u << 17;	// block or inline, depending on where it stands
constexpr uint32 CM_NO_INDENT = 1u << 18;	// content printed without indenting
constexpr uint32 CM_OBSOLETE = 1u << 19;	// replaced by a newer tag
constexpr uint32 CM_NEW = 1u << 20;	// declared by the page rather than known
constexpr uint32 CM_OMITST = 1u << 21;	// the start tag may be left out

// HTML version bits.
constexpr uint32 VERS_UNKNOWN = 0;
constexpr uint32 VERS_HTML20 = 1u << 0;
constexpr uint32 VERS_HTML32 = 1u << 1;
constexpr uint32 VERS_HTML40_STRICT = 1u << 2;
constexpr uint32 VERS_HTML40_LOOSE = 1u << 3;
constexpr uint32 VERS_FRAMES = 1u << 4;
constexpr uint32 VERS_XML = 1u << 5;
constexpr uint32 VERS_NETSCAPE = 1u << 6;
constexpr uint32 VERS_MICROSOFT = 1u << 7;
constexpr uint32 VERS_SUN = 1u << 8;
constexpr uint32 VERS_HTML5 = 1u << 10;

constexpr uint32 VERS_HTML40 = VERS_HTML40_STRICT | VERS_HTML40_LOOSE | VERS_FRAMES;
constexpr uint32 VERS_LOOSE = VERS_HTML40_LOOSE | VERS_FRAMES;
constexpr uint32 VERS_PROPRIETARY = VERS_NETSCAPE | VERS_MICROSOFT | VERS_SUN;

// The dictionary entry of a tag name, without regard to case; null for a
// name that is not a known tag.
const _tagdict* LookUpTag(const char* name);

// The entry of a tag the library knows by its id; null for other ids.
const _tagdict* TagForLibraryId(int32 id);

// A tag a page uses although no HTML version defines it. Entries are made
// on first use and live as long as the known ones, one per lower-case name
// and kind (paired or empty), so that the tags of unknown elements compare
// by pointer like known ones. Null for an empty name or once very many
// names have been made (a page of random names must not exhaust memory).
const _tagdict* UnknownTag(const char* name, bool empty);

extern const _tagdict* const tag_a;
extern const _tagdict* const tag_b;
extern const _tagdict* const tag_basefont;
extern const _tagdict* const tag_big;
extern const _tagdict* const tag_blockquote;
extern const _tagdict* const tag_body;
extern const _tagdict* const tag_br;
extern const _tagdict* const tag_center;
extern const _tagdict* const tag_cite;
extern const _tagdict* const tag_code;
extern const _tagdict* const tag_dd;
extern const _tagdict* const tag_dfn;
extern const _tagdict* const tag_dl;
extern const _tagdict* const tag_dt;
extern const _tagdict* const tag_em;
extern const _tagdict* const tag_font;
extern const _tagdict* const tag_h1;
extern const _tagdict* const tag_h2;
extern const _tagdict* const tag_h3;
extern const _tagdict* const tag_h4;
extern const _tagdict* const tag_h5;
extern const _tagdict* const tag_h6;
extern const _tagdict* const tag_head;
extern const _tagdict* const tag_hr;
extern const _tagdict* const tag_html;
extern const _tagdict* const tag_i;
extern const _tagdict* const tag_img;
extern const _tagdict* const tag_kbd;
extern const _tagdict* const tag_li;
extern const _tagdict* const tag_listing;
extern const _tagdict* const tag_meta;
extern const _tagdict* const tag_ol;
extern const _tagdict* const tag_p;
extern const _tagdict* const tag_plaintext;
extern const _tagdict* const tag_pre;
extern const _tagdict* const tag_s;
extern const _tagdict* const tag_samp;
extern const _tagdict* const tag_script;
extern const _tagdict* const tag_small;
extern const _tagdict* const tag_strike;
extern const _tagdict* const tag_strong;
extern const _tagdict* const tag_style;
extern const _tagdict* const tag_sub;
extern const _tagdict* const tag_sup;
extern const _tagdict* const tag_title;
extern const _tagdict* const tag_tt;
extern const _tagdict* const tag_u;
extern const _tagdict* const tag_ul;
extern const _tagdict* const tag_var;
extern const _tagdict* const tag_xmp;

#endif
