#ifndef VELMORA_RESTYLE_RUNS_H
#define VELMORA_RESTYLE_RUNS_H

#include <vector>

#include <Font.h>
#include <GraphicsDefs.h>

class BTextView;
class Environment;

// The styles a refresh gives a stretch of the visual text, gathered as runs
// and handed to the view at once: the view then lays the stretch out once
// instead of once per element.
class RestyleRuns {
public:
	RestyleRuns(BTextView* view, int32 start);

	// What Environment::SetText() would do to [from, to): without
	// placeholders the whole stretch takes the current font and colour;
	// with them, the text in front of them keeps its style, the
	// placeholders take their own font, the rest the current style. The
	// placeholders are used up. A collapsed room adds no height: its
	// placeholders, and a line feed in front of them that stands on a line
	// of its own, take the smallest font.
	void Add(Environment* environment, int32 from, int32 to, bool collapsed = false);
	// Applies the runs to the text from start to the end of the last
	// stretch added.
	void Apply();

private:
	void AddRun(int32 offset, const BFont& font, rgb_color color);
	void AddLineEndRun(int32 offset);

	struct Run {
		int32 offset;
		BFont font;
		rgb_color color;
	};

	BTextView* fView;	// not owned
	int32 fStart;
	int32 fEnd;
	std::vector<Run> fRuns;
};

#endif
