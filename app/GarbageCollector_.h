#ifndef VELMORA_GARBAGE_COLLECTOR_H
#define VELMORA_GARBAGE_COLLECTOR_H

#include <mutex>
#include <unordered_set>

#include <SupportDefs.h>

class PageModel;

// A page's registry of its live elements: each element registers when it
// is made and unregisters when it is deleted. It owns nothing and deletes
// nothing; it lets a page (and its tests) see that no element outlives
// the content it belonged to.
class GarbageCollector_ {
public:
	void Register(void* object);
	void UnRegister(void* object);
	// Forgets every registration.
	void Empty();
	int32 CountRegistered() const;

private:
	mutable std::mutex fLock;
	std::unordered_set<void*> fObjects;
};

// The page's collector when there is a page; nothing otherwise.
void RegisterAtGarbageCollector(void* object, PageModel* page);
void UnRegisterFromGarbageCollector(void* object, PageModel* page);

#endif
