#include "TextInput.h"

#include <cstring>
#include <string>

#include <Beep.h>
#include <Clipboard.h>
#include <Message.h>
#include <TextView.h>
#include <Window.h>

#include "StyledText.h"
#include "TextNavigation.h"

namespace BPrivate {

namespace {

const uint32 kWordModifiers = B_COMMAND_KEY | B_OPTION_KEY;

// The spaces and tabs a paragraph begins with.
std::string IndentationBefore(const StyledText& text, int32 offset)
{
	int32 start = offset;
	while (start > 0 && text.Text().RealCharAt(start - 1) != '\n')
		start--;
	int32 end = start;
	while (end < offset && (text.Text().RealCharAt(end) == ' '
			|| text.Text().RealCharAt(end) == '\t'))
		end++;
	return text.Text().Copy(start, end);
}

} // namespace

void TextInput::KeyDown(const char* bytes, int32 numBytes)
{
	if (bytes == nullptr || numBytes <= 0)
		return;
	uint32 modifiers = _Modifiers(bytes, numBytes);
	unsigned char key = static_cast<unsigned char>(bytes[0]);
	if ((modifiers & B_COMMAND_KEY) != 0 && numBytes == 1 && key >= 0x20 && key < 0x7F) {
		_Command(static_cast<char>(key), modifiers);
		return;
	}
	switch (key) {
		case B_BACKSPACE:
			_Erase(false, modifiers);
			break;
		case B_DELETE:
			_Erase(true, modifiers);
			break;
		case B_LEFT_ARROW:
		case B_RIGHT_ARROW:
		case B_UP_ARROW:
		case B_DOWN_ARROW:
			_Arrow(static_cast<char>(key), modifiers);
			break;
		case B_HOME:
		case B_END:
			_HomeEnd(static_cast<char>(key), modifiers);
			break;
		case B_PAGE_UP:
		case B_PAGE_DOWN:
			_Page(static_cast<char>(key), modifiers);
			break;
		case B_ESCAPE:
		case B_INSERT:
		case B_FUNCTION_KEY:
			break;
		case B_TAB:
			if (!fView.fEditable)
				fView.BView::KeyDown(bytes, numBytes);
			else if ((modifiers & kWordModifiers) == 0)
				_Type(bytes, numBytes);
			break;
		default:
			_Type(bytes, numBytes);
			break;
	}
}

// The modifiers belong to the key press being handled: bytes handed in
// by other means (a paste passed on as typing) are typed as they are.
uint32 TextInput::_Modifiers(const char* bytes, int32 numBytes) const
{
	BWindow* window = fView.Window();
	BMessage* message = window != nullptr ? window->CurrentMessage() : nullptr;
	const char* pressed = nullptr;
	int32 modifiers = 0;
	if (message == nullptr || message->what != B_KEY_DOWN
		|| message->FindString("bytes", &pressed) != B_OK
		|| strlen(pressed) != static_cast<size_t>(numBytes)
		|| memcmp(pressed, bytes, numBytes) != 0
		|| message->FindInt32("modifiers", &modifiers) != B_OK)
		return 0;
	return static_cast<uint32>(modifiers);
}

void TextInput::_Command(char key, uint32 modifiers)
{
	switch (key) {
		case 'z':
		case 'Z':
			fView.Undo(be_clipboard);
			break;
		case 'x':
			fView.Cut(be_clipboard);
			break;
		case 'c':
			fView.Copy(be_clipboard);
			break;
		case 'v':
			fView.Paste(be_clipboard);
			break;
		case 'a':
			if ((modifiers & B_SHIFT_KEY) == 0)
				fView.SelectAll();
			break;
		default:
			break;
	}
}

void TextInput::_Type(const char* bytes, int32 numBytes)
{
	if (!fView.fEditable)
		return;
	if (!fView._IsAllowed(bytes, numBytes)) {
		beep();
		return;
	}
	std::string text(bytes, numBytes);
	if (fView.fAutoindent && text == "\n")
		text += IndentationBefore(*fView.fText, fView.fSelStart);
	fView._BeginUndo(B_UNDO_TYPING);
	fView._ReplaceSelection(text.data(), static_cast<int32>(text.size()), nullptr);
	fView._EndUndo();
	fView.ScrollToSelection();
}

void TextInput::_Erase(bool forward, uint32 modifiers)
{
	if (!fView.fEditable)
		return;
	int32 start = fView.fSelStart;
	int32 end = fView.fSelEnd;
	if (start == end) {
		bool byWord = (modifiers & kWordModifiers) != 0;
		const TextNavigation& navigation = *fView.fNavigation;
		if (forward)
			end = byWord ? navigation.NextWordEnd(end) : navigation.NextCharacter(end);
		else
			start = byWord ? navigation.PreviousWordStart(start) : navigation.PreviousCharacter(start);
	}
	fView._BeginUndo(B_UNDO_TYPING);
	if (start < end)
		fView.DeleteText(start, end);
	fView.Select(fView.fSelStart, fView.fSelStart);
	fView._EndUndo();
	fView.ScrollToSelection();
}

void TextInput::_Arrow(char key, uint32 modifiers)
{
	if (!fView.fSelectable)
		return;
	bool extend = (modifiers & B_SHIFT_KEY) != 0;
	bool byWord = (modifiers & kWordModifiers) != 0;
	bool collapses = !extend && fView.fSelStart < fView.fSelEnd;
	const TextNavigation& navigation = *fView.fNavigation;
	int32 caret = fView._Caret();
	switch (key) {
		case B_LEFT_ARROW:
			if (collapses)
				caret = fView.fSelStart;
			else
				caret = byWord ? navigation.PreviousWordStart(caret)
					: navigation.PreviousCharacter(caret);
			break;
		case B_RIGHT_ARROW:
			if (collapses)
				caret = fView.fSelEnd;
			else
				caret = byWord ? navigation.NextWordEnd(caret) : navigation.NextCharacter(caret);
			break;
		default:
		{
			bool up = key == B_UP_ARROW;
			if (collapses)
				caret = up ? fView.fSelStart : fView.fSelEnd;
			float column = _ColumnFor(caret);
			_MoveCaret(navigation.LineOffset(caret, up ? -1 : 1, column), extend);
			fColumn = column;
			fColumnCaret = fView._Caret();
			return;
		}
	}
	_MoveCaret(caret, extend);
}

void TextInput::_HomeEnd(char key, uint32 modifiers)
{
	if (!fView.fSelectable)
		return;
	bool wholeText = (modifiers & kWordModifiers) != 0;
	int32 caret = fView._Caret();
	if (key == B_HOME)
		caret = wholeText ? 0 : fView.fNavigation->LineStart(caret);
	else
		caret = wholeText ? fView.TextLength() : fView.fNavigation->LineEnd(caret);
	_MoveCaret(caret, (modifiers & B_SHIFT_KEY) != 0);
}

// The view scrolls by its height and the caret goes as far, keeping to its
// column.
void TextInput::_Page(char key, uint32 modifiers)
{
	float distance = fView.Bounds().Height();
	if (key == B_PAGE_UP)
		distance = -distance;
	fView._ScrollBy(0, distance);
	if (!fView.fSelectable)
		return;
	int32 caret = fView._Caret();
	float column = _ColumnFor(caret);
	_MoveCaret(fView.fNavigation->PageOffset(caret, distance, column),
		(modifiers & B_SHIFT_KEY) != 0);
	fColumn = column;
	fColumnCaret = fView._Caret();
}

float TextInput::_ColumnFor(int32 caret)
{
	if (caret == fColumnCaret)
		return fColumn;
	return fView.PointAt(caret).x;
}

void TextInput::_MoveCaret(int32 caret, bool extend)
{
	fView._SelectWithCaret(extend ? fView._Anchor() : caret, caret);
	fView.ScrollToOffset(fView._Caret());
}

} // namespace BPrivate
