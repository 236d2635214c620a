#include "HFinder.h"

HFinder::HFinder(HTML_View* view, BWindow* window)
	:
	KFinder(window),
	view(view)
{
	Run();
}
