#ifndef VELMORA_RESTYLE_RUNS_H
#define VELMORA_RESTYLE_RUNS_H

#include <vector>

#include <Font.h>
#include <GraphicsDefs.h>

class BTextView;
class Environment;

// The styles a refresh gives a stretch of the visual text, gathered as runs
// and handed to the view a few thousand at a time: the view then lays the
// stretch out once per batch instead of once per element, and a big page's
// runs are never held whole (their copies took megabytes for a moment).
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
	// Hands the first count runs to the view; they end where the next one
	// begins, or at the end of the last stretch.
	void ApplyFirst(size_t count, int32 end);

	struct Run {
		int32 offset;
		BFont font;
		rgb_color color;
	};

	static constexpr size_t kRunsPerBatch = 4096;

	BTextView* fView;	// not owned
	// Where the runs not yet handed to the view begin.
	int32 fStart;
	int32 fEnd;
	std::vector<Run> fRuns;
};

#endif
