#ifndef VELMORA_COLORING_BACKLOG_H
#define VELMORA_COLORING_BACKLOG_H

#include <vector>

#include <SupportDefs.h>

// The stretches of a text that still wait for their colours, kept in step
// with the edits of the text, so that a long text can be coloured a piece
// at a time while it is being edited.
class ColoringBacklog {
public:
	bool IsEmpty() const { return fStretches.empty(); }
	void Clear() { fStretches.clear(); }

	void Add(int32 from, int32 to);
	// from .. to has its colours.
	void Remove(int32 from, int32 to);
	// The text changed: length bytes came in at offset; from .. to went.
	// Text that comes into a waiting stretch waits with it.
	void Inserted(int32 offset, int32 length);
	void Removed(int32 from, int32 to);

	// The next piece to colour, of at most limit bytes: what waits in
	// first .. last (the part in view) before anything else, else the
	// start of the first stretch. False when nothing waits.
	bool Next(int32 first, int32 last, int32 limit, int32* from, int32* to) const;

private:
	struct Stretch {
		int32 from;
		int32 to;
	};

	// Sorted, none empty, none touching another.
	std::vector<Stretch> fStretches;
};

#endif
