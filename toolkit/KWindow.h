#ifndef VELMORA_KWINDOW_H
#define VELMORA_KWINDOW_H

#include <Window.h>

// A window that other threads can bring to the front without taking its
// lock: ShowInFront() posts a message that the window's own thread answers
// by showing the window when it is hidden, or activating it otherwise. A
// window that answers messages of its own hands the others to
// KWindow::MessageReceived.
class KWindow : public BWindow {
public:
	// What ShowInFront() posts; other threads may send it by messenger.
	static constexpr uint32 kShowInFront = 'shfr';

	using BWindow::BWindow;

	void MessageReceived(BMessage* message) override;

	// From any thread: shows the window, or brings it to the front.
	void ShowInFront();
};

#endif
