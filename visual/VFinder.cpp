#include "VFinder.h"

VFinder::VFinder(Visual_Engine* engine, BWindow* window)
	:
	KFinder(window),
	engine(engine)
{
	Run();
}
