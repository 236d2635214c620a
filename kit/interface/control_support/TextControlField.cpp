#include "TextControlField.h"

#include <string>

#include <TextControl.h>

namespace BPrivate {

TextControlField::TextControlField(BRect frame, BTextControl* control, uint32 flags)
	: BTextView(frame, "_input_", BRect(0, 0, frame.Width(), frame.Height()),
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, flags),
	  fControl(control)
{
	SetWordWrap(false);
	SetStylable(false);
}

void TextControlField::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && bytes[0] == B_ENTER) {
		fControl->_Entered();
		SelectAll();
		return;
	}
	if (numBytes == 1 && bytes[0] == B_TAB) {
		// Navigation, as every view does it.
		BView::KeyDown(bytes, numBytes);
		return;
	}
	_AsOneChange([&] { BTextView::KeyDown(bytes, numBytes); });
}

void TextControlField::MouseDown(BPoint where)
{
	// A click places the caret; it must not select all on the way.
	fClicked = true;
	BTextView::MouseDown(where);
	fClicked = false;
}

void TextControlField::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	BTextView::MakeFocus(focus);
	if (focus && !fClicked)
		SelectAll();
	fControl->_FocusChanged(focus);
}

void TextControlField::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	std::string line(text, length);
	for (char& c : line) {
		if (c == '\n' || c == '\r')
			c = ' ';
	}
	BTextView::InsertText(line.c_str(), length, offset, runs);
	_NoteChange();
}

void TextControlField::DeleteText(int32 fromOffset, int32 toOffset)
{
	BTextView::DeleteText(fromOffset, toOffset);
	_NoteChange();
}

template<typename Action>
void TextControlField::_AsOneChange(Action action)
{
	fActionDepth++;
	action();
	if (--fActionDepth == 0 && fActionChanged) {
		fActionChanged = false;
		fControl->_Modified();
	}
}

void TextControlField::_NoteChange()
{
	if (fQuiet)
		return;
	if (fActionDepth > 0)
		fActionChanged = true;
	else
		fControl->_Modified();
}

void TextControlField::MessageReceived(BMessage* message)
{
	// Pasting, cutting, undoing and dropping.
	_AsOneChange([&] { BTextView::MessageReceived(message); });
}

} // namespace BPrivate
