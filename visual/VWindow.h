#ifndef VELMORA_VWINDOW_H
#define VELMORA_VWINDOW_H

#include <memory>
#include <vector>

#include "PageWindow.h"

class BLooper;
class BView;
class ExtensionsFilePanel;
class KBBar;
class KBBarMenuField;
class VFinder;
class Visual_Engine;

// The visual window of one page, the program's main window: the main
// menu bar, an upper tool bar of picture buttons and a lower one of menus
// of formatting commands, the page's engine with its text between them and
// the status bar, which long work reports its progress in. Formatting
// commands of the menus and bars go straight to the engine's looper; the
// window runs the others. Activated after the HTML was edited, it rebuilds
// the visual view from the HTML.
class VWindow : public PageWindow {
public:
	// The page was read: the keys and edits kept meanwhile go in.
	static constexpr uint32 kTakeWaitingEdits = 'vwed';

	VWindow(BRect frame, const char* title, WindowedPage* page);
	~VWindow() override;

	void DispatchMessage(BMessage* message, BHandler* handler) override;
	void MessageReceived(BMessage* message) override;

	Visual_Engine* Engine() const { return engine.get(); }
	VFinder* Finder() const { return finder; }
	BMenuBar* MainMenu() const { return menuBar; }
	KBBar* UpperBar() const { return upperBar; }
	KBBar* LowerBar() const { return lowerBar; }

	// The width the title takes in the title bar, with room around it.
	float TitleBarWidth() const;

	// The status bar's progress; from any thread. The bar is drawn at once
	// (its window's thread may wait for the work it shows), at the end of
	// the work and at most every kProgressPause before it.
	void ResetProgress(const char* text = nullptr);
	void ShowProgress(float value, const char* label);

protected:
	PageWindow* Partner() const override;
	void TakeOverPartnerEdits() override;
	const char* TitlePrefix() const override { return "Velmora"; }
	void EnableCommand(uint32 command, bool enabled) override;

private:
	static bool WorksOnThePage(uint32 what);
	bool WaitsForThePage(const BMessage* message, const BHandler* handler) const;
	void TakeWaitingEdits();
	void OpenTagSettings(const BMessage* message);
	void TakeTagSettings(const BMessage* message);
	BView* AddBackground();
	void AddMainMenu(BView* back);
	void AddUpperBar(BView* back, float top);
	void AddLowerBar(BView* back, float top);
	KBBarMenuField* SpecialCharacters() const;
	void KeepBarsWhole();
	void AimAtEngine();

	std::unique_ptr<Visual_Engine> engine;
	KBBar* upperBar;		// a child of the window
	KBBar* lowerBar;		// a child of the window
	VFinder* finder;		// quit with the window
	std::unique_ptr<ExtensionsFilePanel> imagePanel;
	// Kept while the page was read, in the order they came.
	std::vector<std::unique_ptr<BMessage>> waitingEdits;
	int32 editsOnTheirWay = 0;
	static constexpr const char* kWaited = "velmora:waited";
	static constexpr bigtime_t kProgressPause = 50000;
	bigtime_t progressDrawn = 0;
};

#endif
