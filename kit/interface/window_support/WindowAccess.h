#ifndef _VELMORA_WINDOW_ACCESS_H
#define _VELMORA_WINDOW_ACCESS_H

#include <View.h>
#include <Window.h>

#include "ViewData.h"
#include "WindowData.h"

namespace BPrivate {

// The window helpers' way to the private parts of views and windows.
class WindowAccess {
public:
	static ViewData& Of(const BView* view) { return *view->fData; }
	static WindowData& Of(const BWindow* window) { return *window->fData; }
	static Painter* PainterOf(BView* view) { return view->_Painter(); }
};

} // namespace BPrivate

#endif
