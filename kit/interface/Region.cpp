#include <Region.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace {

// Far beyond any surface, and small enough that offsets cannot overflow.
const float kCoordinateLimit = 1 << 28;

int32 ClampedFloor(float value)
{
	if (std::isnan(value))
		return 0;
	return static_cast<int32>(std::floor(std::clamp(value, -kCoordinateLimit, kCoordinateLimit)));
}

int32 ClampedCeil(float value)
{
	if (std::isnan(value))
		return 0;
	return static_cast<int32>(std::ceil(std::clamp(value, -kCoordinateLimit, kCoordinateLimit)));
}

// Horizontal runs [first, second) of one band, sorted and disjoint.
typedef std::vector<std::pair<int32, int32>> Spans;

template<typename Box>
Spans SpansOf(const std::vector<Box>& boxes, int32 top, int32 bottom)
{
	Spans spans;
	for (const Box& box : boxes) {
		if (box.top <= top && box.bottom >= bottom)
			spans.emplace_back(box.left, box.right);
	}
	std::sort(spans.begin(), spans.end());
	Spans merged;
	for (const auto& span : spans) {
		if (!merged.empty() && span.first <= merged.back().second)
			merged.back().second = std::max(merged.back().second, span.second);
		else
			merged.push_back(span);
	}
	return merged;
}

bool Inside(const Spans& spans, int32 x)
{
	for (const auto& span : spans) {
		if (x >= span.first && x < span.second)
			return true;
	}
	return false;
}

} // namespace

BRegion::BRegion(BRect rect)
{
	Set(rect);
}

bool BRegion::operator==(const BRegion& other) const
{
	return fBoxes == other.fBoxes;
}

BRegion::Box BRegion::_BoxOf(BRect rect)
{
	if (!rect.IsValid())
		return Box{0, 0, 0, 0};
	return Box{ClampedFloor(rect.left), ClampedFloor(rect.top), ClampedCeil(rect.right) + 1,
		ClampedCeil(rect.bottom) + 1};
}

BRegion::Box BRegion::_BoxOf(clipping_rect rect)
{
	if (rect.right < rect.left || rect.bottom < rect.top)
		return Box{0, 0, 0, 0};
	return Box{rect.left, rect.top, rect.right + 1, rect.bottom + 1};
}

void BRegion::Set(BRect rect)
{
	fBoxes.clear();
	Include(rect);
}

void BRegion::Set(clipping_rect rect)
{
	fBoxes.clear();
	Include(rect);
}

BRect BRegion::Frame() const
{
	clipping_rect frame = FrameInt();
	return BRect(frame.left, frame.top, frame.right, frame.bottom);
}

clipping_rect BRegion::FrameInt() const
{
	if (fBoxes.empty())
		return clipping_rect{0, 0, -1, -1};
	Box frame = fBoxes.front();
	for (const Box& box : fBoxes) {
		frame.left = std::min(frame.left, box.left);
		frame.top = std::min(frame.top, box.top);
		frame.right = std::max(frame.right, box.right);
		frame.bottom = std::max(frame.bottom, box.bottom);
	}
	return clipping_rect{frame.left, frame.top, frame.right - 1, frame.bottom - 1};
}

BRect BRegion::RectAt(int32 index) const
{
	clipping_rect rect = RectAtInt(index);
	return BRect(rect.left, rect.top, rect.right, rect.bottom);
}

clipping_rect BRegion::RectAtInt(int32 index) const
{
	if (index < 0 || index >= CountRects())
		return clipping_rect{0, 0, -1, -1};
	const Box& box = fBoxes[index];
	return clipping_rect{box.left, box.top, box.right - 1, box.bottom - 1};
}

bool BRegion::Contains(BPoint point) const
{
	return Contains(ClampedFloor(point.x), ClampedFloor(point.y));
}

bool BRegion::Contains(int32 x, int32 y) const
{
	return std::any_of(fBoxes.begin(), fBoxes.end(), [x, y](const Box& box) {
		return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
	});
}

bool BRegion::Intersects(BRect rect) const
{
	Box other = _BoxOf(rect);
	return std::any_of(fBoxes.begin(), fBoxes.end(), [&other](const Box& box) {
		return box.left < other.right && other.left < box.right && box.top < other.bottom
			&& other.top < box.bottom;
	});
}

bool BRegion::Intersects(clipping_rect rect) const
{
	return Intersects(BRect(rect.left, rect.top, rect.right, rect.bottom));
}

void BRegion::OffsetBy(int32 dx, int32 dy)
{
	for (Box& box : fBoxes) {
		box.left += dx;
		box.right += dx;
		box.top += dy;
		box.bottom += dy;
	}
}

void BRegion::OffsetBy(BPoint offset)
{
	OffsetBy(ClampedFloor(offset.x), ClampedFloor(offset.y));
}

void BRegion::Include(BRect rect)
{
	_Apply({_BoxOf(rect)}, Operation::kUnion);
}

