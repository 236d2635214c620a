#ifndef _TEXTVIEW_H
#define _TEXTVIEW_H

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <MallocBlock.h>
#include <View.h>

#include "textview_support/TextRuns.h"

class BClipboard;
class BFile;
class BRegion;

namespace BPrivate {
class FontMeasurer;
class StyledText;
class TextDrawer;
class TextGeometry;
class TextInput;
class TextMouse;
class TextNavigation;
class UndoBuffer;
struct LayoutChange;
}

enum undo_state {
	B_UNDO_UNAVAILABLE,
	B_UNDO_TYPING,
	B_UNDO_CUT,
	B_UNDO_PASTE,
	B_UNDO_CLEAR,
	B_UNDO_DROP,
	B_UNDO_REPLACE
};

// A view of styled, editable UTF-8 text. Offsets are byte offsets; every
// operation moves them onto character boundaries, so no character is ever
// split. TextRect() is in view coordinates: lines are wrapped to its width
// and start at its top left; the text may run below its bottom.
//
// Every change of the text passes through the protected hooks InsertText()
// and DeleteText(), whoever asks for it (typing, pasting, dropping, undo
// and the public API); a subclass that overrides them and calls the base
// keeps the view consistent. The hooks keep the selection on the text it
// covered but never move it for the caller. Every change of the selection
// passes through Select().
//
// The view is used under its window's lock, from the window's thread or
// from any other thread holding the lock.
class BTextView : public BView {
public:
	BTextView(BRect frame, const char* name, BRect textRect, uint32 resizingMode,
		uint32 flags);
	BTextView(BRect frame, const char* name, BRect textRect, const BFont* initialFont,
		const rgb_color* initialColor, uint32 resizingMode, uint32 flags);
	~BTextView() override;

	void AttachedToWindow() override;
	void DetachedFromWindow() override;
	void Draw(BRect updateRect) override;
	void Show() override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void WindowActivated(bool active) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void Pulse() override;
	void FrameResized(float width, float height) override;
	void MakeFocus(bool focus = true) override;
	void MessageReceived(BMessage* message) override;
	// Scrolls and moves the scroll bars that target the view along.

	void SetText(const char* text, const text_run_array* runs = NULL);
	void SetText(const char* text, int32 length, const text_run_array* runs = NULL);
	// length bytes of the file from offset on; the text stays when the
	// file cannot be read.
	void SetText(BFile* file, int32 offset, int32 length, const text_run_array* runs = NULL);
	// Not in the BeOS API: SetText() with the first length bytes of a block
	// of size bytes that the view takes over, so that a big text goes in
	// without a copy; the block needs a byte to spare. The text passes
	// through InsertText() as any text does: where a hook inserts other
	// bytes instead, those are copied and the block is freed.
	void SetTextAdopting(BPrivate::MallocBlock block, int32 length, size_t size);
	// At the selection's start; the caret goes behind the inserted text.
	void Insert(const char* text, const text_run_array* runs = NULL);
	void Insert(const char* text, int32 length, const text_run_array* runs = NULL);
	void Insert(int32 offset, const char* text, int32 length, const text_run_array* runs = NULL);
	void Delete();
	void Delete(int32 start, int32 finish);
	// The whole text, NUL-terminated; valid until the next change.
	const char* Text() const;
	int32 TextLength() const;
	// length bytes from offset, NUL-terminated (buffer holds length + 1).
	void GetText(int32 offset, int32 length, char* buffer) const;
	// The bytes from startOffset to endOffset where they lie in the text,
	// or copied into scratch when they do not lie in one piece. Unlike
	// Text(), it never moves the text about, so it stays cheap while the
	// text is edited. Valid until the next change (or use of scratch).
	std::string_view TextRange(int32 startOffset, int32 endOffset, std::string& scratch) const;
	uint8 ByteAt(int32 offset) const;

