#include "TextChange.h"

#include <cstring>

#include <Message.h>
#include <TypeConstants.h>

#include "Config_.h"
#include "Element_List.h"
#include "EnginePage.h"
#include "ErrorAlert.h"
#include "FontFaces.h"
#include "NodeTree.h"
#include "StringHelpers.h"
#include "Visual_Engine.h"
#include "NodeText.h"
#include "element_support/PairSearch.h"

namespace {

constexpr W_font_type kFirstHeadingType = 2;
constexpr W_font_type kBigType = 8;
constexpr W_font_type kSmallType = 9;
constexpr W_font_type kFontType = 10;

bool IsOneOf(const _tagdict* tag, std::initializer_list<const _tagdict*> tags)
{
	if (tag == nullptr)
		return false;
	for (const _tagdict* candidate : tags) {
		if (candidate == tag)
			return true;
	}
	return false;
}

int HeadingLevel(const _tagdict* tag)
{
	const _tagdict* headings[] = {tag_h1, tag_h2, tag_h3, tag_h4, tag_h5, tag_h6};
	for (int level = 0; level < 6; level++) {
		if (tag != nullptr && headings[level] == tag)
			return level + 1;
	}
	return 0;
}

// The face of a font with one face bit added or removed; no bits left
// means the regular face.
uint16 WithFace(uint16 face, uint16 bit)
{
	return static_cast<uint16>((face & ~B_REGULAR_FACE) | bit);
}

uint16 WithoutFace(uint16 face, uint16 bit)
{
	uint16 rest = static_cast<uint16>(face & ~bit);
	return rest == 0 ? static_cast<uint16>(B_REGULAR_FACE) : rest;
}

void AddFace(Environment* environment, uint16 bit)
{
	if (BFont* font = environment->Font())
		font->SetFace(WithFace(font->Face(), bit));
}

void RemoveFace(Environment* environment, uint16 bit)
{
	if (BFont* font = environment->Font())
		font->SetFace(WithoutFace(font->Face(), bit));
}

uint16 CurrentFace(const Environment* environment)
{
	const BFont* font = environment->Font();
	return font != nullptr ? font->Face() : static_cast<uint16>(B_REGULAR_FACE);
}

void SetSize(Environment* environment, float size)
{
	if (BFont* font = environment->Font())
		font->SetSize(size);
}

} // namespace

TextChange::TextChange(long position, _node* node, insert_mode mode, Visual_Engine* engine,
	Element_List* list, long& inserted, const BMessage* archive)
	:
	Page_Element(node, position, engine, list),
	open(node == nullptr || node->type != EndTag),
	fontSize(0),
	type(node != nullptr ? node->tag : nullptr)
{
	unsupportedAttributes = NodeText::OtherAttributes(node);
	if (archive == nullptr && IsFontType(type))
		ReadFont(node);
	if (RestoreTag(archive, "TextChange", &type, &open, &unsupportedAttributes))
		Restore(archive);
	if (!SupportsTag(node != nullptr ? node->tag : nullptr))
		type = nullptr;

	long start = 0;
	long end = 0;
	if (HeadingLevel(type) > 0 && engine != nullptr)
		inserted += engine->InsertParagraph(this, position, &start, &end);
	if (engine != nullptr) {
		if (open || mode == 1)
			engine->AddAfter(position, this);
		else
			engine->AddBefore(position, this);
	}
	if (end > 0 && list != nullptr)
		list->SetSpaceFromToRelOffset(this, start, end);
}

TextChange::~TextChange()
{
	if (Engine() != nullptr && TakesItsTextAlong())
		Engine()->DeleteParagraph(this);
	if (ElementList() != nullptr)
		ElementList()->Remove(this);
}

void TextChange::ReadFont(const _node* node)
{
	std::optional<std::string> face = NodeText::Attribute(node, attr_face);
	font_family family;
	if (face && FontFamilyForFace(family, face->c_str()))
		fontFamily = family;
	std::optional<std::string> size = NodeText::Attribute(node, attr_size);
	if (size && MyPage() != nullptr)
		fontSize = MyPage()->FontSizeFor(size->c_str());
	std::optional<std::string> value = NodeText::Attribute(node, attr_color);
	if (value)
		color = NodeText::ParseColor(value->c_str());
}

// What a FONT keeps besides the common fields.
void TextChange::Restore(const BMessage* archive)
{
	if (!IsFontType(type))
		return;
	NodeText::RestoreString(archive, "fontfamily", fontFamily);
	float size = 0;
	if (archive->FindFloat("size", &size) == B_OK)
		fontSize = size;
	const void* data = nullptr;
	ssize_t length = 0;
	if (archive->FindData("color", B_RAW_TYPE, &data, &length) == B_OK && length == 4) {
		const uint8* bytes = static_cast<const uint8*>(data);
		color = make_color(bytes[0], bytes[1], bytes[2], bytes[3]);
	}
}

