#include <Autolock.h>
#include <Locker.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST(LockerTest, OwnerMayLockAgainAndOthersWaitForTheLastUnlock)
{
	BLocker locker("test");
	ASSERT_TRUE(locker.Lock());
	ASSERT_TRUE(locker.Lock());
	EXPECT_TRUE(locker.IsLocked());
	EXPECT_EQ(locker.CountLocks(), 2);

	std::atomic<bool> otherGotIt{false};
	std::thread other([&] {
		EXPECT_FALSE(locker.IsLocked());
		EXPECT_EQ(locker.LockWithTimeout(20000), B_TIMED_OUT);
		locker.Lock();
		otherGotIt = true;
		locker.Unlock();
	});
	locker.Unlock();
	std::this_thread::sleep_for(std::chrono::milliseconds(60));
	EXPECT_FALSE(otherGotIt.load());
	locker.Unlock();
	other.join();
	EXPECT_TRUE(otherGotIt.load());
	EXPECT_EQ(locker.LockingThread(), -1);
}

TEST(LockerTest, UnlockByAThreadThatDoesNotHoldTheLockIsIgnored)
{
	BLocker locker;
	locker.Lock();
	std::thread([&] { locker.Unlock(); }).join();
	EXPECT_TRUE(locker.IsLocked());
	locker.Unlock();
}

TEST(LockerTest, ManyThreadsIncrementUnderTheLockWithoutLosingUpdates)
{
	BLocker locker;
	int counter = 0;
	std::vector<std::thread> threads;
	for (int t = 0; t < 4; t++) {
		threads.emplace_back([&] {
			for (int i = 0; i < 5000; i++) {
				BAutolock lock(locker);
				counter++;
			}
		});
	}
	for (auto& thread : threads)
		thread.join();
	EXPECT_EQ(counter, 20000);
}

TEST(LockerTest, AutolockOfNoLockerIsUnlocked)
{
	BLocker* none = nullptr;
	EXPECT_FALSE(BAutolock(none).IsLocked());
}