	int32 CountLines() const;
	int32 CurrentLine() const;
	void GoToLine(int32 lineNumber);
	int32 LineAt(int32 offset) const;
	int32 LineAt(BPoint point) const;
	BPoint PointAt(int32 offset, float* height = NULL) const;
	int32 OffsetAt(BPoint point) const;
	int32 OffsetAt(int32 line) const;
	float LineWidth(int32 lineNumber = 0) const;
	float LineHeight(int32 lineNumber = 0) const;
	float TextHeight(int32 startLine, int32 endLine) const;
	// Changes whenever the laid-out text may have changed (its text, its
	// styles, the wrapping): what was measured in the text at one value
	// still holds while the value stays.
	uint32 LayoutGeneration() const;
	// Whether the one change of the layout since generation kept every
	// line from offset on as it was, moved down by heightDelta.
	bool LinesKeptSince(uint32 generation, int32* offset, float* heightDelta) const;
	void GetTextRegion(int32 start, int32 finish, BRegion* region) const;
	// The word (or run of spaces or punctuation) around the offset, which
	// a double click selects.
	virtual void FindWord(int32 offset, int32* fromOffset, int32* toOffset);
	// May a line end after the character at offset? By default after white
	// space, a line feed, a hyphen inside a word and an ideograph.
	virtual bool CanEndLine(int32 offset);

	virtual void Cut(BClipboard* clipboard);
	virtual void Copy(BClipboard* clipboard);
	virtual void Paste(BClipboard* clipboard);
	void Clear();
	virtual bool AcceptsPaste(BClipboard* clipboard);
	virtual bool AcceptsDrop(const BMessage* message);
	// One step: undoing again redoes.
	virtual void Undo(BClipboard* clipboard);
	undo_state UndoState(bool* isRedo) const;
	void SetDoesUndo(bool undo);
	bool DoesUndo() const;
	// Every change from here to EndUndoStep() is one step of undo of the
	// given kind, however many edits make it, so that a command of many
	// edits (replacing every match of a search) is taken back at once.
	// Steps nest: an inner one belongs to the outer one.
	void BeginUndoStep(undo_state kind);
	void EndUndoStep();

	virtual void Select(int32 startOffset, int32 endOffset);
	void SelectAll();
	void GetSelection(int32* startOffset, int32* endOffset) const;
	// Inverts the range's highlight on the screen now; a second call with
	// the same range restores it.
	void Highlight(int32 startOffset, int32 endOffset);
	virtual void ScrollToOffset(int32 offset);
	void ScrollToSelection();

	void SetStylable(bool stylable);
	bool IsStylable() const;
	// With an empty selection: the style of what is typed next there.
	void SetFontAndColor(const BFont* font, uint32 mode = B_FONT_ALL,
		const rgb_color* color = NULL);
	void SetFontAndColor(int32 startOffset, int32 endOffset, const BFont* font,
		uint32 mode = B_FONT_ALL, const rgb_color* color = NULL);
	void GetFontAndColor(int32 offset, BFont* font, rgb_color* color = NULL) const;
	// Of the selection: the style at its start, the font properties it
	// shares (mode) and whether it has one colour.
	void GetFontAndColor(BFont* font, uint32* mode, rgb_color* color = NULL,
		bool* sameColor = NULL) const;
	void SetRunArray(int32 startOffset, int32 endOffset, const text_run_array* runs);
	// Colours the range by count colour runs (see color_run; text before
	// the first run keeps its colour), keeping every font: no line moves,
	// and only the lines whose colour changed are drawn again.
	void SetColorRuns(int32 startOffset, int32 endOffset, const color_run* runs, int32 count);
	// The caller frees the result with FreeRunArray().
	text_run_array* RunArray(int32 startOffset, int32 endOffset, int32* outSize = NULL) const;

	void SetTextRect(BRect rect);
	BRect TextRect() const;
	void SetTabWidth(float width);
	float TabWidth() const;
	void MakeSelectable(bool selectable = true);
	bool IsSelectable() const;
	void MakeEditable(bool editable = true);
	bool IsEditable() const;
	void SetWordWrap(bool wrap);
	bool DoesWordWrap() const;
	// The most bytes typing, pasting, dropping and Insert() may bring the
	// text to.
	void SetMaxBytes(int32 max);
	int32 MaxBytes() const;
	void DisallowChar(uint32 character);
	void AllowChar(uint32 character);
	void SetAlignment(alignment flag);
	alignment Alignment() const;
	void SetAutoindent(bool state);
	bool DoesAutoindent() const;

