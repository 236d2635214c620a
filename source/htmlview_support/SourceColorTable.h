#ifndef VELMORA_SOURCE_COLOR_TABLE_H
#define VELMORA_SOURCE_COLOR_TABLE_H

#include <GraphicsDefs.h>

// What a colour of the HTML source marks; the values index the table.
enum source_color : uint8 {
	// a known tag's "<" and name, a closing tag of a paired element, the
	// closing ">" of a tag, a document type declaration
	SOURCE_TAG = 0,
	// text, unknown tag and attribute names and entities, unquoted values,
	// other declarations and the ">" of every declaration
	SOURCE_TEXT = 1,
	// a closing tag of an empty element (</BR>), a quote left open
	SOURCE_MISTAKE = 2,
	// a known entity, from "&" through ";"
	SOURCE_ENTITY = 3,
	// a known attribute name
	SOURCE_ATTRIBUTE = 4,
	// a quoted attribute value, quotes included
	SOURCE_VALUE = 5,
	SOURCE_COLOR_COUNT
};

// The colours the source view shows its markup in, one per kind; the
// program's one default table, which the preferences may replace.
struct SourceColorTable {
	rgb_color colors[SOURCE_COLOR_COUNT];

	const rgb_color& operator[](source_color kind) const { return colors[kind]; }

	static const SourceColorTable& Default();
};

#endif
