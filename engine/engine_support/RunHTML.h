#ifndef VELMORA_RUN_HTML_H
#define VELMORA_RUN_HTML_H

#include <string>

#include <SupportDefs.h>

class Visual_Engine;

// The HTML a stretch of the page writes when the page is generated, made
// whole for another program: the pairs open at its start are opened in
// front of it and those open at its end closed behind it, so that a word
// processor or a browser's editor that takes it keeps its styles.
class RunHTML {
public:
	// [from, to) of the engine's text; empty for an empty or bad range.
	// Takes the engine lock.
	static std::string Of(Visual_Engine& engine, int32 from, int32 to);
};

#endif
