#ifndef VELMORA_TEXT_CHANGE_H
#define VELMORA_TEXT_CHANGE_H

#include <optional>
#include <string>

#include <GraphicsDefs.h>

#include "Environment.h"
#include "InsertMode.h"
#include "Page_Element.h"

class BMessage;
struct _tagdict;

// One end of a tag that changes how the text looks: a character style, a
// heading, a size step or FONT. Each such tag is an opening and a closing
// element; the text between them shows the tag's effect. The static
// members hold what the program knows of these tags.
class TextChange : public Page_Element {
public:
	// inserted grows by the characters the element puts into the text (a
	// heading's paragraph break).
	TextChange(long position, _node* node, insert_mode mode, Visual_Engine* engine,
		Element_List* list, long& inserted, const BMessage* archive = nullptr);
	~TextChange() override;

	long InsertHTML(long position) override;
	const _tagdict* HTMLType() const override;
	void TagEffects(structTagEffects* effects) const override;
	void GetEnvironment(Environment* environment) const override;
	void Archive(BMessage* archive) const override;

	// Null when the tag is not one of the supported ones.
	const _tagdict* Type() const { return type; }
	bool OpenTag() const { return open; }
	TextChange* FindOpeningClosing() const;
	bool HasText() const;
	bool IsUnbreakable() const { return IsUnbreakable(type); }
	bool IsPairTag() const { return true; }
	const std::string& FontFamily() const { return fontFamily; }
	float FontSize() const { return fontSize; }
	const rgb_color* Color() const { return color ? &*color : nullptr; }

	static bool SupportsTag(const _tagdict* tag);
	static bool IsItalicType(const _tagdict* tag);
	static bool IsBoldType(const _tagdict* tag);
	static bool IsFixedType(const _tagdict* tag);
	static bool IsUnderlinedType(const _tagdict* tag);
	static bool IsStruckoutType(const _tagdict* tag);
	static bool IsFontType(const _tagdict* tag);
	static bool IsBasicType(const _tagdict* tag);
	static bool IsHeadingType(const _tagdict* tag);
	static bool SameGroup(const _tagdict* tag1, const _tagdict* tag2);
	static bool IsUnbreakable(const _tagdict* tag);
	static bool IsPairTag(const _tagdict* tag);
	static bool IsPairTag(const HTML_Element* element);
	static void TagEffectsOf(const _tagdict* tag, structTagEffects* effects);
	static float FontSizeFor(const _tagdict* tag, bool fixed);
	static float FontSizeFor(W_font_type type, bool fixed);
	// Copies into family (B_FONT_FAMILY_LENGTH + 1 bytes) the first
	// installed family that begins with a word of the comma-separated face
	// list; without one, the configured proportional family, and false.
	static bool FontFamilyForFace(char* family, const char* face);

private:
	void ReadFont(const _node* node);
	void Restore(const BMessage* archive);
	void Open(Environment* environment) const;
	void Close(Environment* environment) const;
	void OpenFont(Environment* environment) const;
	void CloseFont(Environment* environment) const;

	// The small fields first: they share the word of the flags before them.
	bool open;
	std::optional<rgb_color> color;	// FONT only
	float fontSize;			// FONT only: 0 when none
	const _tagdict* type;	// a dictionary entry, never owned
	std::string unsupportedAttributes;
	std::string fontFamily;	// FONT only: empty when none
};

#endif
