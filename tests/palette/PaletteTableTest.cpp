// The palette's tag list: every category in order, each tag with its
// closing tag or not, and its attributes with the way their values are
// given, as the tag list shows them. The expected rows are written here
// from the list of HTML 4 tags the palette offers, not from the program's
// table, so a row lost or changed there fails.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Autolock.h>
#include <OutlineListView.h>

#include "ControlTesting.h"
#include "HTMLPaletteWindow.h"
#include "WTagAttrListItem.h"

namespace {

const std::string kLinkTypes = "(ALTERNATE, STYLESHEET, START, NEXT, PREV, CONTENTS, INDEX, "
	"GLOSSARY, COPYRIGHT, CHAPTER, SECTION, SUBSECTION, APPENDIX, HELP, BOOKMARK)";
const std::string kImageAlign = "(TOP, MIDDLE, BOTTOM, LEFT, RIGHT)";
const std::string kTextAlign = "(LEFT, RIGHT, CENTER, JUSTIFY)";
const std::string kCellAlign = "(LEFT, RIGHT, CENTER, JUSTIFY, CHAR)";
const std::string kVAlign = "(TOP, MIDDLE, BOTTOM, BASELINE)";
const std::string kCellPart = "align " + kCellAlign + ", valign " + kVAlign + ", char, charoff";

struct Category {
	std::string label;
	std::vector<std::string> tags;	// "Label | TAG | pair or single | attributes"
};

const std::vector<Category> kExpected = {
	{"Document elements", {
		"Meta | META | single | name, content, http-equiv",
		"Style | STYLE | pair | type, title",
		"Base | BASE | single | href",
		"No script | NOSCRIPT | pair | none",
		"Script | SCRIPT | pair | type, src, defer (presence)",
		"Link | LINK | single | href, rel " + kLinkTypes + ", rev " + kLinkTypes + ", title"}},
	{"General elements", {
		"HyperText link | A | pair | href, name, rel " + kLinkTypes + ", rev " + kLinkTypes
			+ ", title",
		"Image | IMG | single | src, alt, align " + kImageAlign + ", width, height, border, "
			"longdesc, hspace, vspace, ismap (presence), usemap"}},
	{"Information elements", {
		"Emphasis | EM | pair | none",
		"Strong emphasis | STRONG | pair | none",
		"Definition | DFN | pair | none",
		"Code | CODE | pair | none",
		"Sample | SAMP | pair | none",
		"Keyboard input | KBD | pair | none",
		"Variable | VAR | pair | none",
		"Citation | CITE | pair | none",
		"Address | ADDRESS | pair | none",
		"Abbreviation | ABBR | pair | none",
		"Quotation | Q | pair | cite",
		"Inserted text | INS | pair | cite, datetime",
		"Deleted text | DEL | pair | cite, datetime",
		"Acronym | ACRONYM | pair | none"}},
	{"Font elements", {
		"Italics | I | pair | none",
		"Bold | B | pair | none",
		"Typewriter | TT | pair | none",
		"Underlined | U | pair | none",
		"Big | BIG | pair | none",
		"Small | SMALL | pair | none",
		"Subscript | SUB | pair | none",
		"Superscript | SUP | pair | none",
		"Strikethru | STRIKE | pair | none",
		"Font | FONT | pair | face, size (1, 2, 3, 4, 5, 6, 7, +1, +2, +3, +4, +5, +6, -1, -2, "
			"-3, -4, -5, -6), color",
		"Base font | BASEFONT | single | face, size (1, 2, 3, 4, 5, 6, 7), color"}},
	{"Block elements", {
		"Blockquote | BLOCKQUOTE | pair | cite",
		"Div | DIV | pair | align " + kTextAlign,
		"Span | SPAN | pair | align " + kTextAlign,
		"Center | CENTER | pair | none",
		"Preformatted | PRE | pair | width"}},
	{"Headings", {
		"Paragraph | P | pair | align " + kTextAlign,
		"Break line | BR | single | clear (NONE, ALL, LEFT, RIGHT)",
		"Horizontal rule | HR | single | width, align (LEFT, RIGHT, CENTER), size, "
			"noshade (presence)",
		"Heading 1 | H1 | pair | align " + kTextAlign,
		"Heading 2 | H2 | pair | align " + kTextAlign,
		"Heading 3 | H3 | pair | align " + kTextAlign,
		"Heading 4 | H4 | pair | align " + kTextAlign,
		"Heading 5 | H5 | pair | align " + kTextAlign,
		"Heading 6 | H6 | pair | align " + kTextAlign}},
	{"Frame elements", {
		"Frame | FRAME | single | src, marginwidth, marginheight, frameborder (1, 0), "
			"scrolling (AUTO, YES, NO), name, longdesc, noresize (presence), title",
		"Inline frame | IFRAME | pair | src, width, height, marginwidth, marginheight, "
			"align (TOP, MIDDLE, BOTTOM, LEFT, RIGHT, CENTER), frameborder (1, 0), "
			"scrolling (AUTO, YES, NO), name, longdesc, title",
		"Frameset | FRAMESET | pair | rows, cols, title",
		"Noframes | NOFRAMES | pair | none"}},
	{"List elements", {
		"Unordered list | UL | pair | type (DISC, CIRCLE, SQUARE), compact (presence)",
		"Ordered list | OL | pair | type (1, i, I, a, A), start, compact (presence)",
		"List item | LI | pair | type (DISC, CIRCLE, SQUARE, 1, i, I, a, A), value",
		"Definition list | DL | pair | none",
		"Term definition | DT | pair | none",
		"Data definition | DD | pair | none"}},
	{"Applets", {
		"Object | OBJECT | pair | classid, codebase, codetype, data, type, archive, "
			"declare (presence), standby, align " + kImageAlign + ", width, height, border, "
			"hspace, vspace, usemap",
		"Parameter | PARAM | single | name, value, valuetype (DATA, REF, OBJECT), type",
		"Applet | APPLET | pair | code, codebase, object, alt, width, height, align "
			+ kImageAlign + ", hspace, vspace, name"}},
	{"Table elements", {
		"Table | TABLE | pair | width, height, align (LEFT, RIGHT, CENTER), border, bgcolor, "
			"cellspacing, cellpadding, summary",
		"Table row | TR | pair | width, height, " + kCellPart,
		"Table data cell | TD | pair | width, height, align " + kCellAlign + ", valign "
			+ kVAlign + ", rowspan, colspan, nowrap, bgcolor, char, charoff",
		"Table header cell | TH | pair | width, height, align " + kCellAlign + ", valign "
			+ kVAlign + ", rowspan, colspan, nowrap, bgcolor, char, charoff",
		"Table head | THEAD | pair | " + kCellPart,
		"Table body | TBODY | pair | " + kCellPart,
		"Table foot | TFOOT | pair | " + kCellPart,
		"Column | COL | single | span, width, " + kCellPart,
		"Column group | COLGROUP | pair | span, width, " + kCellPart,
		"Caption | CAPTION | pair | align (TOP, BOTTOM, LEFT, RIGHT)"}},
	{"Form elements", {
		"Form | FORM | pair | action, method (GET, POST), enctype, title",
		"Input | INPUT | single | type (TEXT, PASSWORD, CHECKBOX, RADIO, SUBMIT, RESET, IMAGE, "
			"FILE, HIDDEN, BUTTON), name, value, maxlength, size, checked (presence), "
			"disabled (presence), src, align " + kTextAlign + ", accept",
		"Select | SELECT | pair | name, size, multiple (presence), disabled (presence)",
		"Option | OPTION | pair | label, value, selected (presence), disabled (presence)",
		"Option group | OPTGROUP | pair | label, disabled (presence)",
		"Text area | TEXTAREA | pair | rows, cols, name, disabled (presence), "
			"readonly (presence)",
		"Button | BUTTON | single | name, value, type (SUBMIT, BUTTON, RESET), "
			"disabled (presence)",
		"Isindex | ISINDEX | single | prompt",
		"Label | LABEL | pair | for",
		"Field set | FIELDSET | pair | none",
		"Legend | LEGEND | pair | align (TOP, BOTTOM, LEFT, RIGHT)"}},
	{"Image map elements", {
		"Area | AREA | single | shape (DEFAULT, RECT, CIRCLE, POLY), coords, href, nohref, alt",
		"Map | MAP | pair | name"}},
};

std::string StringOf(const BMessage* data, const char* name, int32 index = 0)
{
	const char* value = nullptr;
	return data->FindString(name, index, &value) == B_OK ? value : "(none)";
}

// An attribute row as the expected rows write it; the names it writes and
// the default of a typed value are checked on the way.
std::string AttributeRow(const WTagAttrListItem* attribute)
{
	const BMessage* data = attribute->Data();
	std::string name = StringOf(data, "_attribute");
	EXPECT_EQ(attribute->Text(), name);
	EXPECT_EQ(StringOf(data, "html"), name);
	if (data->HasBool("presentmode")) {
		EXPECT_EQ(StringOf(data, "field", 0) + "/" + StringOf(data, "field", 1), "Absent/Present");
		return name + " (presence)";
	}
	if (data->HasString("text")) {
		EXPECT_EQ(StringOf(data, "text"), "") << name;
		return name;
	}
	std::string values;
	const char* value = nullptr;
	for (int32 i = 0; data->FindString("field", i, &value) == B_OK; i++)
		values += (i > 0 ? ", " : "") + std::string(value);
	return name + " (" + values + ")";
}

std::string TagRow(const WTagAttrListItem* tag)
{
	const BMessage* data = tag->Data();
	std::string name = StringOf(data, "_tag");
	EXPECT_EQ(StringOf(data, "html"), name);
	bool pair = data->HasString("html2");
	if (pair) {
		EXPECT_EQ(StringOf(data, "html2"), name);
	}
	std::string attributes;
	for (const std::unique_ptr<WTagAttrListItem>& attribute : tag->Attributes())
		attributes += (attributes.empty() ? "" : ", ") + AttributeRow(attribute.get());
	return std::string(tag->Text()) + " | " + name + " | " + (pair ? "pair" : "single") + " | "
		+ (attributes.empty() ? "none" : attributes);
}

class PaletteTable : public ControlTests::ControlTest {};

} // namespace

