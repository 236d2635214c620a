#ifndef VELMORA_ENVIRONMENT_H
#define VELMORA_ENVIRONMENT_H

#include <memory>
#include <vector>

#include <Font.h>
#include <GraphicsDefs.h>

class Anchor;
class BTextView;
class List;

// The font types of the font-type stack: 1 normal text, 2 to 7 H1 to H6,
// 8 BIG, 9 SMALL, 10 FONT.
typedef int32 W_font_type;

// Which kinds of formatting a tag produces, one flag per kind. spare5 and
// spare9 are set by no tag; they take part in comparing and combining.
struct structTagEffects {
	bool font;
	bool basic;
	bool italic;
	bool bold;
	bool fixed;
	bool spare5;
	bool underlined;
	bool struckout;
	bool anchor;
	bool spare9;

	structTagEffects() { Reset(); }
	void Reset();
	// Every flag set in other is set here.
	bool Covers(const structTagEffects& other) const;
	// Flips every flag that other sets, so that an opening and a closing
	// tag of one kind cancel out.
	void Toggle(const structTagEffects& other);
	bool operator==(const structTagEffects& other) const;
};

// The formatting state at one point of the visual text. Elements apply
// their effects to it in text order (GetEnvironment); nested tags push and
// closing tags pop, so the state after any sequence of tags is exact.
//
// The stacks keep copies of what is pushed: applying a tag changes the
// environment's own top font, never the font a page or the settings own.
// For the same reason fonts compare by value.
class Environment {
public:
	Environment();
	Environment(const Environment&) = delete;
	Environment& operator=(const Environment&) = delete;

	void Reset();
	// A copy of the formatting state, without the placeholders of the
	// element applied last (they say where that element's room is now).
	std::unique_ptr<Environment> Clone() const;

	void PushFont(const BFont* font);
	void PopFont();
	// The current font (the top of the stack), which tags change in place;
	// null when the stack is empty.
	BFont* Font() const;

	void PushFontType(W_font_type type);
	// The popped type; 1 when the stack was empty.
	W_font_type PopFontType();
	W_font_type FontType() const;

	void PushColor(const rgb_color* color);
	void PopColor();
	// The current colour; null when the stack is empty.
	const rgb_color* Color() const;

	void SetItalic() { italic++; }
	void SetBold() { bold++; }
	void SetFixed() { fixed++; }
	void SetUnderlined() { underlined++; }
	void SetStruckout() { struckout++; }
	void UnsetItalic();
	void UnsetBold();
	void UnsetFixed();
	void UnsetUnderlined();
	void UnsetStruckout();
	bool IsItalic() const { return italic > 0; }
	bool IsBold() const { return bold > 0; }
	bool IsFixed() const { return fixed > 0; }
	bool IsUnderlined() const { return underlined > 0; }
	bool IsStruckout() const { return struckout > 0; }

	void SetAnchor(const Anchor* link) { anchor = link; }
	void UnsetAnchor() { anchor = nullptr; }
	const Anchor* CurrentAnchor() const { return anchor; }

	void PushList(const List* list);
	void PopList();
	const List* CurrentList() const;

	void SetVAlignment(int alignment) { vAlignment = alignment; }
	int32 VAlignment() const { return vAlignment; }

	bool operator==(const Environment& other) const;
	bool operator!=(const Environment& other) const { return !(*this == other); }

	// Applies the environment to the view's text [start, end) under the
	// view's looper lock; see the source for how placeholders are styled.
	void SetText(BTextView* view, long start, long end);

	// The font of the placeholder characters of the element applied last
	// (not owned: the element's), and where those characters are.
	const BFont* placeholderFont;
	int32 placeholderFrom;
	int32 placeholderTo;

	// Counts of open tags of each style.
	int32 italic;
	int32 bold;
	int32 fixed;
	int32 underlined;
	int32 struckout;
	int32 vAlignment;
	const Anchor* anchor;	// not owned: the link element in force

private:
	std::vector<std::unique_ptr<BFont>> fonts;
	std::vector<W_font_type> fontTypes;
	std::vector<rgb_color> colors;
	std::vector<const List*> lists;	// not owned
};

#endif
