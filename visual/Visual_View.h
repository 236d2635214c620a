#ifndef VELMORA_VISUAL_VIEW_H
#define VELMORA_VISUAL_VIEW_H

#include <string>
#include <string_view>

#include <GraphicsDefs.h>

#include "Visual_Text.h"

class Anchor;
class BClipboard;

// The engine's text as the visual window shows it to the user: keys,
// mouse and drops become edits that keep the elements in step, the caret
// never stands inside an element's space, and what styled text cannot
// show (underlines, strike-through lines, rules) is drawn over it.
//
// Every edit that really changes the text or the elements marks the
// window changed; moving the caret, selecting and copying do not.
class Visual_View : public Visual_Text {
public:
	Visual_View(BRect frame, Visual_Engine* engine);

	void MessageReceived(BMessage* message) override;
	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void ScrollTo(BPoint where) override;
	void FrameResized(float width, float height) override;
	// Copy and Cut put the run on the clipboard for Velmora, with its HTML
	// and its text for other programs; Paste takes the first of those it
	// finds.
	void Copy(BClipboard* clipboard) override;
	void Cut(BClipboard* clipboard) override;
	void Paste(BClipboard* clipboard) override;
	// Takes back the last edit, or redoes what the last undo took back.
	void Undo(BClipboard* clipboard) override;
	// Text, and files (an image file becomes an image where it is dropped).
	bool AcceptsDrop(const BMessage* message) override;
	// Ends that fall inside an element's space go to one of its edges: the
	// nearer one, or the one an up or down arrow heads for.
	void Select(int32 start, int32 finish) override;

	// Types text over [start, finish) as the keys would type it (a
	// non-breaking space of the text as its key), without scrolling or
	// drawing: the replacement of a match. Returns the offset behind what
	// was typed. Call it under the engine lock.
	int32 TypeOver(int32 start, int32 finish, std::string_view text);

	// Passes a key press to the base view and redraws only its line when
	// the press changed no other.
	void inheritedKeyDown(const char* bytes, int32 numBytes);
	// An arrow, page or line key: it moves the caret and changes nothing.
	static bool IsMovingKey(const char* bytes, int32 numBytes);

	// The offsets at the top left and the bottom right of what is shown.
	int32 FirstVisibleOffset() const;
	int32 LastVisibleOffset() const;
	// The list index of the blank-room element that starts a line; -1 for
	// none or a line out of range.
	long SpaceOnLine(int32 line) const;
	long SpaceOnLineAt(int32 offset) const;
	// A line's width without the blank room that starts it.
	float LineWidthWithoutSpace(int32 line) const;
	float LineWidthWithoutSpaceAt(int32 offset) const;

	// Puts the element views shown over their spaces. Decorations are drawn
	// with the text they decorate, whenever it is drawn.
	void RefreshView();
	// The lines of one run, segment by segment, leaving element spaces out.
	void UnderlineStrikeThrough(int32 start, int32 finish, rgb_color color, bool underline,
		bool strike);

private:
	class EditWatch;

	void TypeKeys(const std::string& keys, uint32 modifiers);
	void TypeBehind(int32 start, int32 finish, const std::string& keys, uint32 modifiers);
	void HandleSpecial(char key, uint32 modifiers);
	void InsertKey(uint32 modifiers);
	void DeleteKey(uint32 modifiers);
	void BackspaceKey();
	void TabKey();
	void EnterKey(bool paragraph);
	void ArrowKey(char key);
	void StepCaret(char key, int32 steps);
	void FunctionKey();
	uint32 KeyModifiers(const char* bytes, int32 numBytes) const;
	bool IsOwnKeyPress(const char* bytes, int32 numBytes) const;
	std::string WithoutDoubleSpaces(const char* bytes, int32 numBytes, bool shift) const;
	bool CopyRun(BClipboard* clipboard, int32 start, int32 end);
	int32 PastePlainText(const std::string& text, int32 offset);
	int32 InsertLineBreak(int32 offset);
	std::string WithoutSpacesBeside(std::string line, int32 offset) const;
	int32 SnapOutOfSpace(int32 offset, long holder, int32 direction) const;
	void ShowLinkMenu(BPoint where, const Anchor* link);
	bool DropImage(const BMessage* message);
	void DrawDecorations(BRect area);
	void DrawRule(int32 offset);

	bool stepping;
	int32 verticalDirection;
};

#endif
