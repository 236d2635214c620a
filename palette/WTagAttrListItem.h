#ifndef VELMORA_WTAGATTR_LIST_ITEM_H
#define VELMORA_WTAGATTR_LIST_ITEM_H

#include <memory>
#include <string>
#include <vector>

#include <Message.h>
#include <StringItem.h>

// A row of the elements palette's lists: a tag in the tag list or one of
// its attributes in the attribute list, with the message that describes
// it (Data()).
//
// A tag's message has "_tag", "html" (the name written after "<") and, for
// a tag with a closing tag, "html2" (the name written in it); the tag owns
// its attribute rows. An attribute's message has "_attribute" and "html"
// (the name written into the tag) and says how its value is given: "text"
// (typed, by default "") for free text; "field", one string a value label,
// for a choice from a menu; "field" with "Absent" and "Present", and
// "presentmode", for an attribute that is written as a bare name or not at
// all. "fieldtext" holds the label chosen once there is one.
class WTagAttrListItem : public BStringItem {
public:
	typedef std::vector<std::unique_ptr<WTagAttrListItem>> AttributeList;

	WTagAttrListItem(const char* label, const BMessage& data);
	~WTagAttrListItem() override;

	BMessage* Data() { return &data; }
	const BMessage* Data() const { return &data; }
	bool IsAttribute() const { return data.HasString("_attribute"); }
	bool IsTextAttribute() const { return IsAttribute() && data.HasString("text"); }

	// A tag's attributes, in the order the attribute list shows them.
	const AttributeList& Attributes() const { return attributes; }
	void AddAttribute(std::unique_ptr<WTagAttrListItem> attribute);

	// Entries; none without a label or a tag name. Names not given are the
	// tag's name and the attribute's label.
	static std::unique_ptr<WTagAttrListItem> CreateTag(const char* label, const char* tag,
		const char* html = nullptr);
	static std::unique_ptr<WTagAttrListItem> CreatePairTag(const char* label, const char* tag,
		const char* html = nullptr, const char* html2 = nullptr);
	static std::unique_ptr<WTagAttrListItem> CreateTextAttribute(const char* label,
		const char* attribute = nullptr, const char* html = nullptr);
	static std::unique_ptr<WTagAttrListItem> CreateFieldAttribute(const char* label,
		const std::vector<std::string>& values, const char* attribute = nullptr,
		const char* html = nullptr);
	static std::unique_ptr<WTagAttrListItem> CreatePresentAttribute(const char* label,
		const char* attribute = nullptr, const char* html = nullptr);

private:
	static std::unique_ptr<WTagAttrListItem> MakeAttribute(const char* label,
		const char* attribute, const char* html, BMessage* data);

	BMessage data;
	AttributeList attributes;
};

#endif
