#include "RestyleRuns.h"

#include <algorithm>

#include <TextView.h>

#include "Environment.h"

namespace {

const rgb_color kBlack = {0, 0, 0, 255};
constexpr float kSmallestSize = 1;

// The font of collapsed room: it adds no height to a line.
BFont Smallest()
{
	BFont font;
	font.SetSize(kSmallestSize);
	return font;
}

} // namespace

RestyleRuns::RestyleRuns(BTextView* view, int32 start)
	:
	fView(view),
	fStart(start),
	fEnd(start)
{
}

void RestyleRuns::AddRun(int32 offset, const BFont& font, rgb_color color)
{
	if (!fRuns.empty() && fRuns.back().offset == offset)
		fRuns.pop_back();
	if (!fRuns.empty() && fRuns.back().font == font && fRuns.back().color == color)
		return;
	fRuns.push_back(Run{offset, font, color});
	// The last run stays: the next may replace it or take it in.
	if (fRuns.size() > kRunsPerBatch)
		ApplyFirst(fRuns.size() - 1, fRuns.back().offset);
}

void RestyleRuns::Add(Environment* environment, int32 from, int32 to, bool collapsed)
{
	if (from >= to)
		return;
	fEnd = std::max(fEnd, to);
	const BFont* current = environment->Font();
	BFont font = current != nullptr ? *current : BFont();
	rgb_color color = environment->Color() != nullptr ? *environment->Color() : kBlack;
	if (environment->placeholderTo <= environment->placeholderFrom) {
		AddRun(from, font, color);
		return;
	}
	int32 placeholderFrom = std::max(environment->placeholderFrom, from);
	int32 placeholderTo = environment->placeholderTo;
	bool aloneOnItsLine = from > 0 && fView->ByteAt(from - 1) == '\n';
	if (from < placeholderFrom && collapsed && aloneOnItsLine)
		AddRun(from, Smallest(), color);
	else if (from < placeholderFrom)
		AddLineEndRun(from);
	if (collapsed)
		AddRun(placeholderFrom, Smallest(), color);
	else if (environment->placeholderFont != nullptr)
		AddRun(placeholderFrom, *environment->placeholderFont, color);
	else
		AddRun(placeholderFrom, font, color);
	if (placeholderTo < to)
		AddRun(placeholderTo, font, color);
	environment->placeholderFont = nullptr;
	environment->placeholderFrom = 0;
	environment->placeholderTo = -1;
}

// The element's line feed in front of its room ends the line before it:
// set in the style of that line's text, it leaves the line its height.
void RestyleRuns::AddLineEndRun(int32 offset)
{
	if (!fRuns.empty()) {
		Run before = fRuns.back();
		AddRun(offset, before.font, before.color);
		return;
	}
	BFont font;
	rgb_color color = kBlack;
	if (offset > 0)
		fView->GetFontAndColor(offset - 1, &font, &color);
	AddRun(offset, font, color);
}

void RestyleRuns::Apply()
{
	if (fRuns.empty() || fEnd <= fStart)
		return;
	ApplyFirst(fRuns.size(), fEnd);
}

void RestyleRuns::ApplyFirst(size_t count, int32 end)
{
	text_run_array* runs = BTextView::AllocRunArray(static_cast<int32>(count));
	if (runs == nullptr)
		return;
	runs->count = static_cast<int32>(count);
	for (size_t i = 0; i < count; i++) {
		runs->runs[i].offset = fRuns[i].offset - fStart;
		runs->runs[i].font = fRuns[i].font;
		runs->runs[i].color = fRuns[i].color;
	}
	fView->SetRunArray(fStart, end, runs);
	BTextView::FreeRunArray(runs);
	fRuns.erase(fRuns.begin(), fRuns.begin() + count);
	fStart = end;
}
