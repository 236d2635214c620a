#include "Environment.h"

#include <algorithm>

#include <TextView.h>

namespace {

constexpr W_font_type kNormalFontType = 1;
constexpr int32 kDefaultVAlignment = 7;

void Decrement(int32& count)
{
	count = std::max<int32>(count - 1, 0);
}

} // namespace

void structTagEffects::Reset()
{
	font = basic = italic = bold = fixed = spare5 = false;
	underlined = struckout = anchor = spare9 = false;
}

bool structTagEffects::Covers(const structTagEffects& other) const
{
	return (font || !other.font) && (basic || !other.basic) && (italic || !other.italic)
		&& (bold || !other.bold) && (fixed || !other.fixed) && (spare5 || !other.spare5)
		&& (underlined || !other.underlined) && (struckout || !other.struckout)
		&& (anchor || !other.anchor) && (spare9 || !other.spare9);
}

void structTagEffects::Toggle(const structTagEffects& other)
{
	font ^= other.font;
	basic ^= other.basic;
	italic ^= other.italic;
	bold ^= other.bold;
	fixed ^= other.fixed;
	spare5 ^= other.spare5;
	underlined ^= other.underlined;
	struckout ^= other.struckout;
	anchor ^= other.anchor;
	spare9 ^= other.spare9;
}

bool structTagEffects::operator==(const structTagEffects& other) const
{
	return font == other.font && basic == other.basic && italic == other.italic
		&& bold == other.bold && fixed == other.fixed && spare5 == other.spare5
		&& underlined == other.underlined && struckout == other.struckout
		&& anchor == other.anchor && spare9 == other.spare9;
}

Environment::Environment()
{
	Reset();
}

void Environment::Reset()
{
	placeholderFont = nullptr;
	placeholderFrom = 0;
	placeholderTo = -1;
	fonts.clear();
	fonts.push_back(std::make_unique<BFont>());
	fontTypes.assign(1, kNormalFontType);
	colors.assign(1, make_color(0, 0, 0, 255));
	lists.clear();
	italic = bold = fixed = underlined = struckout = 0;
	vAlignment = kDefaultVAlignment;
	anchor = nullptr;
}

std::unique_ptr<Environment> Environment::Clone() const
{
	auto copy = std::make_unique<Environment>();
	copy->fonts.clear();
	for (const std::unique_ptr<BFont>& font : fonts)
		copy->fonts.push_back(std::make_unique<BFont>(*font));
	copy->fontTypes = fontTypes;
	copy->colors = colors;
	copy->lists = lists;
	copy->italic = italic;
	copy->bold = bold;
	copy->fixed = fixed;
	copy->underlined = underlined;
	copy->struckout = struckout;
	copy->vAlignment = vAlignment;
	copy->anchor = anchor;
	return copy;
}

void Environment::PushFont(const BFont* font)
{
	if (font != nullptr)
		fonts.push_back(std::make_unique<BFont>(*font));
}

void Environment::PopFont()
{
	if (!fonts.empty())
		fonts.pop_back();
}

BFont* Environment::Font() const
{
	return fonts.empty() ? nullptr : fonts.back().get();
}

void Environment::PushFontType(W_font_type type)
{
	fontTypes.push_back(type);
}

W_font_type Environment::PopFontType()
{
	if (fontTypes.empty())
		return kNormalFontType;
	W_font_type type = fontTypes.back();
	fontTypes.pop_back();
	return type;
}

W_font_type Environment::FontType() const
{
	return fontTypes.empty() ? kNormalFontType : fontTypes.back();
}

void Environment::PushColor(const rgb_color* color)
{
	if (color != nullptr)
		colors.push_back(*color);
}

void Environment::PopColor()
{
	if (!colors.empty())
		colors.pop_back();
}

const rgb_color* Environment::Color() const
{
	return colors.empty() ? nullptr : &colors.back();
}

void Environment::UnsetItalic()
{
	Decrement(italic);
}

void Environment::UnsetBold()
{
	Decrement(bold);
}

void Environment::UnsetFixed()
{
	Decrement(fixed);
}

void Environment::UnsetUnderlined()
{
	Decrement(underlined);
}

void Environment::UnsetStruckout()
{
	Decrement(struckout);
}

void Environment::PushList(const List* list)
{
	lists.push_back(list);
}

void Environment::PopList()
{
	if (!lists.empty())
		lists.pop_back();
}

const List* Environment::CurrentList() const
{
	return lists.empty() ? nullptr : lists.back();
}

bool Environment::operator==(const Environment& other) const
{
	const BFont* font = Font();
	const BFont* otherFont = other.Font();
	bool sameFont = font == nullptr || otherFont == nullptr ? font == otherFont
		: *font == *otherFont;
	const rgb_color* color = Color();
	const rgb_color* otherColor = other.Color();
	bool sameColor = color == nullptr || otherColor == nullptr ? color == otherColor
		: *color == *otherColor;
	return sameFont && FontType() == other.FontType() && sameColor && italic == other.italic
		&& bold == other.bold && fixed == other.fixed && underlined == other.underlined
		&& struckout == other.struckout && anchor == other.anchor
		&& CurrentList() == other.CurrentList() && vAlignment == other.vAlignment;
}

// Without placeholders the whole range takes the current font and colour.
// With them, the text behind the placeholders takes the current font and
// colour, the placeholders their own font (colour unchanged), and the text
// before them is left as it was; the placeholders are then used up.
void Environment::SetText(BTextView* view, long start, long end)
{
	if (view == nullptr || start >= end || !view->LockLooper())
		return;
	const BFont* font = Font();
	const rgb_color* color = Color();
	if (placeholderTo <= placeholderFrom) {
		view->SetFontAndColor(start, end, font, B_FONT_ALL, color);
	} else {
		if (placeholderTo < end)
			view->SetFontAndColor(placeholderTo, end, font, B_FONT_ALL, color);
		if (placeholderFont != nullptr)
			view->SetFontAndColor(placeholderFrom, placeholderTo, placeholderFont, B_FONT_ALL);
		placeholderFont = nullptr;
		placeholderFrom = 0;
		placeholderTo = -1;
	}
	view->UnlockLooper();
}
