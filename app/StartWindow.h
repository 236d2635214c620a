#ifndef VELMORA_START_WINDOW_H
#define VELMORA_START_WINDOW_H

#include <string>

#include <Window.h>

class BStringView;

// The splash window shown while the program starts without a document:
// the program's logo with one line naming the current start step.
class StartWindow : public BWindow {
public:
	StartWindow();

	// From any thread.
	void SetText(const char* text);
	// The text line as it stands (takes the window's lock).
	std::string Text();
	void Quit() override;

private:
	BStringView* line;	// owned by the window
};

#endif
