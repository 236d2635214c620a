#ifndef _TEXT_CONTROL_H
#define _TEXT_CONTROL_H

#include <memory>
#include <string>

#include <Control.h>

class BTextView;

namespace BPrivate {
class TextControlField;
}

// A label and a one-line field of editable text, the label left of the
// divider and the field right of it. The control sends its message when
// Enter is pressed in the field, and when the field loses the focus with a
// text changed since the control last sent it or was given it; the
// receiver reads Text() of the "source". Every change the user makes sends
// the modification message, if there is one. Tab and Shift+Tab move on to
// the next control. Its height follows its font: the constructor sets it.
class BTextControl : public BControl {
public:
	BTextControl(BRect frame, const char* name, const char* label, const char* initialText,
		BMessage* message, uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
		uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	~BTextControl() override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MakeFocus(bool focus = true) override;
	void FrameResized(float width, float height) override;
	void GetPreferredSize(float* width, float* height) override;

	// Replaces the text without sending anything.
	virtual void SetText(const char* text);
	const char* Text() const;
	BTextView* TextView() const;
	status_t Invoke(BMessage* message = NULL) override;
	void SetEnabled(bool enabled) override;

	// Owned; null sends nothing on changes.
	virtual void SetModificationMessage(BMessage* message);
	BMessage* ModificationMessage() const { return fModificationMessage.get(); }

	virtual void SetAlignment(alignment label, alignment text);
	void GetAlignment(alignment* label, alignment* text) const;
	virtual void SetDivider(float position);
	float Divider() const { return fDivider; }

private:
	friend class BPrivate::TextControlField;

	BRect _FieldFrame() const;
	void _PlaceField();
	// From the field: the user changed the text; the focus came or went;
	// Enter was pressed.
	void _Modified();
	void _FocusChanged(bool focused);
	void _Entered();

	BPrivate::TextControlField* fField;  // a child
	std::unique_ptr<BMessage> fModificationMessage;
	std::string fSentText;               // what the target last heard of
	float fDivider;
	alignment fLabelAlignment = B_ALIGN_LEFT;
	bool fNavigableField;
};

#endif
