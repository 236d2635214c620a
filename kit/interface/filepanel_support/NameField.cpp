#include "NameField.h"

#include <algorithm>
#include <cmath>

#include <Clipboard.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <Region.h>
#include <UTF8.h>
#include <Window.h>

namespace BPrivate {

namespace {

// Between the frame and the text.
const float kInset = 4;

} // namespace

NameField::NameField(BRect frame, const char* name, const char* label, BMessage* entered,
	BMessage* changed, uint32 resizingMode)
	: BView(frame, name, resizingMode, B_WILL_DRAW | B_NAVIGABLE),
	  fLabel(label != nullptr ? label : ""),
	  fDivider(fLabel.empty() ? 0 : std::ceil(StringWidth(fLabel.c_str())) + 8),
	  fEntered(entered),
	  fChanged(changed)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
}

NameField::~NameField() = default;

void NameField::Draw(BRect)
{
	BRect box = _Box();
	SetHighColor(ui_color(B_PANEL_TEXT_COLOR));
	DrawString(fLabel.c_str(), BPoint(0, _Baseline()));
	SetHighColor(ui_color(B_DOCUMENT_BACKGROUND_COLOR));
	FillRect(box);
	bool focus = IsFocus();
	BRect inside = box.InsetByCopy(1, 1);
	ConstrainClippingRegion(nullptr);
	BRegion clip(inside);
	ConstrainClippingRegion(&clip);
	if (focus && fAllSelected && !fText.empty()) {
		SetHighColor(ui_color(B_LIST_SELECTED_BACKGROUND_COLOR));
		FillRect(BRect(_TextX(0), box.top + 3, _TextX(fText.size()), box.bottom - 3));
	}
	SetHighColor(ui_color(B_DOCUMENT_TEXT_COLOR));
	DrawString(fText.c_str(), BPoint(_TextX(0), _Baseline()));
	if (focus && !fAllSelected) {
		float x = _TextX(fCaret);
		StrokeLine(BPoint(x, box.top + 3), BPoint(x, box.bottom - 3));
	}
	ConstrainClippingRegion(nullptr);
	SetHighColor(focus ? ui_color(B_KEYBOARD_NAVIGATION_COLOR)
		: tint_color(ui_color(B_PANEL_BACKGROUND_COLOR), B_DARKEN_3_TINT));
	StrokeRect(box);
}

void NameField::MouseDown(BPoint where)
{
	if (!IsFocus())
		MakeFocus();
	// The caret goes to the character boundary nearest the click.
	size_t best = 0;
	for (size_t offset = 0;; offset = UTF8::Next(fText, offset)) {
		if (std::fabs(_TextX(offset) - where.x) < std::fabs(_TextX(best) - where.x))
			best = offset;
		if (offset >= fText.size())
			break;
	}
	fCaret = best;
	fAllSelected = false;
	Invalidate();
}

void NameField::KeyDown(const char* bytes, int32 numBytes)
{
	switch (bytes[0]) {
		case B_ENTER:
			_Send(fEntered.get());
			return;
		case B_TAB:
		case B_ESCAPE:
			BView::KeyDown(bytes, numBytes);
			return;
		case B_BACKSPACE:
			if (!_EraseSelection() && fCaret > 0)
				_Erase(UTF8::Previous(fText, fCaret), fCaret);
			break;
		case B_DELETE:
			if (!_EraseSelection() && fCaret < fText.size())
				_Erase(fCaret, UTF8::Next(fText, fCaret));
			break;
		case B_LEFT_ARROW:
			fCaret = fAllSelected ? 0 : fCaret > 0 ? UTF8::Previous(fText, fCaret) : 0;
			fAllSelected = false;
			break;
		case B_RIGHT_ARROW:
			fCaret = fAllSelected ? fText.size()
				: fCaret < fText.size() ? UTF8::Next(fText, fCaret) : fText.size();
			fAllSelected = false;
			break;
		case B_HOME:
			fCaret = 0;
			fAllSelected = false;
			break;
		case B_END:
			fCaret = fText.size();
			fAllSelected = false;
			break;
		default:
			if (static_cast<unsigned char>(bytes[0]) < B_SPACE || bytes[0] == B_DELETE)
				return;
			_Insert(std::string(bytes, numBytes));
			break;
	}
	Invalidate();
}

