#include "engine_support/ShownViews.h"

#include <algorithm>

#include <View.h>

#include "Element_List.h"
#include "ViewPlacement.h"
#include "Visual_Element.h"

ShownViews::ShownViews(const BView& textView, const Element_List& list)
	:
	fTextView(textView),
	fList(list)
{
}

const std::vector<ShownViews::Shown>& ShownViews::Between(unsigned long first,
	unsigned long last)
{
	if (fStale || fReadAt != fTextView.ChildrenGeneration())
		Read();
	if (!Collect(first, last)) {
		Read();
		Collect(first, last);
	}
	return fFound;
}

void ShownViews::Read()
{
	fElements.clear();
	std::vector<std::pair<long, Visual_Element*>> listed;
	for (int32 child = 0; child < fTextView.CountChildren(); child++) {
		auto* element = dynamic_cast<Visual_Element*>(fTextView.ChildAt(child));
		long index = fList.IndexOf(element);
		if (index >= 0)
			listed.emplace_back(index, element);
	}
	std::sort(listed.begin(), listed.end());
	for (const auto& [index, element] : listed)
		fElements.push_back(element);
	fReadAt = fTextView.ChildrenGeneration();
	fStale = false;
	fInPlace = InPlace();
}

bool ShownViews::Collect(unsigned long first, unsigned long last)
{
	fFound.clear();
	auto start = std::partition_point(fElements.begin(), fElements.end(),
		[this, first](const Visual_Element* element) {
			long index = fList.IndexOf(element);
			return index >= 0 && static_cast<unsigned long>(index) < first;
		});
	long previous = -1;
	for (auto element = start; element != fElements.end(); ++element) {
		long index = fList.IndexOf(*element);
		if (index <= previous)
			return false;
		if (static_cast<unsigned long>(index) > last)
			break;
		fFound.push_back(Shown{static_cast<size_t>(element - fElements.begin()),
			static_cast<unsigned long>(index)});
		previous = index;
	}
	return true;
}

void ShownViews::InPlaceFrom(size_t position, uint32 generation, float scrollTop)
{
	fInPlace = InPlace{position, generation, scrollTop};
}

bool ShownViews::IsInPlaceFrom(size_t position, uint32 generation, float scrollTop) const
{
	return fInPlace.from <= position && fInPlace.generation == generation
		&& fInPlace.scrollTop == scrollTop;
}

void ShownViews::UpdatePassedBy(size_t position, ViewPlacement* placement) const
{
	if (placement != nullptr && fInPlace.from <= position
			&& static_cast<int32>(fInPlace.generation - placement->generation) > 0) {
		placement->generation = fInPlace.generation;
		placement->scrollTop = fInPlace.scrollTop;
	}
}
