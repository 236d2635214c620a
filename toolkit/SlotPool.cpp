#include "SlotPool.h"

#include <array>
#include <algorithm>
#include <cstddef>
#include <new>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Slots keep the alignment the general allocator gives.
constexpr size_t kGranule = alignof(std::max_align_t);

} // namespace

SlotPool::SlotPool(size_t slotSize)
	:
	fSlotSize((std::max(slotSize, sizeof(FreeSlot)) + kGranule - 1) & ~(kGranule - 1))
{
}

void* SlotPool::Allocate()
{
	if (kSanitized)
		return ::operator new(fSlotSize);
	std::lock_guard<std::mutex> guard(fLock);
	if (fFree != nullptr) {
		FreeSlot* slot = fFree;
		fFree = slot->next;
		return slot;
	}
	return CutSlot();
}

void SlotPool::Free(void* slot)
{
	if (slot == nullptr)
		return;
	if (kSanitized) {
		::operator delete(slot);
		return;
	}
	std::lock_guard<std::mutex> guard(fLock);
	FreeSlot* freed = static_cast<FreeSlot*>(slot);
	freed->next = fFree;
	fFree = freed;
}

void* SlotPool::CutSlot()
{
	if (fNext == nullptr || static_cast<size_t>(fEnd - fNext) < fSlotSize) {
		size_t blockSize = std::max(kBlockSize, fSlotSize);
		// Not zeroed: every slot is written before it is read, and zeroing a
		// block first was a fifth of building a big page's tree.
		fBlocks.push_back(std::make_unique_for_overwrite<char[]>(blockSize));
		fNext = fBlocks.back().get();
		fEnd = fNext + blockSize;
	}
	void* slot = fNext;
	fNext += fSlotSize;
	return slot;
}

SlotPool* SlotPool::ForSize(size_t size)
{
	if (size > kLargestSize)
		return nullptr;
	// Made once and never destroyed (see the header).
	static std::array<SlotPool*, kLargestSize / kGranule + 1>* pools = [] {
		auto* made = new std::array<SlotPool*, kLargestSize / kGranule + 1>();
		for (size_t i = 0; i < made->size(); i++)
			(*made)[i] = new SlotPool(std::max<size_t>(i, 1) * kGranule);
		return made;
	}();
	return (*pools)[(size + kGranule - 1) / kGranule];
}

void* SlotPool::AllocateSized(size_t size)
{
	SlotPool* pool = ForSize(size);
	return pool != nullptr ? pool->Allocate() : ::operator new(size);
}

void SlotPool::FreeSized(void* memory, size_t size)
{
	SlotPool* pool = ForSize(size);
	if (pool != nullptr)
		pool->Free(memory);
	else
		::operator delete(memory);
}
