#ifndef VELMORA_VFINDER_H
#define VELMORA_VFINDER_H

#include "KFinder.h"

class Visual_Engine;

// The find-and-replace window of the visual window, bound to the text of
// the page's engine.
class VFinder : public KFinder {
public:
	// Starts its own message loop; it shows when asked to.
	VFinder(Visual_Engine* engine, BWindow* window);

	Visual_Engine* Engine() const { return engine; }

private:
	Visual_Engine* engine;	// not owned: the window's
};

#endif
