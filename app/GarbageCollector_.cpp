#include "GarbageCollector_.h"

#include "PageModel.h"

void GarbageCollector_::Register(void*)
{
	fCount.fetch_add(1, std::memory_order_relaxed);
}

void GarbageCollector_::UnRegister(void*)
{
	fCount.fetch_sub(1, std::memory_order_relaxed);
}

void GarbageCollector_::Empty()
{
	fCount.store(0, std::memory_order_relaxed);
}

int32 GarbageCollector_::CountRegistered() const
{
	return fCount.load(std::memory_order_relaxed);
}

void RegisterAtGarbageCollector(void* object, PageModel* page)
{
	if (page != nullptr && page->GarbageCollector() != nullptr)
		page->GarbageCollector()->Register(object);
}

void UnRegisterFromGarbageCollector(void* object, PageModel* page)
{
	if (page != nullptr && page->GarbageCollector() != nullptr)
		page->GarbageCollector()->UnRegister(object);
}
