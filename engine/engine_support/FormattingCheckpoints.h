#ifndef VELMORA_FORMATTING_CHECKPOINTS_H
#define VELMORA_FORMATTING_CHECKPOINTS_H

#include <memory>
#include <vector>

#include "Environment.h"

class Element_List;

// The formatting at an offset is every element before it applied in list
// order; on a long page that is a walk of hundreds of thousands of
// elements, too long for every keystroke. The formatting in force in front
// of every kStride-th element is kept, so that a walk starts at the
// nearest such checkpoint.
//
// A checkpoint holds while the elements in front of it are the same ones
// and format as they did. The list reports changes of its order (the
// checkpoints behind the change go); an element whose formatting changes
// in place is restyled by a refresh, which reports its start through
// Forget(). Used under the engine lock.
class FormattingCheckpoints {
public:
	explicit FormattingCheckpoints(const Element_List* list);

	// With unclosed, the tags that close exactly at offset are still open.
	std::unique_ptr<Environment> EnvironmentAt(long offset, bool unclosed);
	// The formatting of the elements from this index on may have changed.
	void ForgetFrom(unsigned long index);
	// The same for the elements from this offset on.
	void Forget(long offset);

private:
	static constexpr unsigned long kStride = 256;

	const Element_List* list;	// not owned: the engine's
	// checkpoints[k]: the formatting in force in front of index k * kStride.
	std::vector<std::unique_ptr<Environment>> checkpoints;
};

#endif
