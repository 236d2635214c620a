#include "htmlview_support/ColoringBacklog.h"

#include <algorithm>

void ColoringBacklog::Add(int32 from, int32 to)
{
	if (from >= to)
		return;
	// The stretches that touch the new one are joined into it.
	auto first = std::find_if(fStretches.begin(), fStretches.end(),
		[from](const Stretch& stretch) { return stretch.to >= from; });
	auto last = std::find_if(first, fStretches.end(),
		[to](const Stretch& stretch) { return stretch.from > to; });
	if (first != last) {
		from = std::min(from, first->from);
		to = std::max(to, (last - 1)->to);
	}
	first = fStretches.erase(first, last);
	fStretches.insert(first, Stretch{from, to});
}

void ColoringBacklog::Remove(int32 from, int32 to)
{
	if (from >= to)
		return;
	std::vector<Stretch> kept;
	kept.reserve(fStretches.size() + 1);
	for (const Stretch& stretch : fStretches) {
		if (stretch.to <= from || stretch.from >= to) {
			kept.push_back(stretch);
			continue;
		}
		if (stretch.from < from)
			kept.push_back(Stretch{stretch.from, from});
		if (stretch.to > to)
			kept.push_back(Stretch{to, stretch.to});
	}
	fStretches.swap(kept);
}

void ColoringBacklog::Inserted(int32 offset, int32 length)
{
	for (Stretch& stretch : fStretches) {
		if (stretch.from >= offset)
			stretch.from += length;
		if (stretch.to > offset)
			stretch.to += length;
	}
}

void ColoringBacklog::Removed(int32 from, int32 to)
{
	auto follow = [from, to](int32 position) {
		return position >= to ? position - (to - from) : std::min(position, from);
	};
	std::vector<Stretch> moved;
	for (const Stretch& stretch : fStretches) {
		Stretch next{follow(stretch.from), follow(stretch.to)};
		if (next.from >= next.to)
			continue;
		if (!moved.empty() && moved.back().to >= next.from)
			moved.back().to = std::max(moved.back().to, next.to);
		else
			moved.push_back(next);
	}
	fStretches.swap(moved);
}

bool ColoringBacklog::Next(int32 first, int32 last, int32 limit, int32* from, int32* to) const
{
	if (fStretches.empty())
		return false;
	for (const Stretch& stretch : fStretches) {
		int32 start = std::max(stretch.from, first);
		int32 end = std::min(stretch.to, last);
		if (start < end) {
			*from = start;
			*to = std::min(end, start + limit);
			return true;
		}
	}
	*from = fStretches.front().from;
	*to = std::min(fStretches.front().to, *from + limit);
	return true;
}
