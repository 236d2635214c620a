#include "PaletteTable.h"

namespace PaletteTable {

namespace {

typedef std::vector<std::string> Values;
typedef std::vector<Attribute> Attributes;

Attribute Text(const char* name)
{
	return Attribute{name, AttributeKind::kText, {}};
}

Attribute Choice(const char* name, Values values)
{
	return Attribute{name, AttributeKind::kChoice, std::move(values)};
}

Attribute Presence(const char* name)
{
	return Attribute{name, AttributeKind::kPresence, {}};
}

Tag Single(const char* label, const char* tag, Attributes attributes = {})
{
	return Tag{label, tag, false, std::move(attributes)};
}

Tag Pair(const char* label, const char* tag, Attributes attributes = {})
{
	return Tag{label, tag, true, std::move(attributes)};
}

Attributes Joined(Attributes first, const Attributes& then)
{
	first.insert(first.end(), then.begin(), then.end());
	return first;
}

const Values kLinkTypes = {"ALTERNATE", "STYLESHEET", "START", "NEXT", "PREV", "CONTENTS",
	"INDEX", "GLOSSARY", "COPYRIGHT", "CHAPTER", "SECTION", "SUBSECTION", "APPENDIX", "HELP",
	"BOOKMARK"};
const Values kImageAlign = {"TOP", "MIDDLE", "BOTTOM", "LEFT", "RIGHT"};
const Values kTextAlign = {"LEFT", "RIGHT", "CENTER", "JUSTIFY"};
const Values kCellAlign = {"LEFT", "RIGHT", "CENTER", "JUSTIFY", "CHAR"};
const Values kVerticalAlign = {"TOP", "MIDDLE", "BOTTOM", "BASELINE"};
const Values kSideAlign = {"TOP", "BOTTOM", "LEFT", "RIGHT"};
const Values kFrameBorder = {"1", "0"};
const Values kScrolling = {"AUTO", "YES", "NO"};
const Values kBulletTypes = {"DISC", "CIRCLE", "SQUARE"};
const Values kNumberTypes = {"1", "i", "I", "a", "A"};

// The alignment of a table part's cells.
Attributes CellPart()
{
	return {Choice("align", kCellAlign), Choice("valign", kVerticalAlign), Text("char"),
		Text("charoff")};
}

Category DocumentElements()
{
	return {"Document elements", {
		Single("Meta", "META", {Text("name"), Text("content"), Text("http-equiv")}),
		Pair("Style", "STYLE", {Text("type"), Text("title")}),
		Single("Base", "BASE", {Text("href")}),
		Pair("No script", "NOSCRIPT"),
		Pair("Script", "SCRIPT", {Text("type"), Text("src"), Presence("defer")}),
		Single("Link", "LINK", {Text("href"), Choice("rel", kLinkTypes),
			Choice("rev", kLinkTypes), Text("title")}),
	}};
}

Category GeneralElements()
{
	return {"General elements", {
		Pair("HyperText link", "A", {Text("href"), Text("name"), Choice("rel", kLinkTypes),
			Choice("rev", kLinkTypes), Text("title")}),
		Single("Image", "IMG", {Text("src"), Text("alt"), Choice("align", kImageAlign),
			Text("width"), Text("height"), Text("border"), Text("longdesc"), Text("hspace"),
			Text("vspace"), Presence("ismap"), Text("usemap")}),
	}};
}

Category InformationElements()
{
	return {"Information elements", {
		Pair("Emphasis", "EM"),
		Pair("Strong emphasis", "STRONG"),
		Pair("Definition", "DFN"),
		Pair("Code", "CODE"),
		Pair("Sample", "SAMP"),
		Pair("Keyboard input", "KBD"),
		Pair("Variable", "VAR"),
		Pair("Citation", "CITE"),
		Pair("Address", "ADDRESS"),
		Pair("Abbreviation", "ABBR"),
		Pair("Quotation", "Q", {Text("cite")}),
		Pair("Inserted text", "INS", {Text("cite"), Text("datetime")}),
		Pair("Deleted text", "DEL", {Text("cite"), Text("datetime")}),
		Pair("Acronym", "ACRONYM"),
	}};
}

Category FontElements()
{
	return {"Font elements", {
		Pair("Italics", "I"),
		Pair("Bold", "B"),
		Pair("Typewriter", "TT"),
		Pair("Underlined", "U"),
		Pair("Big", "BIG"),
		Pair("Small", "SMALL"),
		Pair("Subscript", "SUB"),
		Pair("Superscript", "SUP"),
		Pair("Strikethru", "STRIKE"),
		Pair("Font", "FONT", {Text("face"), Choice("size", {"1", "2", "3", "4", "5", "6", "7",
			"+1", "+2", "+3", "+4", "+5", "+6", "-1", "-2", "-3", "-4", "-5", "-6"}),
			Text("color")}),
		Single("Base font", "BASEFONT", {Text("face"),
			Choice("size", {"1", "2", "3", "4", "5", "6", "7"}), Text("color")}),
	}};
}

Category BlockElements()
{
	return {"Block elements", {
		Pair("Blockquote", "BLOCKQUOTE", {Text("cite")}),
		Pair("Div", "DIV", {Choice("align", kTextAlign)}),
		Pair("Span", "SPAN", {Choice("align", kTextAlign)}),
		Pair("Center", "CENTER"),
		Pair("Preformatted", "PRE", {Text("width")}),
	}};
}

Category Headings()
{
	Category headings = {"Headings", {
		Pair("Paragraph", "P", {Choice("align", kTextAlign)}),
		Single("Break line", "BR", {Choice("clear", {"NONE", "ALL", "LEFT", "RIGHT"})}),
		Single("Horizontal rule", "HR", {Text("width"),
			Choice("align", {"LEFT", "RIGHT", "CENTER"}), Text("size"), Presence("noshade")}),
	}};
	for (int level = 1; level <= 6; level++) {
		std::string number = std::to_string(level);
		headings.tags.push_back(Tag{"Heading " + number, "H" + number, true,
			{Choice("align", kTextAlign)}});
	}
	return headings;
}

Category FrameElements()
{
	return {"Frame elements", {
		Single("Frame", "FRAME", {Text("src"), Text("marginwidth"), Text("marginheight"),
			Choice("frameborder", kFrameBorder), Choice("scrolling", kScrolling), Text("name"),
			Text("longdesc"), Presence("noresize"), Text("title")}),
		Pair("Inline frame", "IFRAME", {Text("src"), Text("width"), Text("height"),
			Text("marginwidth"), Text("marginheight"),
			Choice("align", {"TOP", "MIDDLE", "BOTTOM", "LEFT", "RIGHT", "CENTER"}),
			Choice("frameborder", kFrameBorder), Choice("scrolling", kScrolling), Text("name"),
			Text("longdesc"), Text("title")}),
		Pair("Frameset", "FRAMESET", {Text("rows"), Text("cols"), Text("title")}),
		Pair("Noframes", "NOFRAMES"),
	}};
}

Category ListElements()
{
	Values itemTypes = kBulletTypes;
	itemTypes.insert(itemTypes.end(), kNumberTypes.begin(), kNumberTypes.end());
	return {"List elements", {
		Pair("Unordered list", "UL", {Choice("type", kBulletTypes), Presence("compact")}),
		Pair("Ordered list", "OL", {Choice("type", kNumberTypes), Text("start"),
			Presence("compact")}),
		Pair("List item", "LI", {Choice("type", itemTypes), Text("value")}),
		Pair("Definition list", "DL"),
		Pair("Term definition", "DT"),
		Pair("Data definition", "DD"),
	}};
}

Category Applets()
{
	return {"Applets", {
		Pair("Object", "OBJECT", {Text("classid"), Text("codebase"), Text("codetype"),
			Text("data"), Text("type"), Text("archive"), Presence("declare"), Text("standby"),
			Choice("align", kImageAlign), Text("width"), Text("height"), Text("border"),
			Text("hspace"), Text("vspace"), Text("usemap")}),
		Single("Parameter", "PARAM", {Text("name"), Text("value"),
			Choice("valuetype", {"DATA", "REF", "OBJECT"}), Text("type")}),
		Pair("Applet", "APPLET", {Text("code"), Text("codebase"), Text("object"), Text("alt"),
			Text("width"), Text("height"), Choice("align", kImageAlign), Text("hspace"),
			Text("vspace"), Text("name")}),
	}};
}

Category TableElements()
{
	Attributes cell = {Text("width"), Text("height"), Choice("align", kCellAlign),
		Choice("valign", kVerticalAlign), Text("rowspan"), Text("colspan"), Text("nowrap"),
		Text("bgcolor"), Text("char"), Text("charoff")};
	return {"Table elements", {
		Pair("Table", "TABLE", {Text("width"), Text("height"),
			Choice("align", {"LEFT", "RIGHT", "CENTER"}), Text("border"), Text("bgcolor"),
			Text("cellspacing"), Text("cellpadding"), Text("summary")}),
		Pair("Table row", "TR", Joined({Text("width"), Text("height")}, CellPart())),
		Pair("Table data cell", "TD", cell),
		Pair("Table header cell", "TH", cell),
		Pair("Table head", "THEAD", CellPart()),
		Pair("Table body", "TBODY", CellPart()),
		Pair("Table foot", "TFOOT", CellPart()),
		Single("Column", "COL", Joined({Text("span"), Text("width")}, CellPart())),
		Pair("Column group", "COLGROUP", Joined({Text("span"), Text("width")}, CellPart())),
		Pair("Caption", "CAPTION", {Choice("align", kSideAlign)}),
	}};
}

Category FormElements()
{
	return {"Form elements", {
		Pair("Form", "FORM", {Text("action"), Choice("method", {"GET", "POST"}),
			Text("enctype"), Text("title")}),
		Single("Input", "INPUT", {Choice("type", {"TEXT", "PASSWORD", "CHECKBOX", "RADIO",
			"SUBMIT", "RESET", "IMAGE", "FILE", "HIDDEN", "BUTTON"}), Text("name"),
			Text("value"), Text("maxlength"), Text("size"), Presence("checked"),
			Presence("disabled"), Text("src"), Choice("align", kTextAlign), Text("accept")}),
		Pair("Select", "SELECT", {Text("name"), Text("size"), Presence("multiple"),
			Presence("disabled")}),
		Pair("Option", "OPTION", {Text("label"), Text("value"), Presence("selected"),
			Presence("disabled")}),
		Pair("Option group", "OPTGROUP", {Text("label"), Presence("disabled")}),
		Pair("Text area", "TEXTAREA", {Text("rows"), Text("cols"), Text("name"),
			Presence("disabled"), Presence("readonly")}),
		Single("Button", "BUTTON", {Text("name"), Text("value"),
			Choice("type", {"SUBMIT", "BUTTON", "RESET"}), Presence("disabled")}),
		Single("Isindex", "ISINDEX", {Text("prompt")}),
		Pair("Label", "LABEL", {Text("for")}),
		Pair("Field set", "FIELDSET"),
		Pair("Legend", "LEGEND", {Choice("align", kSideAlign)}),
	}};
}

Category ImageMapElements()
{
	return {"Image map elements", {
		Single("Area", "AREA", {Choice("shape", {"DEFAULT", "RECT", "CIRCLE", "POLY"}),
			Text("coords"), Text("href"), Text("nohref"), Text("alt")}),
		Pair("Map", "MAP", {Text("name")}),
	}};
}

} // namespace

const std::vector<Category>& Categories()
{
	static const std::vector<Category> categories = {DocumentElements(), GeneralElements(),
		InformationElements(), FontElements(), BlockElements(), Headings(), FrameElements(),
		ListElements(), Applets(), TableElements(), FormElements(), ImageMapElements()};
	return categories;
}

} // namespace PaletteTable
