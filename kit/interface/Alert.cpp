#include <Alert.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include <Button.h>
#include <DisplayServer.h>
#include <Invoker.h>
#include <Message.h>
#include <OS.h>
#include <Screen.h>
#include <TextView.h>
#include <WindowPrivate.h>
#include <WindowTesting.h>

#include "control_support/AlertDisplay.h"
#include "control_support/AlertPanel.h"
#include "control_support/ControlLook.h"

using BPrivate::AlertPanel;
using BPrivate::ControlLook;

namespace BPrivate {

// What Go() waits for. Shared, because the alert deletes itself as soon as
// a button is chosen, while the caller may not have looked yet.
struct AlertOutcome {
	std::atomic<int32> which{-1};
	std::atomic<bool> done{false};
};

namespace {

std::atomic<bool> sShownHeadless{false};

} // namespace

void SetAlertWindowsShownHeadless(bool shown)
{
	sShownHeadless = shown;
}

bool AlertWindowsShownHeadless()
{
	return sShownHeadless;
}

} // namespace BPrivate

namespace {

const uint32 kButtonChosen = '_ALB';
const float kMinimumWidth = 340;
const float kButtonSpacing = 8;
const float kOffsetSpacing = 30;

const uint32 kAlertFlags = B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE
	| B_NOT_CLOSABLE | B_ASYNCHRONOUS_CONTROLS;

float LabelWidth(BButton* button)
{
	return std::ceil(button->StringWidth(button->Label()))
		+ 2 * (ControlLook::kDefaultRingInset + 8);
}

// The widths of the buttons, left to right.
std::vector<float> ButtonWidths(const std::vector<BButton*>& buttons, button_width rule)
{
	std::vector<float> widths;
	for (BButton* button : buttons) {
		float preferred = 0;
		button->GetPreferredSize(&preferred, nullptr);
		widths.push_back(rule == B_WIDTH_FROM_LABEL ? LabelWidth(button) : preferred + 1);
	}
	if (rule == B_WIDTH_FROM_WIDEST) {
		float widest = *std::max_element(widths.begin(), widths.end());
		std::fill(widths.begin(), widths.end(), widest);
	}
	return widths;
}

// Tabs would draw as boxes and carriage returns as nothing useful.
std::string Plain(const char* text)
{
	std::string plain;
	for (const char* c = text != nullptr ? text : ""; *c != '\0'; c++) {
		if (*c == '\t')
			plain += ' ';
		else if (*c != '\r')
			plain += *c;
	}
	return plain;
}

// No display can show the alert when it would be shown from the main
// thread on the desktop: that thread runs the display loop, which has not
// started yet or has ended.
bool CanReachTheDisplay()
{
	if (BPrivate::DisplayServer::Default()->IsHeadless())
		return BPrivate::AlertWindowsShownHeadless();
	return find_thread(nullptr) != getpid();
}

} // namespace

BAlert::BAlert(const char* title, const char* text, const char* button1, const char* button2,
	const char* button3, button_width width, alert_type type)
	: BAlert(title, text, button1, button2, button3, width, B_EVEN_SPACING, type)
{
}

BAlert::BAlert(const char* title, const char* text, const char* button1, const char* button2,
	const char* button3, button_width width, button_spacing spacing, alert_type type)
	: BWindow(BRect(0, 0, kMinimumWidth - 1, 99), title, B_MODAL_WINDOW_LOOK,
		B_MODAL_APP_WINDOW_FEEL, kAlertFlags),
	  fType(type),
	  fPanel(nullptr),
	  fTextView(nullptr),
	  fOutcome(std::make_shared<BPrivate::AlertOutcome>())
{
	_Build(text, button1, button2, button3, width, spacing);
}

BAlert::~BAlert() = default;

