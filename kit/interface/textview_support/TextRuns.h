#ifndef _VELMORA_TEXT_RUNS_H
#define _VELMORA_TEXT_RUNS_H

#include <cstdint>
#include <memory>
#include <string>

#include <Font.h>
#include <GraphicsDefs.h>

// A style run: the font and colour of the text from offset on, up to the
// next run. Offsets are relative to the start of the text the runs
// describe.
struct text_run {
	int32 offset;
	BFont font;
	rgb_color color;
};

// A colour run: the colour of the text from offset on, up to the next run,
// whatever its font. Offsets are relative to the start of the range the
// runs colour.
struct color_run {
	int32 offset;
	rgb_color color;
};

// A count followed by that many runs, allocated as one block by
// AllocRunArray() (runs[] extends past its declared length).
struct text_run_array {
	int32 count;
	text_run runs[1];
};

namespace BPrivate {

// Allocates count runs (room for at least one) with malloc, so that callers
// may release it with FreeRunArray(); *outSize gets the size in bytes.
text_run_array* AllocRunArray(int32 count, int32* outSize = nullptr);
void FreeRunArray(text_run_array* array);
// A copy of the first maxCount runs (of all by default).
text_run_array* CopyRunArray(const text_run_array* array, int32 maxCount = INT32_MAX);

// Runs as they travel between programs (clipboard and drag messages): a
// header ('Ali!', version 0, count) and per run its offset, font family
// and style names, size, shear, face and colour, numbers big-endian.
std::string FlattenRunArray(const text_run_array* array);
// Null when the data is not a whole flattened run array. A family that is
// not installed leaves the plain font with the run's size and face.
text_run_array* UnflattenRunArray(const void* data, size_t size);

struct RunArrayDeleter {
	void operator()(text_run_array* array) const { FreeRunArray(array); }
};
typedef std::unique_ptr<text_run_array, RunArrayDeleter> RunArrayPointer;

} // namespace BPrivate

#endif
