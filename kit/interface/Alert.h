#ifndef _ALERT_H
#define _ALERT_H

#include <memory>
#include <string>
#include <vector>

#include <Window.h>

class BButton;
class BInvoker;
class BTextView;

enum alert_type {
	B_EMPTY_ALERT = 0,
	B_INFO_ALERT,
	B_IDEA_ALERT,
	B_WARNING_ALERT,
	B_STOP_ALERT
};

enum button_spacing {
	B_EVEN_SPACING = 0,
	B_OFFSET_SPACING
};

enum button_width {
	B_WIDTH_AS_USUAL,
	B_WIDTH_FROM_WIDEST,
	B_WIDTH_FROM_LABEL
};

namespace BPrivate {
class AlertPanel;
struct AlertOutcome;
}

// A modal window with an icon for its kind, a text wrapped to its width (in
// a read-only text view, so that it can be selected and copied) and up to
// three buttons in a row at its bottom right. The last button is the
// default one: Enter chooses it. SetShortcut() gives a button a key, such
// as B_ESCAPE for the one that cancels. Tab and Space work on the buttons.
//
// Go() shows the alert and returns the index of the chosen button; the
// calling window, if any, keeps drawing meanwhile. Go(invoker) returns at
// once and later sends a copy of the invoker's message with "which" added.
// Either way the alert deletes itself when a button is chosen.
//
// Where nobody can see an alert (the headless display, or a desktop whose
// display loop is not running yet), Go() does not show it: the alert
// responder of WindowTesting.h answers, or else the last button.
class BAlert : public BWindow {
public:
	BAlert(const char* title, const char* text, const char* button1, const char* button2 = NULL,
		const char* button3 = NULL, button_width width = B_WIDTH_AS_USUAL,
		alert_type type = B_INFO_ALERT);
	BAlert(const char* title, const char* text, const char* button1, const char* button2,
		const char* button3, button_width width, button_spacing spacing,
		alert_type type = B_INFO_ALERT);
	~BAlert() override;

	void DispatchMessage(BMessage* message, BHandler* handler) override;
	void MessageReceived(BMessage* message) override;
	bool QuitRequested() override;

	void SetShortcut(int32 index, char key);
	char Shortcut(int32 index) const;

	int32 Go();
	status_t Go(BInvoker* invoker);

	BButton* ButtonAt(int32 index) const;
	int32 CountButtons() const { return static_cast<int32>(fButtons.size()); }
	BTextView* TextView() const { return fTextView; }
	alert_type Type() const { return fType; }

private:
	void _Build(const char* text, const char* button1, const char* button2,
		const char* button3, button_width width, button_spacing spacing);
	void _Layout(button_width width, button_spacing spacing);
	int32 _AnswerUnseen();
	void _Finish(int32 which);

	alert_type fType;
	std::vector<BButton*> fButtons;  // children of the alert's view
	std::vector<char> fShortcuts;
	BPrivate::AlertPanel* fPanel;    // the window's child
	BTextView* fTextView;            // the panel's child
	std::unique_ptr<BInvoker> fInvoker;
	std::shared_ptr<BPrivate::AlertOutcome> fOutcome;
};

#endif