void BAlert::_Build(const char* text, const char* button1, const char* button2,
	const char* button3, button_width width, button_spacing spacing)
{
	auto* panel = new AlertPanel(Bounds(), fType);
	fPanel = panel;
	AddChild(panel);
	fTextView = new BTextView(BRect(0, 0, 10, 10), "_tv_", BRect(0, 0, 10, 10),
		B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW);
	fTextView->MakeEditable(false);
	fTextView->SetStylable(false);
	fTextView->SetWordWrap(true);
	fTextView->SetViewColor(ControlLook::PanelColor());
	fTextView->SetLowColor(ControlLook::PanelColor());
	fTextView->SetText(Plain(text).c_str());
	panel->AddChild(fTextView);
	// An alert without a button could never be answered.
	if (button1 == nullptr)
		button1 = "OK";
	for (const char* label : {button1, button2, button3}) {
		if (label == nullptr)
			break;
		auto* message = new BMessage(kButtonChosen);
		message->AddInt32("which", CountButtons());
		auto* button = new BButton(BRect(0, 0, 10, 10), label, label, message,
			B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
		panel->AddChild(button);
		fButtons.push_back(button);
		fShortcuts.push_back(0);
	}
	fButtons.back()->MakeDefault(true);
	fButtons.back()->MakeFocus(true);
	_Layout(width, spacing);
}

void BAlert::_Layout(button_width rule, button_spacing spacing)
{
	std::vector<float> widths = ButtonWidths(fButtons, rule);
	float buttonHeight = 0;
	fButtons.front()->GetPreferredSize(nullptr, &buttonHeight);
	float margin = AlertPanel::kMargin;
	float row = 0;
	for (float buttonWidth : widths)
		row += buttonWidth + kButtonSpacing;
	row -= kButtonSpacing;
	if (spacing == B_OFFSET_SPACING && fButtons.size() > 1)
		row += kOffsetSpacing;

	float width = std::max(kMinimumWidth, fPanel->TextLeft() + row + margin);
	float textWidth = width - fPanel->TextLeft() - margin;
	fTextView->MoveTo(fPanel->TextLeft(), margin);
	fTextView->ResizeTo(textWidth - 1, 10);
	fTextView->SetTextRect(BRect(0, 0, textWidth - 1, 10));
	float textHeight = fTextView->TextHeight(0, fTextView->CountLines() - 1);
	fTextView->ResizeTo(textWidth - 1, textHeight - 1);
	float top = std::max(margin + textHeight, fPanel->IconBottom()) + margin;
	float height = top + buttonHeight + 1 + margin - 4;
	ResizeTo(width - 1, height - 1);

	// From the right edge leftwards; the offset sets the first one apart.
	float right = width - margin + ControlLook::kDefaultRingInset;
	for (size_t i = fButtons.size(); i-- > 0;) {
		if (i == 0 && spacing == B_OFFSET_SPACING && fButtons.size() > 1)
			right -= kOffsetSpacing;
		fButtons[i]->MoveTo(right - widths[i], top);
		fButtons[i]->ResizeTo(widths[i] - 1, buttonHeight);
		right -= widths[i] + kButtonSpacing;
	}

	BRect screen = BScreen(this).Frame();
	MoveTo(std::floor(screen.left + (screen.Width() - width) / 2),
		std::floor(screen.top + (screen.Height() - height) / 3));
}

void BAlert::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_KEY_DOWN && handler == this) {
		const char* bytes = nullptr;
		int32 modifiers = 0;
		message->FindInt32("modifiers", &modifiers);
		if (message->FindString("bytes", &bytes) == B_OK && strlen(bytes) == 1
			&& (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0) {
			for (int32 i = 0; i < CountButtons(); i++) {
				char key = fShortcuts[i];
				if (key != 0 && tolower(static_cast<unsigned char>(key))
						== tolower(static_cast<unsigned char>(bytes[0]))) {
					// Pressed as Space presses a focused button.
					fButtons[i]->KeyDown(" ", 1);
					UpdateIfNeeded();
					return;
				}
			}
		}
	}
	BWindow::DispatchMessage(message, handler);
}

void BAlert::MessageReceived(BMessage* message)
{
	if (message->what != kButtonChosen) {
		BWindow::MessageReceived(message);
		return;
	}
	int32 which = -1;
	if (message->FindInt32("which", &which) != B_OK || fOutcome->done)
		return;
	_Finish(which);
	Quit();
}

bool BAlert::QuitRequested()
{
	// Closed without a choice: Go() answers -1.
	_Finish(-1);
	return true;
}

void BAlert::SetShortcut(int32 index, char key)
{
	if (index >= 0 && index < CountButtons())
		fShortcuts[index] = key;
}

char BAlert::Shortcut(int32 index) const
{
	return index >= 0 && index < CountButtons() ? fShortcuts[index] : 0;
}

BButton* BAlert::ButtonAt(int32 index) const
{
	return index >= 0 && index < CountButtons() ? fButtons[index] : nullptr;
}

int32 BAlert::_AnswerUnseen()
{
	BPrivate::AlertRecord record;
	record.title = Title();
	record.text = fTextView->Text();
	for (BButton* button : fButtons)
		record.buttons.push_back(button->Label());
	// On the desktop, a message nobody could see still reaches the user.
	if (!BPrivate::DisplayServer::Default()->IsHeadless())
		fprintf(stderr, "%s: %s\n", record.title.c_str(), record.text.c_str());
	return BPrivate::AnswerAlertHeadless(record);
}

void BAlert::_Finish(int32 which)
{
	if (fOutcome->done)
		return;
	if (fInvoker != nullptr && fInvoker->Message() != nullptr) {
		BMessage message(*fInvoker->Message());
		message.RemoveName("which");
		message.AddInt32("which", which);
		fInvoker->Invoke(&message);
	}
	fOutcome->which = which;
	fOutcome->done = true;
}

int32 BAlert::Go()
{
	if (!CanReachTheDisplay()) {
		int32 which = _AnswerUnseen();
		Quit();
		return which;
	}
	std::shared_ptr<BPrivate::AlertOutcome> outcome = fOutcome;
	Show();
	// From here on the alert may be gone at any moment.
	BPrivate::WaitKeepingWindowUpdated([&outcome] { return outcome->done.load(); });
	return outcome->which;
}

status_t BAlert::Go(BInvoker* invoker)
{
	fInvoker.reset(invoker);
	if (!CanReachTheDisplay()) {
		_Finish(_AnswerUnseen());
		Quit();
		return B_OK;
	}
	Show();
	return B_OK;
}
