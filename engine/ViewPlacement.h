#ifndef VELMORA_VIEW_PLACEMENT_H
#define VELMORA_VIEW_PLACEMENT_H

#include <Point.h>
#include <Rect.h>
#include <SupportDefs.h>

// Where the space of an element shown as a view was last measured on its
// line. Measuring the characters in front of the space is what placing the
// view costs; an edit in front of the line moves the line and the space
// together and leaves the measures as they were, so that typing on a long
// page does not measure every picture behind the caret again.
struct ViewPlacement {
	bool measured = false;
	uint32 generation = 0;	// the text view's layout generation then
	int32 startInLine = 0;	// the space's start and end, from its line's start
	int32 endInLine = 0;
	float lineLeft = 0;		// PointAt() of the line's start, start and end
	float left = 0;
	float right = 0;
	// Where the view was put, of what size, with the text scrolled how far.
	BPoint placedAt;
	BRect bounds;
	float scrollTop = 0;
};

#endif
