#ifndef _VELMORA_TEXT_CONTROL_FIELD_H
#define _VELMORA_TEXT_CONTROL_FIELD_H

#include <TextView.h>

class BTextControl;

namespace BPrivate {

// The field of a BTextControl: a text view of one line. Line feeds that
// come in (pasted or dropped) become spaces; Enter tells the control; Tab
// moves the focus on instead of typing a tab; taking the focus from the
// keyboard selects all of the text. The control hears of a change once per
// key press or message that made it: typing over a selection deletes and
// inserts, yet is one change.
class TextControlField : public BTextView {
public:
	TextControlField(BRect frame, BTextControl* control, uint32 flags);

	void KeyDown(const char* bytes, int32 numBytes) override;
	void MakeFocus(bool focus = true) override;
	void MouseDown(BPoint where) override;
	void MessageReceived(BMessage* message) override;

	// Changes made while this is set are the program's, not the user's.
	void SetQuiet(bool quiet) { fQuiet = quiet; }

protected:
	void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs) override;
	void DeleteText(int32 fromOffset, int32 toOffset) override;

private:
	void _NoteChange();
	// Runs one user action, telling the control at its end if it changed
	// the text.
	template<typename Action>
	void _AsOneChange(Action action);

	BTextControl* fControl;  // the parent, which owns this view
	bool fClicked = false;
	bool fQuiet = false;
	int32 fActionDepth = 0;
	bool fActionChanged = false;
};

} // namespace BPrivate

#endif