	// While a hold lives, edits of the text wrap no lines and draw
	// nothing, as when the view is hidden: the lines are wrapped once, and
	// the view drawn again, when the last hold ends. Queries made meanwhile
	// wrap what waits first, so that they answer from the edited text.
	// For a run of many edits of a shown view; taken and ended under the
	// window's lock.
	class LayoutHold {
	public:
		explicit LayoutHold(BTextView& view);
		~LayoutHold();
		LayoutHold(const LayoutHold&) = delete;
		LayoutHold& operator=(const LayoutHold&) = delete;

	private:
		BTextView& fView;
	};

	static text_run_array* AllocRunArray(int32 entryCount, int32* outSize = NULL);
	static text_run_array* CopyRunArray(const text_run_array* orig,
		int32 countDelta = INT32_MAX);
	static void FreeRunArray(text_run_array* array);

protected:
	virtual void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs);
	virtual void DeleteText(int32 fromOffset, int32 toOffset);

private:
	friend class BPrivate::TextInput;
	friend class BPrivate::TextMouse;

	void _Init(BRect textRect, const BFont* font, const rgb_color* color);
	bool _AssertLocked() const;

	// Changes and what they redraw.
	void _Changed(const BPrivate::LayoutChange& change);
	void _Relayout();
	void _ApplySettledLayout();
	bool _IsUnseen() const;
	bool _DefersLayout() const;
	void _RemeasureAll();
	void _InvalidateRange(int32 start, int32 finish);
	void _InvalidateCaret();
	void _UpdateScrollBars();
	void _ScrollBy(float dx, float dy);
	BPoint _ScrollLimit() const;
	bool _UpdateLineEndTest();

	// Editing the way the user does: recorded for undo when asked.
	void _BeginUndo(undo_state kind);
	void _EndUndo();
	int32 _FitToMaxBytes(const char* text, int32 length) const;
	int32 _InsertAt(int32 offset, const char* text, int32 length, const text_run_array* runs);
	void _ReplaceSelection(const char* text, int32 length, const text_run_array* runs);
	bool _IsAllowed(const char* bytes, int32 numBytes) const;

	// The selection as the keyboard and the mouse move it: one end stays
	// (the anchor), the other is the caret.
	void _SelectWithCaret(int32 anchor, int32 caret);
	int32 _Caret() const;
	int32 _Anchor() const;
	bool _ShowsCaret() const;
	rgb_color _HighlightColor() const;

	std::unique_ptr<BPrivate::FontMeasurer> fMeasurer;
	std::unique_ptr<BPrivate::StyledText> fText;
	std::unique_ptr<BPrivate::TextGeometry> fGeometry;
	std::unique_ptr<BPrivate::TextNavigation> fNavigation;
	std::unique_ptr<BPrivate::TextDrawer> fDrawer;
	std::unique_ptr<BPrivate::UndoBuffer> fUndo;
	std::unique_ptr<BPrivate::TextInput> fInput;
	std::unique_ptr<BPrivate::TextMouse> fMouse;

	int32 fSelStart = 0;
	int32 fSelEnd = 0;
	bool fCaretAtStart = false;
	// Set by the keyboard and the mouse just before they call Select().
	std::optional<bool> fPendingCaretAtStart;
	// Counts changes of the text and the selection, so that typing knows
	// whether it goes on where it left off.
	uint32 fChangeStamp = 0;
	// The block SetTextAdopting() hands to the text when InsertText() gets it.
	BPrivate::MallocBlock fAdoptable;
	size_t fAdoptableSize = 0;
	bool fCaretVisible = true;
	bool fEditable = true;
	bool fSelectable = true;
	bool fAutoindent = false;
	bool fDoesUndo = true;
	bool fHasLineEndTest = false;
	int32 fLayoutHolds = 0;
	int32 fMaxBytes = INT32_MAX;
	std::vector<uint32> fDisallowed;
	float fMaxLineWidth = 0;
};

#endif
