#include "GarbageCollector_.h"

#include "PageModel.h"

void GarbageCollector_::Register(void* object)
{
	std::lock_guard<std::mutex> guard(fLock);
	fObjects.insert(object);
}

void GarbageCollector_::UnRegister(void* object)
{
	std::lock_guard<std::mutex> guard(fLock);
	fObjects.erase(object);
}

void GarbageCollector_::Empty()
{
	std::lock_guard<std::mutex> guard(fLock);
	fObjects.clear();
}

int32 GarbageCollector_::CountRegistered() const
{
	std::lock_guard<std::mutex> guard(fLock);
	return static_cast<int32>(fObjects.size());
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
