#include "DecorationRuns.h"

#include <memory>

#include "Element_List.h"
#include "Environment.h"
#include "Visual_Element.h"
#include "Visual_Engine.h"

namespace {

const rgb_color kBlack = {0, 0, 0, 255};

// The look of decorations at one point: a run goes on while it is the same.
struct Look {
	rgb_color color;
	bool underline;
	bool strike;

	explicit Look(const Environment& environment)
		:
		color(environment.Color() != nullptr ? *environment.Color() : kBlack),
		underline(environment.IsUnderlined()),
		strike(environment.IsStruckout())
	{
	}

	bool Decorates() const { return underline || strike; }

	bool operator==(const Look& other) const
	{
		return underline == other.underline && strike == other.strike
			&& (!Decorates() || color == other.color);
	}
};

} // namespace

// Text without a colour of its own is black: a run after a coloured one
// does not keep that colour.
DecorationRuns::DecorationRuns(const Visual_Engine* engine, int32 first, int32 last)
{
	if (engine == nullptr || first >= last)
		return;
	std::unique_ptr<Environment> environment = engine->EnvironmentAt(first);
	Look current(*environment);
	int32 runStart = first;
	const Element_List* list = engine->ElementList();
	for (unsigned long index = list->NextIndex(first); index >= 1 && index <= list->LastIndex();
			index++) {
		Element_List_Item item = (*list)[index];
		if (item.offset > last || item.offset <= first)
			break;
		item.element->GetEnvironment(environment.get());
		Look look(*environment);
		if (look == current)
			continue;
		if (current.Decorates() && runStart < item.offset)
			fRuns.push_back(Run{runStart, item.offset, current.color, current.underline,
				current.strike});
		current = look;
		runStart = item.offset;
	}
	if (current.Decorates() && runStart < last)
		fRuns.push_back(Run{runStart, last, current.color, current.underline, current.strike});
}
