#include "StyleBuffer.h"

#include <algorithm>
#include <cstring>

namespace BPrivate {

namespace {

int32 Clamp(int32 value, int32 low, int32 high)
{
	return std::max(low, std::min(value, high));
}

// The font properties SetFontAndColor() can take from a font one by one;
// family, style and face go together (see Combined()).
void CopyProperties(BFont& target, const BFont& source, uint32 mode)
{
	if ((mode & B_FONT_SIZE) != 0)
		target.SetSize(source.Size());
	if ((mode & B_FONT_SHEAR) != 0)
		target.SetShear(source.Shear());
	if ((mode & B_FONT_ROTATION) != 0)
		target.SetRotation(source.Rotation());
	if ((mode & B_FONT_SPACING) != 0)
		target.SetSpacing(source.Spacing());
	if ((mode & B_FONT_ENCODING) != 0)
		target.SetEncoding(source.Encoding());
	if ((mode & B_FONT_FLAGS) != 0)
		target.SetFlags(source.Flags());
}

// The style with the properties named by mode taken from font, and the
// colour, when given. A new family and style bring their own face, unless
// the face is named as well; a face alone picks the matching style of the
// family the text already has.
TextStyle Combined(const TextStyle& style, uint32 mode, const BFont* font, const rgb_color* color)
{
	TextStyle result = style;
	if (font != nullptr) {
		if ((mode & B_FONT_FAMILY_AND_STYLE) != 0) {
			result.font = *font;
			CopyProperties(result.font, style.font, ~mode);
		} else {
			CopyProperties(result.font, *font, mode);
			if ((mode & B_FONT_FACE) != 0 && result.font.Face() != font->Face())
				result.font.SetFace(font->Face());
		}
	}
	if (color != nullptr)
		result.color = *color;
	return result;
}

// The properties in which two fonts differ, as a B_FONT_* mask.
uint32 Differences(const BFont& a, const BFont& b)
{
	uint32 mode = 0;
	font_family familyA, familyB;
	font_style styleA, styleB;
	a.GetFamilyAndStyle(&familyA, &styleA);
	b.GetFamilyAndStyle(&familyB, &styleB);
	if (strcmp(familyA, familyB) != 0 || strcmp(styleA, styleB) != 0)
		mode |= B_FONT_FAMILY_AND_STYLE;
	if (a.Size() != b.Size())
		mode |= B_FONT_SIZE;
	if (a.Shear() != b.Shear())
		mode |= B_FONT_SHEAR;
	if (a.Rotation() != b.Rotation())
		mode |= B_FONT_ROTATION;
	if (a.Spacing() != b.Spacing())
		mode |= B_FONT_SPACING;
	if (a.Encoding() != b.Encoding())
		mode |= B_FONT_ENCODING;
	if (a.Face() != b.Face())
		mode |= B_FONT_FACE;
	if (a.Flags() != b.Flags())
		mode |= B_FONT_FLAGS;
	return mode;
}

} // namespace

StyleBuffer::StyleBuffer(const BFont& font, const rgb_color& color)
	:
	fNullStyle{font, color}
{
}

// #pragma mark - Style records

int32 StyleBuffer::_Acquire(const TextStyle& style)
{
	int32 freeSlot = -1;
	for (size_t i = 0; i < fStyles.size(); i++) {
		if (fStyles[i].refs == 0) {
			if (freeSlot < 0)
				freeSlot = static_cast<int32>(i);
		} else if (fStyles[i].style == style) {
			fStyles[i].refs++;
			return static_cast<int32>(i);
		}
	}
	if (freeSlot < 0) {
		freeSlot = static_cast<int32>(fStyles.size());
		fStyles.push_back(StyleRecord{style, 0});
	} else {
		fStyles[freeSlot].style = style;
	}
	fStyles[freeSlot].refs = 1;
	return freeSlot;
}

void StyleBuffer::_Release(int32 style)
{
	fStyles[style].refs--;
}

int32 StyleBuffer::CountStyles() const
{
	return static_cast<int32>(std::count_if(fStyles.begin(), fStyles.end(),
		[](const StyleRecord& record) { return record.refs > 0; }));
}

// #pragma mark - Runs

int32 StyleBuffer::RunIndexAt(int32 offset) const
{
	if (fRuns.Count() == 0)
		return -1;
	offset = Clamp(offset, 0, fLength - 1);
	return fRuns.PartitionPoint(
		[offset](const RunRecord& run) { return run.offset <= offset; }) - 1;
}

StyleBuffer::Run StyleBuffer::RunAt(int32 index) const
{
	RunRecord run = fRuns.At(index);
	int32 end = index + 1 < fRuns.Count() ? fRuns.At(index + 1).offset : fLength;
	return Run{run.offset, end, run.style};
}

void StyleBuffer::_SplitAt(int32 offset)
{
	if (offset <= 0 || offset >= fLength)
		return;
	int32 index = RunIndexAt(offset);
	RunRecord run = fRuns.At(index);
	if (run.offset == offset)
		return;
	fStyles[run.style].refs++;
	fRuns.Insert(index + 1, RunRecord{offset, run.style});
}

// Joins the run at index to the one before it when both have one style.
void StyleBuffer::_MergeAt(int32 index)
{
	if (index <= 0 || index >= fRuns.Count())
		return;
	RunRecord run = fRuns.At(index);
	if (fRuns.At(index - 1).style != run.style)
		return;
	_Release(run.style);
	fRuns.Erase(index, index + 1);
}

void StyleBuffer::_ApplyToWholeText(const TextStyle& style)
{
	for (int32 i = 0; i < fRuns.Count(); i++)
		_Release(fRuns.At(i).style);
	fRuns.Clear();
	if (fLength > 0)
		fRuns.Insert(0, RunRecord{0, _Acquire(style)});
}

// #pragma mark - Text edits

// Typing inside a run of the inserted text's style only moves the runs
// behind it: no run is created, looked up by style or merged.
bool StyleBuffer::_ExtendsNeighbour(int32 offset, int32 length, const TextStyle& style)
{
	if (fRuns.Count() == 0)
		return false;
	int32 index = RunIndexAt(offset > 0 ? offset - 1 : 0);
	if (Style(fRuns.At(index).style) != style)
		return false;
	fRuns.ShiftFrom(index + 1, length);
	fLength += length;
	return true;
}

void StyleBuffer::InsertText(int32 offset, int32 length, const text_run_array* runs)
{
	if (length <= 0)
		return;
	offset = Clamp(offset, 0, fLength);
	TextStyle style = InsertionStyle(offset);
	bool typingOn = offset == fNullStyleOffset;
	if (!_ExtendsNeighbour(offset, length, style)) {
		_SplitAt(offset);
		int32 index = fRuns.PartitionPoint(
			[offset](const RunRecord& run) { return run.offset < offset; });
		fRuns.ShiftFrom(index, length);
		fRuns.Insert(index, RunRecord{offset, _Acquire(style)});
		fLength += length;
		_MergeAt(index + 1);
		_MergeAt(index);
	}
	bool restyled = fStylable && runs != nullptr && runs->count > 0;
	if (restyled)
		_ApplyRuns(offset, offset + length, runs);
	fNullStyleOffset = typingOn && !restyled ? offset + length : -1;
}

void StyleBuffer::RemoveText(int32 from, int32 to)
{
	from = Clamp(from, 0, fLength);
	to = Clamp(to, from, fLength);
	if (from == to)
		return;
	fNullStyleOffset = -1;
	int32 count = to - from;
	if (count == fLength) {
		// Text typed into the emptied view goes on in the style it had.
		fNullStyle = StyleAt(0);
		fLength = 0;
		_ApplyToWholeText(fNullStyle);
		return;
	}
	int32 first = RunIndexAt(from);
	Run run = RunAt(first);
	if (to < run.end || (to == run.end && from > run.start)) {
		fRuns.ShiftFrom(first + 1, -count);
		fLength -= count;
		return;
	}
	_SplitAt(from);
	_SplitAt(to);
	int32 begin = fRuns.PartitionPoint([from](const RunRecord& r) { return r.offset < from; });
	int32 end = fRuns.PartitionPoint([to](const RunRecord& r) { return r.offset < to; });
	for (int32 i = begin; i < end; i++)
		_Release(fRuns.At(i).style);
	fRuns.Erase(begin, end);
	fRuns.ShiftFrom(begin, -count);
	fLength -= count;
	_MergeAt(begin);
}

void StyleBuffer::SetText(int32 length, const text_run_array* runs)
{
	if (fLength > 0)
		fNullStyle = StyleAt(0);
	fLength = std::max<int32>(length, 0);
	fNullStyleOffset = -1;
	_ApplyToWholeText(fNullStyle);
	if (fStylable)
		_ApplyRuns(0, fLength, runs);
}

// #pragma mark - Styles

void StyleBuffer::SetStyleRange(int32 from, int32 to, uint32 mode, const BFont* font,
	const rgb_color* color)
{
	if (!fStylable) {
		fNullStyle = Combined(fNullStyle, mode, font, color);
		_ApplyToWholeText(fNullStyle);
		return;
	}
	from = Clamp(from, 0, fLength);
	to = Clamp(to, from, fLength);
	if (from == to)
		return;
	bool changes = false;
	int32 last = RunIndexAt(to - 1);
	for (int32 i = RunIndexAt(from); i <= last && !changes; i++) {
		const TextStyle& old = Style(fRuns.At(i).style);
		changes = Combined(old, mode, font, color) != old;
	}
	if (!changes)
		return;
	_SplitAt(from);
	_SplitAt(to);
	int32 begin = fRuns.PartitionPoint([from](const RunRecord& r) { return r.offset < from; });
	int32 end = fRuns.PartitionPoint([to](const RunRecord& r) { return r.offset < to; });
	for (int32 i = begin; i < end; i++) {
		RunRecord run = fRuns.At(i);
		int32 style = _Acquire(Combined(Style(run.style), mode, font, color));
		_Release(run.style);
		run.style = style;
		fRuns.Set(i, run);
	}
	_MergeAt(end);
	for (int32 i = end - 1; i >= begin; i--)
		_MergeAt(i);
}

void StyleBuffer::_ApplyRuns(int32 from, int32 to, const text_run_array* runs)
{
	if (runs == nullptr)
		return;
	int32 length = to - from;
	for (int32 i = 0; i < runs->count; i++) {
		int32 start = Clamp(runs->runs[i].offset, 0, length);
		int32 end = i + 1 < runs->count ? Clamp(runs->runs[i + 1].offset, start, length) : length;
		SetStyleRange(from + start, from + end, B_FONT_ALL, &runs->runs[i].font,
			&runs->runs[i].color);
	}
}

void StyleBuffer::SetRunArray(int32 from, int32 to, const text_run_array* runs)
{
	from = Clamp(from, 0, fLength);
	to = Clamp(to, from, fLength);
	_ApplyRuns(from, to, runs);
}

// #pragma mark - Colour runs

// Calls visit(start, end, style, color) for each piece of from .. to over
// which both the style run and the colour run stay the same; color is
// null before the first colour run. Colour offsets count from base.
template <typename Visit>
void StyleBuffer::_ForEachColorPiece(int32 from, int32 to, int32 base, const color_run* runs,
	int32 count, Visit visit) const
{
	int32 next = 0;
	auto colorStart = [&](int32 index) { return base + std::max(runs[index].offset, 0); };
	while (next < count && colorStart(next) <= from)
		next++;
	int32 runIndex = RunIndexAt(from);
	for (int32 position = from; position < to;) {
		Run run = RunAt(runIndex);
		int32 end = std::min(to, run.end);
		if (next < count)
			end = std::min(end, colorStart(next));
		visit(position, end, run.style, next > 0 ? &runs[next - 1].color : nullptr);
		position = end;
		if (position >= run.end)
			runIndex++;
		while (next < count && colorStart(next) <= position)
			next++;
	}
}

StyleBuffer::Range StyleBuffer::_ChangedColors(int32 from, int32 to, const color_run* runs,
	int32 count) const
{
	Range changed{to, to};
	_ForEachColorPiece(from, to, from, runs, count,
		[&](int32 start, int32 end, int32 style, const rgb_color* color) {
			if (color == nullptr || Style(style).color == *color)
				return;
			if (changed.start == to)
				changed.start = start;
			changed.end = end;
		});
	if (changed.start == to)
		changed.end = to;
	return changed;
}

// Puts records in place of the runs begin .. end - 1, which they cover
// exactly, moving the runs behind only when their number differs.
void StyleBuffer::_ReplaceRuns(int32 begin, int32 end, const std::vector<RunRecord>& records)
{
	for (int32 i = begin; i < end; i++)
		_Release(fRuns.At(i).style);
	int32 count = static_cast<int32>(records.size());
	int32 common = std::min(count, end - begin);
	for (int32 i = 0; i < common; i++)
		fRuns.Set(begin + i, records[i]);
	if (count > common)
		fRuns.Insert(begin + common,
			std::vector<RunRecord>(records.begin() + common, records.end()));
	else
		fRuns.Erase(begin + count, end);
	_MergeAt(begin + count);
	_MergeAt(begin);
}

StyleBuffer::Range StyleBuffer::SetColorRuns(int32 from, int32 to, const color_run* runs,
	int32 count)
{
	from = Clamp(from, 0, fLength);
	to = Clamp(to, from, fLength);
	if (!fStylable || runs == nullptr || count <= 0 || from == to)
		return Range{from, from};
	Range changed = _ChangedColors(from, to, runs, count);
	if (changed.start == changed.end)
		return changed;
	// The runs the change touches are written anew from their first start
	// to their last end: what lies outside the change keeps its style.
	int32 begin = RunIndexAt(changed.start);
	int32 end = RunIndexAt(changed.end - 1) + 1;
	std::vector<RunRecord> records;
	// A colour given to one style is given to the next piece of it alike;
	// each style made holds a reference until the records hold theirs.
	struct Recolored {
		int32 style;
		rgb_color color;
		int32 result;
	};
	std::vector<Recolored> made;
	auto add = [&](int32 start, int32 style) {
		if (!records.empty() && records.back().style == style)
			return;
		fStyles[style].refs++;
		records.push_back(RunRecord{start, style});
	};
	auto recolored = [&](int32 style, const rgb_color& color) {
		for (const Recolored& known : made) {
			if (known.style == style && known.color == color)
				return known.result;
		}
		TextStyle wanted = Style(style);
		wanted.color = color;
		int32 result = _Acquire(wanted);
		made.push_back(Recolored{style, color, result});
		return result;
	};
	Run first = RunAt(begin);
	if (first.start < changed.start)
		add(first.start, first.style);
	_ForEachColorPiece(changed.start, changed.end, from, runs, count,
		[&](int32 start, int32, int32 style, const rgb_color* color) {
			add(start, color != nullptr ? recolored(style, *color) : style);
		});
	Run last = RunAt(end - 1);
	if (last.end > changed.end)
		add(changed.end, last.style);
	_ReplaceRuns(begin, end, records);
	for (const Recolored& known : made)
		_Release(known.result);
	return changed;
}

RunArrayPointer StyleBuffer::GetRunArray(int32 from, int32 to) const
{
	from = Clamp(from, 0, fLength);
	to = Clamp(to, from, fLength);
	if (from == to) {
		RunArrayPointer array(AllocRunArray(1));
		if (array) {
			TextStyle style = InsertionStyle(from);
			array->runs[0] = text_run{0, style.font, style.color};
		}
		return array;
	}
	int32 first = RunIndexAt(from);
	int32 last = RunIndexAt(to - 1);
	RunArrayPointer array(AllocRunArray(last - first + 1));
	if (!array)
		return array;
	for (int32 i = first; i <= last; i++) {
		Run run = RunAt(i);
		const TextStyle& style = Style(run.style);
		array->runs[i - first] = text_run{std::max(run.start, from) - from, style.font, style.color};
	}
	return array;
}

const TextStyle& StyleBuffer::StyleAt(int32 offset) const
{
	if (fRuns.Count() == 0)
		return fNullStyle;
	return Style(fRuns.At(RunIndexAt(offset)).style);
}

void StyleBuffer::ContinuousGetStyle(int32 from, int32 to, TextStyle* style, uint32* mode,
	bool* sameColor) const
{
	from = Clamp(from, 0, fLength);
	to = Clamp(to, from, fLength);
	TextStyle first = from < to ? StyleAt(from) : InsertionStyle(from);
	uint32 differences = 0;
	bool colorDiffers = false;
	if (from < to) {
		int32 firstRun = RunIndexAt(from);
		int32 lastRun = RunIndexAt(to - 1);
		int32 firstIndex = fRuns.At(firstRun).style;
		for (int32 i = firstRun + 1; i <= lastRun; i++) {
			int32 index = fRuns.At(i).style;
			if (index == firstIndex)
				continue;
			differences |= Differences(first.font, Style(index).font);
			colorDiffers |= Style(index).color != first.color;
		}
	}
	if (style != nullptr)
		*style = first;
	if (mode != nullptr)
		*mode = B_FONT_ALL & ~differences;
	if (sameColor != nullptr)
		*sameColor = !colorDiffers;
}

// #pragma mark - Null style

TextStyle StyleBuffer::InsertionStyle(int32 offset) const
{
	if (!fStylable || fLength == 0 || offset == fNullStyleOffset)
		return fNullStyle;
	return StyleAt(offset > 0 ? offset - 1 : 0);
}

void StyleBuffer::SetNullStyle(int32 offset, uint32 mode, const BFont* font,
	const rgb_color* color)
{
	offset = Clamp(offset, 0, fLength);
	fNullStyle = Combined(InsertionStyle(offset), mode, font, color);
	if (!fStylable) {
		_ApplyToWholeText(fNullStyle);
		return;
	}
	fNullStyleOffset = offset;
}

void StyleBuffer::SetStylable(bool stylable)
{
	if (stylable == fStylable)
		return;
	fStylable = stylable;
	if (stylable)
		return;
	if (fLength > 0)
		fNullStyle = StyleAt(0);
	_ApplyToWholeText(fNullStyle);
}

} // namespace BPrivate
