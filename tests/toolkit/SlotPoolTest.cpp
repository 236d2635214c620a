#include "SlotPool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

namespace {

// Fills every slot with its own byte and checks it afterwards: slots that
// overlapped, or were handed out twice, would overwrite each other.
void FillAndCheck(const std::vector<unsigned char*>& slots, size_t size)
{
	for (size_t i = 0; i < slots.size(); i++)
		memset(slots[i], static_cast<int>(i & 0xff), size);
	for (size_t i = 0; i < slots.size(); i++) {
		ASSERT_EQ(std::count(slots[i], slots[i] + size, static_cast<unsigned char>(i & 0xff)),
			static_cast<long>(size)) << "slot " << i;
	}
}

} // namespace

TEST(SlotPoolTest, SlotsOfEverySizeAreAlignedApartAndTakenAgainOnlyOnceFreed)
{
	for (size_t size : {1, 8, 80, 136, 144, 500, 512}) {
		SCOPED_TRACE(size);
		std::vector<unsigned char*> slots;
		for (int i = 0; i < 3000; i++) {
			auto* slot = static_cast<unsigned char*>(SlotPool::AllocateSized(size));
			ASSERT_EQ(reinterpret_cast<uintptr_t>(slot) % alignof(std::max_align_t), 0u);
			slots.push_back(slot);
		}
		FillAndCheck(slots, size);
		// Every other slot freed, then as many taken: all stay apart.
		for (size_t i = 0; i < slots.size(); i += 2)
			SlotPool::FreeSized(slots[i], size);
		for (size_t i = 0; i < slots.size(); i += 2)
			slots[i] = static_cast<unsigned char*>(SlotPool::AllocateSized(size));
		EXPECT_EQ(std::set<unsigned char*>(slots.begin(), slots.end()).size(), slots.size());
		FillAndCheck(slots, size);
		for (unsigned char* slot : slots)
			SlotPool::FreeSized(slot, size);
	}
	// Sizes above the pools' come from the general allocator.
	EXPECT_EQ(SlotPool::ForSize(SlotPool::kLargestSize + 1), nullptr);
	void* large = SlotPool::AllocateSized(4096);
	memset(large, 1, 4096);
	SlotPool::FreeSized(large, 4096);
}

// A page's nodes are made by the reading thread and freed by the engine's.
TEST(SlotPoolTest, ThreadsTakingAndFreeingAtOnceNeverShareASlot)
{
	SlotPool* pool = SlotPool::ForSize(96);
	auto work = [pool](unsigned char mark, bool* intact) {
		std::vector<unsigned char*> slots;
		for (int round = 0; round < 50; round++) {
			for (int i = 0; i < 200; i++) {
				auto* slot = static_cast<unsigned char*>(pool->Allocate());
				memset(slot, mark, 96);
				slots.push_back(slot);
			}
			for (unsigned char* slot : slots) {
				if (std::count(slot, slot + 96, mark) != 96)
					*intact = false;
				pool->Free(slot);
			}
			slots.clear();
		}
	};
	bool firstIntact = true;
	bool secondIntact = true;
	std::thread first(work, 0x11, &firstIntact);
	std::thread second(work, 0x22, &secondIntact);
	first.join();
	second.join();
	EXPECT_TRUE(firstIntact);
	EXPECT_TRUE(secondIntact);
}
