#ifndef VELMORA_GARBAGE_COLLECTOR_H
#define VELMORA_GARBAGE_COLLECTOR_H

#include <atomic>

#include <SupportDefs.h>

class PageModel;

// A page's registry of its live elements: each element registers when it
// is made and unregisters when it is deleted. It owns nothing and deletes
// nothing; it lets a page (and its tests) see that no element outlives
// the content it belonged to. It counts them and keeps no set of them: a
// big page has hundreds of thousands of elements, and a set cost memory
// and a lookup under a lock for each one made and deleted.
class GarbageCollector_ {
public:
	void Register(void* object);
	void UnRegister(void* object);
	// Forgets every registration.
	void Empty();
	int32 CountRegistered() const;

private:
	std::atomic<int32> fCount{0};
};

// The page's collector when there is a page; nothing otherwise.
void RegisterAtGarbageCollector(void* object, PageModel* page);
void UnRegisterFromGarbageCollector(void* object, PageModel* page);

#endif
