#ifndef _VELMORA_TEXT_MOUSE_H
#define _VELMORA_TEXT_MOUSE_H

#include <memory>

#include <Point.h>

class BMessage;
class BMessageRunner;
class BTextView;

namespace BPrivate {

// The mouse of a text view. A click places the caret, a double click
// selects a word, a triple click a line; dragging extends the selection by
// those units, scrolling while the pointer is outside the view, and Shift
// extends the selection there is. Pressing on the selection and moving
// drags the text: dropped in the same view it moves (with the control key
// it is copied), elsewhere it is copied. Dropped text is inserted where it
// falls, a caret showing the place while it hovers.
class TextMouse {
public:
	explicit TextMouse(BTextView& view);
	~TextMouse();

	void MouseDown(BPoint where);
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	void MouseUp(BPoint where);
	// A dropped message: true when it held text (inserted when the view
	// accepts it), false when it is none of the text view's business.
	bool Drop(BMessage* message);
	void Wheel(const BMessage* message);
	// The view's private messages (auto-scrolling); false for others.
	bool HandleMessage(BMessage* message);
	void Cancel();

	// Where dropped text would go, or -1.
	int32 DropOffset() const { return fDropOffset; }

private:
	enum Mode { kIdle, kCharacters, kWords, kLines, kDragPending, kDragging };

	void _UnitAt(int32 offset, int32* from, int32* to) const;
	bool _InSelection(BPoint where) const;
	void _Extend(BPoint where);
	void _AutoScroll();
	void _StopAutoScroll();
	void _StartDrag();
	void _ShowDropCaret(int32 offset);

	BTextView& fView;
	Mode fMode = kIdle;
	// The unit first pressed (a character, word or line); the selection
	// always holds it.
	int32 fAnchorStart = 0;
	int32 fAnchorEnd = 0;
	BPoint fDownPoint;
	BPoint fLastPoint;
	bool fDragSource = false;
	int32 fDropOffset = -1;
	std::unique_ptr<BMessageRunner> fAutoScroller;
};

} // namespace BPrivate

#endif
