#ifndef VELMORA_ABOUT_WINDOW_H
#define VELMORA_ABOUT_WINDOW_H

#include <Window.h>

class About_View;

// The window of the About picture; making it runs the picture decoders'
// test (see About_View).
class About_Window : public BWindow {
public:
	About_Window();

	void Quit() override;
	About_View* View() const { return view; }

private:
	About_View* view;	// owned by the window
};

#endif