void BRegion::Include(clipping_rect rect)
{
	_Apply({_BoxOf(rect)}, Operation::kUnion);
}

void BRegion::Include(const BRegion* region)
{
	if (region != nullptr)
		_Apply(region->fBoxes, Operation::kUnion);
}

void BRegion::Exclude(BRect rect)
{
	_Apply({_BoxOf(rect)}, Operation::kDifference);
}

void BRegion::Exclude(clipping_rect rect)
{
	_Apply({_BoxOf(rect)}, Operation::kDifference);
}

void BRegion::Exclude(const BRegion* region)
{
	if (region != nullptr)
		_Apply(region->fBoxes, Operation::kDifference);
}

void BRegion::IntersectWith(const BRegion* region)
{
	if (region != nullptr)
		_Apply(region->fBoxes, Operation::kIntersection);
	else
		fBoxes.clear();
}

void BRegion::_Apply(const std::vector<Box>& other, Operation operation)
{
	std::vector<Box> valid;
	for (const Box& box : other) {
		if (box.left < box.right && box.top < box.bottom)
			valid.push_back(box);
	}
	if (!_ApplySimply(valid, operation))
		fBoxes = _Combine(fBoxes, valid, operation);
}

// Most clipping sets a region to one rectangle and cuts it by another
// (each of a thousand pictures moved in a text view is clipped so): those
// cases, and those with an empty side, need no sweep. other holds a region's
// boxes or a single one.
bool BRegion::_ApplySimply(std::vector<Box>& other, Operation operation)
{
	if (fBoxes.empty() || other.empty()) {
		if (operation == Operation::kIntersection)
			fBoxes.clear();
		else if (operation == Operation::kUnion && fBoxes.empty())
			fBoxes = std::move(other);
		return true;
	}
	if (operation != Operation::kIntersection || fBoxes.size() != 1 || other.size() != 1)
		return false;
	Box& box = fBoxes.front();
	const Box& cut = other.front();
	box = Box{std::max(box.left, cut.left), std::max(box.top, cut.top),
		std::min(box.right, cut.right), std::min(box.bottom, cut.bottom)};
	if (box.left >= box.right || box.top >= box.bottom)
		fBoxes.clear();
	return true;
}

// Cuts both sets into bands between every top and bottom edge, combines the
// runs of each band, and merges a band into the one above when their runs
// are the same. Regions used for clipping hold few rectangles, so the
// quadratic walk costs less than keeping a sweep structure.
std::vector<BRegion::Box> BRegion::_Combine(const std::vector<Box>& a,
	const std::vector<Box>& b, Operation operation)
{
	std::vector<int32> edges;
	for (const auto* boxes : {&a, &b}) {
		for (const Box& box : *boxes) {
			edges.push_back(box.top);
			edges.push_back(box.bottom);
		}
	}
	std::sort(edges.begin(), edges.end());
	edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

	std::vector<Box> result;
	Spans previous;
	size_t previousStart = 0;
	int32 previousBottom = 0;
	for (size_t i = 0; i + 1 < edges.size(); i++) {
		int32 top = edges[i];
		int32 bottom = edges[i + 1];
		Spans inA = SpansOf(a, top, bottom);
		Spans inB = SpansOf(b, top, bottom);
		std::vector<int32> xs;
		for (const Spans* spans : {&inA, &inB}) {
			for (const auto& span : *spans) {
				xs.push_back(span.first);
				xs.push_back(span.second);
			}
		}
		std::sort(xs.begin(), xs.end());
		xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
		Spans band;
		for (size_t j = 0; j + 1 < xs.size(); j++) {
			bool left = Inside(inA, xs[j]);
			bool right = Inside(inB, xs[j]);
			bool keep = operation == Operation::kUnion ? (left || right)
				: operation == Operation::kIntersection ? (left && right) : (left && !right);
			if (!keep)
				continue;
			if (!band.empty() && band.back().second == xs[j])
				band.back().second = xs[j + 1];
			else
				band.emplace_back(xs[j], xs[j + 1]);
		}
		if (band.empty())
			continue;
		if (band == previous && previousBottom == top) {
			for (size_t k = previousStart; k < result.size(); k++)
				result[k].bottom = bottom;
		} else {
			previousStart = result.size();
			for (const auto& span : band)
				result.push_back(Box{span.first, top, span.second, bottom});
			previous = std::move(band);
		}
		previousBottom = bottom;
	}
	return result;
}

void BRegion::PrintToStream() const
{
	clipping_rect frame = FrameInt();
	printf("BRegion: %d rects, frame (%d, %d, %d, %d)\n", CountRects(), frame.left, frame.top,
		frame.right, frame.bottom);
	for (const Box& box : fBoxes)
		printf("  (%d, %d, %d, %d)\n", box.left, box.top, box.right - 1, box.bottom - 1);
}
