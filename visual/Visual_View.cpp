#include "Visual_View.h"

#include <cmath>

#include "Element_List.h"
#include "HorizontalLine.h"
#include "Visual_Engine.h"

namespace {

// A sunken rule: a grey line over two light ones.
const rgb_color kRuleShadow = {170, 170, 170, 255};
const rgb_color kRuleLight = {235, 235, 235, 255};
const rgb_color kRuleHighlight = {255, 255, 255, 255};
// The tallest line a rule can draw into from above: its own space's.
constexpr float kRuleReach = 32;

} // namespace

Visual_View::Visual_View(BRect frame, Visual_Engine* engine)
	:
	Visual_Text(frame, engine)
{
}

void Visual_View::AttachedToWindow()
{
	Visual_Text::AttachedToWindow();
	MakeFocus(true);
}

void Visual_View::Draw(BRect updateRect)
{
	Visual_Text::Draw(updateRect);
	DrawRules(updateRect);
}

// The rules whose line can reach into the update rectangle. Drawing holds
// the window's lock, which is the engine's: the list cannot change.
void Visual_View::DrawRules(BRect updateRect)
{
	Element_List* list = Engine() != nullptr ? Engine()->ElementList() : nullptr;
	if (list == nullptr || TextLength() == 0)
		return;
	int32 first = OffsetAt(BPoint(updateRect.left, updateRect.top - kRuleReach));
	int32 last = OffsetAt(BPoint(updateRect.right, updateRect.bottom));
	for (unsigned long index = list->NextIndex(first - 1);
			index <= list->LastIndex(); index++) {
		Element_List_Item item = (*list)[index];
		if (item.offset > last)
			break;
		if (dynamic_cast<HorizontalLine*>(item.element) != nullptr)
			DrawRule(item.offset);
	}
}

// The rule at offset lies across the middle of the line after the rule's
// line feed, the line of its space.
void Visual_View::DrawRule(int32 offset)
{
	if (offset + 1 >= TextLength())
		return;
	int32 spaceLine = LineAt(offset) + 1;
	float y = std::round(PointAt(offset + 1).y) + std::round(LineHeight(spaceLine) / 2);
	float right = Bounds().right;
	BeginLineArray(3);
	AddLine(BPoint(7, y), BPoint(right - 8, y), kRuleShadow);
	AddLine(BPoint(8, y + 1), BPoint(right - 9, y + 1), kRuleLight);
	AddLine(BPoint(8, y + 2), BPoint(right - 9, y + 2), kRuleHighlight);
	EndLineArray();
}
