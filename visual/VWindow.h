#ifndef VELMORA_VWINDOW_H
#define VELMORA_VWINDOW_H

#include <atomic>
#include <memory>
#include <string>

#include "PageWindow.h"

class Visual_Engine;

// The visual window of one page: the page's engine with its text in a
// scroll view, and a status bar at the bottom that long work reports its
// progress in. Activated after the HTML was edited, it rebuilds the
// visual view from the HTML.
class VWindow : public PageWindow {
public:
	VWindow(BRect frame, const char* title, WindowedPage* page);
	~VWindow() override;

	Visual_Engine* Engine() const { return engine.get(); }

	// 'tset' with the pointer "element" (an Anchor of the page) and the
	// int32 "flag" (an insertflag) opens the link's settings; what the
	// settings window keeps comes back here.
	void MessageReceived(BMessage* message) override;

	// Between these the window takes no commands.
	void Working();
	void FinishedWorking();
	bool IsWorking() const { return working.load(); }

	// The status bar; from any thread (they take the window's lock and do
	// nothing when it cannot be had).
	void ResetProgress(const char* text = nullptr);
	void ShowProgress(float value, const char* label);
	float ProgressValue() const;
	std::string ProgressLabel() const;

protected:
	PageWindow* Partner() const override;
	void TakeOverPartnerEdits() override;

private:
	void OpenTagSettings(const BMessage* message);
	void TakeTagSettings(const BMessage* message);

	std::unique_ptr<Visual_Engine> engine;
	std::atomic<bool> working;
	float progressValue;
	std::string progressLabel;
};

#endif