void TextChange::Archive(BMessage* archive) const
{
	if (archive == nullptr)
		return;
	ArchiveTag(archive, "TextChange", HTMLType(), &open, &unsupportedAttributes);
	if (!IsFontType(type))
		return;
	NodeText::ArchiveString(archive, "fontfamily", fontFamily);
	archive->AddFloat("size", fontSize);
	if (color) {
		uint8 bytes[4] = {color->red, color->green, color->blue, color->alpha};
		archive->AddData("color", B_RAW_TYPE, bytes, sizeof(bytes));
	}
}

long TextChange::InsertHTML(long position)
{
	std::string text = open ? "<" : "</";
	text += NodeText::UpperTagName(MyNode());
	text += unsupportedAttributes;
	text += ">";
	const _tagdict* tag = MyNode() != nullptr ? MyNode()->tag : nullptr;
	bool block = tag != nullptr && (tag->model & CM_BLOCK) != 0;
	if (MyPage() == nullptr)
		return 0;
	return MyPage()->InsertHTML(text.c_str(), block && open, block && !open, position, this);
}

const _tagdict* TextChange::HTMLType() const
{
	return MyNode() != nullptr ? MyNode()->tag : nullptr;
}

void TextChange::TagEffects(structTagEffects* effects) const
{
	TagEffectsOf(type, effects);
}

TextChange* TextChange::FindOpeningClosing() const
{
	const _tagdict* key = type;
	return FindPartner(this, open,
		[key](const TextChange& candidate) { return candidate.Type() == key; });
}

bool TextChange::HasText() const
{
	return TextBetween(this, FindOpeningClosing());
}

void TextChange::GetEnvironment(Environment* environment) const
{
	if (environment == nullptr)
		return;
	Page_Element::GetEnvironment(environment);
	if (type == nullptr) {
		ErrorAlert("Internal error: TextChange - unsupported type");
		return;
	}
	if (open)
		Open(environment);
	else
		Close(environment);
}

void TextChange::Open(Environment* environment) const
{
	bool fixed = environment->IsFixed();
	if (IsItalicType(type)) {
		environment->italic = 1;
		AddFace(environment, B_ITALIC_FACE);
	} else if (IsBoldType(type)) {
		environment->bold = 1;
		AddFace(environment, B_BOLD_FACE);
	} else if (IsFixedType(type)) {
		environment->fixed = 1;
		uint16 face = CurrentFace(environment);
		Config_* settings = Config_::Shared();
		environment->PushFont(settings != nullptr ? settings->FixedFont() : be_fixed_font);
		if (BFont* font = environment->Font())
			font->SetFace(face);
		SetSize(environment, FontSizeFor(environment->FontType(), true));
	} else if (IsUnderlinedType(type)) {
		environment->SetUnderlined();
	} else if (IsStruckoutType(type)) {
		environment->struckout = 1;
	} else if (int level = HeadingLevel(type); level > 0) {
		environment->PushFontType(kFirstHeadingType + level - 1);
		AddFace(environment, B_BOLD_FACE);
		SetSize(environment, FontSizeFor(type, fixed));
	} else if (type == tag_big) {
		environment->PushFontType(kBigType);
		SetSize(environment, FontSizeFor(type, fixed));
	} else if (type == tag_small) {
		environment->PushFontType(kSmallType);
		SetSize(environment, FontSizeFor(type, fixed));
	} else if (IsFontType(type)) {
		OpenFont(environment);
	}
}

void TextChange::Close(Environment* environment) const
{
	bool fixed = environment->IsFixed();
	if (IsItalicType(type)) {
		environment->italic = 0;
		RemoveFace(environment, B_ITALIC_FACE);
	} else if (IsBoldType(type)) {
		environment->bold = 0;
		RemoveFace(environment, B_BOLD_FACE);
	} else if (IsFixedType(type)) {
		environment->fixed = 0;
		uint16 face = CurrentFace(environment);
		environment->PopFont();
		if (BFont* font = environment->Font())
			font->SetFace(face);
		SetSize(environment, FontSizeFor(environment->FontType(), false));
	} else if (IsUnderlinedType(type)) {
		environment->UnsetUnderlined();
	} else if (IsStruckoutType(type)) {
		environment->struckout = 0;
	} else if (HeadingLevel(type) > 0) {
		environment->PopFontType();
		if (environment->bold == 0)
			RemoveFace(environment, B_BOLD_FACE);
		SetSize(environment, FontSizeFor(static_cast<const _tagdict*>(nullptr), fixed));
	} else if (type == tag_big || type == tag_small) {
		environment->PopFontType();
		SetSize(environment, FontSizeFor(static_cast<const _tagdict*>(nullptr), fixed));
	} else if (IsFontType(type)) {
		CloseFont(environment);
	}
}

void TextChange::OpenFont(Environment* environment) const
{
	environment->PushFontType(kFontType);
	if (!fontFamily.empty()) {
		uint16 face = CurrentFace(environment);
		BFont font(environment->Font());
		font_family family;
		strncpy0(family, fontFamily.c_str(), B_FONT_FAMILY_LENGTH);
		font_style style;
		if (get_font_style(family, 0, &style) == B_OK)
			font.SetFamilyAndStyle(family, style);
		font.SetFace(face);
		environment->PushFont(&font);
	}
	if (fontSize > 0)
		SetSize(environment, fontSize);
	if (color)
		environment->PushColor(&*color);
}

