#ifndef VELMORA_VWINDOW_H
#define VELMORA_VWINDOW_H

#include <atomic>
#include <string>

#include <Window.h>

class Page;
class Visual_Engine;

// The visual window of one page: the page's engine with its view in a
// scroll view, and a status bar at the bottom that long work reports its
// progress in. It keeps the page's "changed" state of the visual side and
// rebuilds the visual view from the HTML when it is activated after the
// HTML was edited.
class VWindow : public BWindow {
public:
	VWindow(BRect frame, const char* title, Page* page);
	~VWindow() override;

	void Quit() override;
	bool QuitRequested() override;
	void MessageReceived(BMessage* message) override;
	void WindowActivated(bool active) override;

	Visual_Engine* Engine() const { return engine; }

	// The visual side has edits the page's HTML does not hold yet.
	void Changed();
	void NotChanged() { changed = false; }
	bool IsChanged() const { return changed.load(); }
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

private:
	Visual_Engine* engine;	// owned
	Page* page;				// not owned: the page owns the window
	std::atomic<bool> changed;
	std::atomic<bool> working;
	float progressValue;
	std::string progressLabel;
};

#endif
