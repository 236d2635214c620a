#ifndef _SCREEN_H
#define _SCREEN_H

#include <GraphicsDefs.h>
#include <InterfaceDefs.h>
#include <Rect.h>

class BWindow;

// The screen a window is on. There is one screen: the desktop's, or
// headless a 1024 x 768 one (tests may set another size).
class BScreen {
public:
	explicit BScreen(screen_id id = B_MAIN_SCREEN_ID);
	explicit BScreen(BWindow* window);

	bool IsValid() const { return fValid; }
	status_t SetToNext() { return B_ERROR; }
	screen_id ID() const { return B_MAIN_SCREEN_ID; }
	// (0, 0) to (width - 1, height - 1).
	BRect Frame() const;
	color_space ColorSpace() const { return B_RGB32; }

private:
	bool fValid;
};

#endif
