#ifndef VELMORA_DECORATION_RUNS_H
#define VELMORA_DECORATION_RUNS_H

#include <vector>

#include <GraphicsDefs.h>
#include <SupportDefs.h>

class Visual_Engine;

// The stretches of [first, last] that are underlined or struck out, each
// with the colour of its text, found by applying the elements in order to
// the formatting in force at first. Read under the engine lock.
class DecorationRuns {
public:
	struct Run {
		int32 start;
		int32 finish;
		rgb_color color;
		bool underline;
		bool strike;
	};

	DecorationRuns(const Visual_Engine* engine, int32 first, int32 last);

	const std::vector<Run>& Runs() const { return fRuns; }

private:
	std::vector<Run> fRuns;
};

#endif