void NameField::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	BView::MakeFocus(focus);
	fAllSelected = focus && !fText.empty();
	fCaret = fText.size();
	Invalidate();
}

void NameField::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case B_SELECT_ALL:
			fAllSelected = !fText.empty();
			Invalidate();
			break;
		case B_COPY:
		case B_CUT:
			if (!fAllSelected || !be_clipboard->Lock())
				break;
			be_clipboard->Clear();
			be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, fText.data(),
				static_cast<ssize_t>(fText.size()));
			be_clipboard->Commit();
			be_clipboard->Unlock();
			if (message->what == B_CUT && _EraseSelection())
				Invalidate();
			break;
		case B_PASTE:
		{
			std::string pasted;
			if (be_clipboard->Lock()) {
				const void* data = nullptr;
				ssize_t size = 0;
				if (be_clipboard->Data()->FindData("text/plain", B_MIME_TYPE, &data, &size) == B_OK)
					pasted.assign(static_cast<const char*>(data), static_cast<size_t>(size));
				be_clipboard->Unlock();
			}
			// A name is one line.
			pasted = UTF8::Sanitized(pasted.substr(0, pasted.find_first_of("\r\n")));
			if (!pasted.empty()) {
				_Insert(pasted);
				Invalidate();
			}
			break;
		}
		default:
			BView::MessageReceived(message);
			break;
	}
}

void NameField::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	if (width != nullptr)
		*width = std::max(Bounds().Width(), fDivider + 100);
	if (height != nullptr)
		*height = std::ceil(fontHeight.ascent + fontHeight.descent) + 8;
}

void NameField::SetText(const char* text)
{
	fText = UTF8::Sanitized(text != nullptr ? text : "");
	fCaret = fText.size();
	fAllSelected = IsFocus() && !fText.empty();
	fScroll = 0;
	Invalidate();
}

const char* NameField::Text() const
{
	return fText.c_str();
}

void NameField::_Insert(const std::string& text)
{
	_EraseSelection();
	fText.insert(fCaret, text);
	fCaret += text.size();
	_Changed();
}

void NameField::_Erase(size_t from, size_t to)
{
	fText.erase(from, to - from);
	fCaret = from;
	_Changed();
}

bool NameField::_EraseSelection()
{
	if (!fAllSelected)
		return false;
	fAllSelected = false;
	fText.clear();
	fCaret = 0;
	_Changed();
	return true;
}

void NameField::_Changed()
{
	// The caret stays in sight: the text moves left when it would leave.
	float room = _Box().Width() - 2 * kInset;
	float caret = StringWidth(fText.c_str(), static_cast<int32>(fCaret));
	fScroll = std::clamp(fScroll, std::max(caret - room, 0.0f), caret);
	_Send(fChanged.get());
}

void NameField::_Send(const BMessage* message)
{
	if (message != nullptr && Window() != nullptr)
		Window()->PostMessage(const_cast<BMessage*>(message));
}

BRect NameField::_Box() const
{
	BRect box = Bounds();
	box.left = fDivider;
	return box;
}

float NameField::_TextX(size_t offset) const
{
	return fDivider + kInset - fScroll + StringWidth(fText.c_str(), static_cast<int32>(offset));
}

float NameField::_Baseline() const
{
	font_height height;
	GetFontHeight(&height);
	return std::floor((Bounds().Height() + 1 - (height.ascent + height.descent)) / 2)
		+ std::ceil(height.ascent);
}

} // namespace BPrivate