TEST_F(PaletteTable, TheTagListHoldsEveryCategoryInOrderWithItsTags)
{
	HTMLPaletteWindow* palette = new HTMLPaletteWindow(fWindow);
	std::vector<Category> shown;
	{
		BAutolock lock(palette);
		auto* list = dynamic_cast<BOutlineListView*>(palette->FindView("tag_List"));
		ASSERT_NE(list, nullptr);
		for (int32 i = 0; i < list->FullListCountItems(); i++) {
			BListItem* row = list->FullListItemAt(i);
			auto* tag = dynamic_cast<WTagAttrListItem*>(row);
			if (tag == nullptr) {
				auto* heading = dynamic_cast<BStringItem*>(row);
				ASSERT_NE(heading, nullptr);
				EXPECT_EQ(row->OutlineLevel(), 0u);
				EXPECT_FALSE(row->IsExpanded()) << heading->Text() << " starts collapsed";
				shown.push_back(Category{heading->Text(), {}});
				continue;
			}
			ASSERT_FALSE(shown.empty()) << "a tag above the first category";
			EXPECT_EQ(row->OutlineLevel(), 1u);
			shown.back().tags.push_back(TagRow(tag));
		}
	}
	palette->Lock();
	palette->Quit();

	ASSERT_EQ(shown.size(), kExpected.size());
	for (size_t c = 0; c < kExpected.size(); c++) {
		EXPECT_EQ(shown[c].label, kExpected[c].label);
		EXPECT_EQ(shown[c].tags.size(), kExpected[c].tags.size()) << kExpected[c].label;
		for (size_t t = 0; t < std::min(shown[c].tags.size(), kExpected[c].tags.size()); t++)
			EXPECT_EQ(shown[c].tags[t], kExpected[c].tags[t]) << kExpected[c].label;
	}
}

TEST(PaletteEntries, AnEntryNeedsALabelAndATagName)
{
	EXPECT_EQ(WTagAttrListItem::CreateTag(nullptr, "B"), nullptr);
	EXPECT_EQ(WTagAttrListItem::CreatePairTag("Bold", ""), nullptr);
	EXPECT_EQ(WTagAttrListItem::CreateTextAttribute(""), nullptr);
	EXPECT_EQ(WTagAttrListItem::CreatePresentAttribute(nullptr), nullptr);
	std::unique_ptr<WTagAttrListItem> named
		= WTagAttrListItem::CreateFieldAttribute("Align", {"LEFT"}, "align", "ALIGN");
	ASSERT_NE(named, nullptr);
	EXPECT_EQ(StringOf(named->Data(), "_attribute") + StringOf(named->Data(), "html"),
		"alignALIGN");
}
