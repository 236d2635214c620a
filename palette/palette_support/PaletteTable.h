#ifndef VELMORA_PALETTE_TABLE_H
#define VELMORA_PALETTE_TABLE_H

#include <string>
#include <vector>

// The tags the elements palette offers, by category, as the palette shows
// them: the one place where a tag, its attributes and their values are
// written down.
namespace PaletteTable {

enum class AttributeKind {
	kText,		// typed into the value field
	kChoice,	// one of the values, chosen from the value menu
	kPresence	// "Absent" or "Present": present is written as a bare name
};

struct Attribute {
	std::string name;
	AttributeKind kind;
	std::vector<std::string> values;	// of a choice
};

struct Tag {
	std::string label;
	std::string tag;
	bool pair;		// has a closing tag
	std::vector<Attribute> attributes;
};

struct Category {
	std::string label;
	std::vector<Tag> tags;
};

// In the order the palette lists them.
const std::vector<Category>& Categories();

} // namespace PaletteTable

#endif
