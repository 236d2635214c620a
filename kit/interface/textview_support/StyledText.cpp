#include "StyledText.h"

#include <algorithm>
#include <vector>

namespace BPrivate {

StyledText::StyledText(TextMeasurer& measurer, const BFont& font, const rgb_color& color)
	:
	fStyles(font, color),
	fLayout(fText, fStyles, measurer)
{
}

void StyledText::CharRange(int32* start, int32* finish) const
{
	*start = fText.CharBoundary(*start);
	int32 end = std::max(*start, std::min(*finish, fText.Length()));
	int32 boundary = fText.CharBoundary(end);
	*finish = boundary == end ? end : fText.NextCharOffset(boundary);
}

// Run offsets that fall inside a character are moved to its start, so that
// no style begins in the middle of one. The copy is made only when needed.
RunArrayPointer StyledText::_OnBoundaries(int32 start, int32 finish,
	const text_run_array* runs) const
{
	if (runs == nullptr || runs->count <= 0)
		return nullptr;
	auto misplaced = [&](const text_run& run) {
		int32 offset = start + std::clamp(run.offset, 0, finish - start);
		return fText.CharBoundary(offset) != offset;
	};
	if (std::none_of(runs->runs, runs->runs + runs->count, misplaced))
		return nullptr;
	RunArrayPointer copy(AllocRunArray(runs->count));
	if (!copy)
		return nullptr;
	for (int32 i = 0; i < runs->count; i++) {
		copy->runs[i] = runs->runs[i];
		int32 offset = start + std::clamp(runs->runs[i].offset, 0, finish - start);
		copy->runs[i].offset = fText.CharBoundary(offset) - start;
	}
	return copy;
}

LayoutChange StyledText::Insert(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	if (text == nullptr || length <= 0)
		return LayoutChange{0, -1, 0};
	offset = fText.CharBoundary(offset);
	fText.InsertText(text, length, offset);
	return _Inserted(offset, length, runs);
}

LayoutChange StyledText::InsertAdopted(MallocBlock block, int32 length,
	size_t size, const text_run_array* runs)
{
	if (fText.Length() > 0)
		return Insert(block.get(), length, 0, runs);
	if (block == nullptr || length <= 0)
		return LayoutChange{0, -1, 0};
	fText.Adopt(std::move(block), length, size);
	return _Inserted(0, length, runs);
}

LayoutChange StyledText::_Inserted(int32 offset, int32 length, const text_run_array* runs)
{
	RunArrayPointer placed = _OnBoundaries(offset, offset + length, runs);
	fStyles.InsertText(offset, length, placed ? placed.get() : runs);
	return fLayout.Relayout(offset, 0, length);
}

LayoutChange StyledText::Remove(int32 start, int32 finish)
{
	CharRange(&start, &finish);
	if (start == finish)
		return LayoutChange{0, -1, 0};
	fText.RemoveRange(start, finish);
	fStyles.RemoveText(start, finish);
	return fLayout.Relayout(start, finish - start, 0);
}

LayoutChange StyledText::SetStyle(int32 start, int32 finish, uint32 mode, const BFont* font,
	const rgb_color* color)
{
	if (!fStyles.IsStylable()) {
		fStyles.SetStyleRange(0, Length(), mode, font, color);
		return fLayout.Layout();
	}
	CharRange(&start, &finish);
	fStyles.SetStyleRange(start, finish, mode, font, color);
	if (start == finish)
		return LayoutChange{0, -1, 0};
	// A colour does not move text: the lines stay, they only need drawing,
	// unless nobody sees them.
	if (font == nullptr || (mode & B_FONT_ALL) == 0) {
		if (fLayout.Defers())
			return LayoutChange{0, -1, 0};
		return LayoutChange{fLayout.LineAt(start), fLayout.LineAt(finish - 1), 0};
	}
	return fLayout.Relayout(start, finish - start, finish - start);
}

LayoutChange StyledText::SetRunArray(int32 start, int32 finish, const text_run_array* runs)
{
	CharRange(&start, &finish);
	RunArrayPointer placed = _OnBoundaries(start, finish, runs);
	fStyles.SetRunArray(start, finish, placed ? placed.get() : runs);
	if (!fStyles.IsStylable())
		return fLayout.Layout();
	return fLayout.Relayout(start, finish - start, finish - start);
}

LayoutChange StyledText::SetColorRuns(int32 start, int32 finish, const color_run* runs,
	int32 count)
{
	int32 given = std::clamp(start, 0, Length());
	CharRange(&start, &finish);
	std::vector<color_run> placed;
	if (runs != nullptr && count > 0) {
		placed.assign(runs, runs + count);
		for (color_run& run : placed) {
			int32 offset = static_cast<int32>(std::clamp<int64>(int64(given) + run.offset, start,
				finish));
			run.offset = fText.CharBoundary(offset) - start;
		}
	}
	StyleBuffer::Range changed = fStyles.SetColorRuns(start, finish, placed.data(),
		static_cast<int32>(placed.size()));
	if (changed.start == changed.end || fLayout.Defers())
		return LayoutChange{0, -1, 0};
	return LayoutChange{fLayout.LineAt(changed.start), fLayout.LineAt(changed.end - 1), 0};
}

LayoutChange StyledText::SetNullStyle(int32 offset, uint32 mode, const BFont* font,
	const rgb_color* color)
{
	fStyles.SetNullStyle(fText.CharBoundary(offset), mode, font, color);
	if (Length() > 0 && fStyles.IsStylable())
		return LayoutChange{0, -1, 0};
	return fLayout.Layout();
}

LayoutChange StyledText::SetText(const char* text, int32 length, const text_run_array* runs)
{
	length = text != nullptr ? std::max(length, 0) : 0;
	fText.SetText(text, length);
	RunArrayPointer placed = _OnBoundaries(0, length, runs);
	fStyles.SetText(length, placed ? placed.get() : runs);
	return fLayout.Layout();
}

LayoutChange StyledText::SetStylable(bool stylable)
{
	fStyles.SetStylable(stylable);
	return fLayout.Layout();
}

} // namespace BPrivate
