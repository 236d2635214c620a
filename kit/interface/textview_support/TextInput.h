#ifndef _VELMORA_TEXT_INPUT_H
#define _VELMORA_TEXT_INPUT_H

#include <SupportDefs.h>

class BTextView;

namespace BPrivate {

// The keyboard of a text view: characters replace the selection, the
// backspace and delete keys remove a character (a word with the command
// or option key), the arrows, Home, End, Page Up and Page Down move the
// caret (Shift extends the selection from where it began; the command or
// option key moves by words, and to the text's ends with Home and End),
// and the command-key shortcuts copy, cut, paste, select all and undo.
// Every change goes through the view's hooks, every move through Select().
class TextInput {
public:
	explicit TextInput(BTextView& view) : fView(view) {}

	void KeyDown(const char* bytes, int32 numBytes);

private:
	uint32 _Modifiers(const char* bytes, int32 numBytes) const;
	void _Command(char key, uint32 modifiers);
	void _Type(const char* bytes, int32 numBytes);
	void _Erase(bool forward, uint32 modifiers);
	void _Arrow(char key, uint32 modifiers);
	void _HomeEnd(char key, uint32 modifiers);
	void _Page(char key, uint32 modifiers);
	void _MoveCaret(int32 caret, bool extend);
	float _ColumnFor(int32 caret);

	BTextView& fView;
	// Up and down keep to the column they started from: its x, and the
	// caret the last vertical move left.
	float fColumn = 0;
	int32 fColumnCaret = -1;
};

} // namespace BPrivate

#endif
