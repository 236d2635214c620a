#include "Visual_Element.h"

#include "Element_List.h"
#include "Environment.h"
#include "GarbageCollector_.h"
#include "SlotPool.h"
#include "EnginePage.h"
#include "Visual_Engine.h"

namespace {

// The vertical alignment an element and an environment start with.
constexpr long kDefaultVAlignment = 7;

} // namespace

Visual_Element::Visual_Element(long, Visual_Engine* engine, Element_List* list)
	:
	engine(engine),
	page(engine != nullptr ? engine->MyPage() : nullptr),
	elementList(list),
	verticalAlignment(kDefaultVAlignment),
	index(0),
	offset(0),
	hasParagraph(false),
	listed(false)
{
	RegisterAtGarbageCollector(this, page);
}

Visual_Element::~Visual_Element()
{
	UnRegisterFromGarbageCollector(this, page);
}

void* Visual_Element::operator new(size_t size)
{
	return SlotPool::AllocateSized(size);
}

void Visual_Element::operator delete(void* memory, size_t size)
{
	SlotPool::FreeSized(memory, size);
}

bool Visual_Element::TakesItsTextAlong() const
{
	return elementList == nullptr || !elementList->IsDiscarding();
}

void Visual_Element::GetEnvironment(Environment* environment) const
{
	if (environment == nullptr)
		return;
	environment->placeholderFont = spaceFont.get();
	Element_List_Item item = ElementListItem();
	if (item.spaceTo > 0) {
		environment->placeholderFrom = item.offset + item.spaceFrom;
		environment->placeholderTo = item.offset + item.spaceTo;
	}
}

BRect Visual_Element::WFrame() const
{
	return BRect(0, 0, 0, 0);
}

BRect Visual_Element::WBounds() const
{
	return BRect(0, 0, 0, 0);
}

BView* Visual_Element::View() const
{
	return nullptr;
}

long Visual_Element::ThisOffset() const
{
	return elementList != nullptr ? elementList->OffsetOf(this) : offset;
}

long Visual_Element::ThisFinish() const
{
	if (elementList == nullptr)
		return offset;
	elementList->Lock();
	Element_List_Item item = ElementListItem();
	long start = ThisOffset();
	elementList->Unlock();
	return item.spaceTo > 0 ? start + item.spaceTo : start;
}

unsigned long Visual_Element::ThisIndex() const
{
	long listedAt = elementList != nullptr ? elementList->IndexOf(this) : -1;
	return listedAt >= 0 ? static_cast<unsigned long>(listedAt) : index;
}

Element_List_Item Visual_Element::ElementListItem() const
{
	long listedAt = elementList != nullptr ? elementList->IndexOf(this) : -1;
	if (listedAt < 0) {
		Element_List_Item none;
		none.Reset();
		return none;
	}
	return (*elementList)[static_cast<unsigned long>(listedAt)];
}

Visual_Element* Visual_Element::Next() const
{
	return elementList != nullptr ? elementList->Next(this) : nullptr;
}

Visual_Element* Visual_Element::Previous() const
{
	return elementList != nullptr ? elementList->Previous(this) : nullptr;
}
