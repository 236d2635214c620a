#include "About_Window.h"

#include "About_View.h"

About_Window::About_Window()
	:
	BWindow(BRect(0, 0, 99, 99), "About_Window", B_MODAL_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL,
		B_NOT_RESIZABLE | B_NOT_ZOOMABLE),
	view(new About_View(BRect(0, 0, 99, 99)))
{
	AddChild(view);
}

void About_Window::Quit()
{
	Lock();
	BWindow::Quit();
}
