#include "TextRuns.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace BPrivate {

namespace {

size_t RunArraySize(int32 count)
{
	return sizeof(text_run_array) + (count - 1) * sizeof(text_run);
}

} // namespace

text_run_array* AllocRunArray(int32 count, int32* outSize)
{
	count = std::max<int32>(count, 0);
	int32 allocated = std::max<int32>(count, 1);
	size_t size = RunArraySize(allocated);
	void* memory = malloc(size);
	if (memory == nullptr)
		return nullptr;
	text_run_array* array = static_cast<text_run_array*>(memory);
	array->count = count;
	for (int32 i = 0; i < allocated; i++)
		new (&array->runs[i]) text_run{0, BFont(), make_color(0, 0, 0)};
	if (outSize != nullptr)
		*outSize = static_cast<int32>(size);
	return array;
}

void FreeRunArray(text_run_array* array)
{
	// The runs hold nothing to release: BFont and rgb_color are values.
	free(array);
}

} // namespace BPrivate