void TextChange::CloseFont(Environment* environment) const
{
	bool fixed = environment->IsFixed();
	environment->PopFontType();
	const TextChange* partner = FindOpeningClosing();
	if (partner != nullptr && !partner->FontFamily().empty()) {
		uint16 face = CurrentFace(environment);
		environment->PopFont();
		if (BFont* font = environment->Font())
			font->SetFace(face);
	}
	SetSize(environment, FontSizeFor(static_cast<const _tagdict*>(nullptr), fixed));
	if (partner != nullptr && partner->Color() != nullptr)
		environment->PopColor();
}

bool TextChange::SupportsTag(const _tagdict* tag)
{
	return IsItalicType(tag) || IsBoldType(tag) || IsFixedType(tag) || IsUnderlinedType(tag)
		|| IsStruckoutType(tag) || IsFontType(tag) || IsBasicType(tag)
		|| IsOneOf(tag, {tag_center, tag_blockquote});
}

bool TextChange::IsItalicType(const _tagdict* tag)
{
	return IsOneOf(tag, {tag_i, tag_em, tag_var, tag_cite});
}

bool TextChange::IsBoldType(const _tagdict* tag)
{
	return IsOneOf(tag, {tag_b, tag_strong});
}

bool TextChange::IsFixedType(const _tagdict* tag)
{
	return IsOneOf(tag, {tag_code, tag_samp, tag_tt, tag_kbd});
}

bool TextChange::IsUnderlinedType(const _tagdict* tag)
{
	return tag != nullptr && tag == tag_u;
}

// S is STRIKE's shorter name; each is written back as it was read.
bool TextChange::IsStruckoutType(const _tagdict* tag)
{
	return IsOneOf(tag, {tag_strike, tag_s});
}

bool TextChange::IsFontType(const _tagdict* tag)
{
	return tag != nullptr && tag == tag_font;
}

bool TextChange::IsBasicType(const _tagdict* tag)
{
	return IsHeadingType(tag)
		|| IsOneOf(tag, {tag_dfn, tag_sub, tag_sup, tag_big, tag_small});
}

bool TextChange::IsHeadingType(const _tagdict* tag)
{
	return HeadingLevel(tag) > 0;
}

bool TextChange::SameGroup(const _tagdict* tag1, const _tagdict* tag2)
{
	if (tag1 == nullptr || tag2 == nullptr)
		return false;
	bool (*const groups[])(const _tagdict*) = {IsBasicType, IsItalicType, IsBoldType,
		IsFixedType, IsUnderlinedType, IsStruckoutType, IsFontType};
	for (auto inGroup : groups) {
		if (inGroup(tag1) && inGroup(tag2))
			return true;
	}
	return false;
}

bool TextChange::IsUnbreakable(const _tagdict* tag)
{
	return IsHeadingType(tag) || (tag != nullptr && tag == tag_a);
}

bool TextChange::IsPairTag(const _tagdict* tag)
{
	return NodeTree::IsPairTag(tag);
}

bool TextChange::IsPairTag(const HTML_Element* element)
{
	return element != nullptr && IsPairTag(element->HTMLType());
}

void TextChange::TagEffectsOf(const _tagdict* tag, structTagEffects* effects)
{
	if (effects == nullptr)
		return;
	if (!SupportsTag(tag)) {
		HTML_Element::TagEffectsOf(tag, effects);
		return;
	}
	if (IsItalicType(tag))
		effects->italic = true;
	if (IsBoldType(tag))
		effects->bold = true;
	if (IsFixedType(tag))
		effects->fixed = true;
	if (IsUnderlinedType(tag))
		effects->underlined = true;
	if (IsStruckoutType(tag))
		effects->struckout = true;
	if (IsFontType(tag))
		effects->font = true;
	if (IsBasicType(tag))
		effects->basic = true;
}

float TextChange::FontSizeFor(const _tagdict* tag, bool fixed)
{
	Config_* settings = Config_::Shared();
	float base = settings == nullptr ? be_plain_font->Size()
		: static_cast<float>(fixed ? settings->BaseFixedFontSize() : settings->BaseFontSize());
	static const float kHeadingSteps[] = {12, 6, 2, 0, -1, -2};
	if (int level = HeadingLevel(tag); level > 0)
		return base + kHeadingSteps[level - 1];
	if (tag != nullptr && tag == tag_big)
		return base + 2;
	if (tag != nullptr && tag == tag_small)
		return base - 2;
	return base;
}

float TextChange::FontSizeFor(W_font_type type, bool fixed)
{
	const _tagdict* tags[] = {tag_h1, tag_h2, tag_h3, tag_h4, tag_h5, tag_h6, tag_big,
		tag_small};
	if (type >= kFirstHeadingType && type <= kSmallType)
		return FontSizeFor(tags[type - kFirstHeadingType], fixed);
	return FontSizeFor(static_cast<const _tagdict*>(nullptr), fixed);
}

bool TextChange::FontFamilyForFace(char* family, const char* face)
{
	return FontFaces::FamilyForFace(family, face, Config_::Shared());
}
