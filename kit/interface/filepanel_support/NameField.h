#ifndef _VELMORA_NAME_FIELD_H
#define _VELMORA_NAME_FIELD_H

#include <memory>
#include <string>

#include <View.h>

class BMessage;

namespace BPrivate {

// The save panel's one line for a file name, after its label: typing,
// Backspace and Delete,
// Left, Right, Home and End, a click to place the caret, and the clipboard.
// When it gets the focus all of its text is selected, so that typing
// replaces the suggested name. It tells its window of every change
// (changed) and of Enter (entered).
class NameField : public BView {
public:
	NameField(BRect frame, const char* name, const char* label, BMessage* entered,
		BMessage* changed, uint32 resizingMode);
	~NameField() override;

	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void MakeFocus(bool focus = true) override;
	void MessageReceived(BMessage* message) override;
	void GetPreferredSize(float* width, float* height) override;

	// Replaces the text (selecting all of it), without telling the window.
	void SetText(const char* text);
	const char* Text() const;

private:
	void _Insert(const std::string& text);
	void _Erase(size_t from, size_t to);
	bool _EraseSelection();
	void _Changed();
	void _Send(const BMessage* message);
	BRect _Box() const;
	float _TextX(size_t offset) const;
	float _Baseline() const;

	std::string fLabel;
	float fDivider;           // where the box starts
	std::string fText;
	size_t fCaret = 0;        // a byte offset at a character boundary
	bool fAllSelected = false;
	float fScroll = 0;        // how far the text is pushed left to show the caret
	std::unique_ptr<BMessage> fEntered;
	std::unique_ptr<BMessage> fChanged;
};

} // namespace BPrivate

#endif
