#include "LooperTestSupport.h"

#include <Autolock.h>
#include <Messenger.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>

using namespace std::chrono_literals;

class LooperTest : public testing::Test {
protected:
	RecordingLooper* MakeLooper(int32 capacity = 200)
	{
		return new RecordingLooper(fJournal, capacity);
	}

	std::shared_ptr<Journal> fJournal = std::make_shared<Journal>();
};

TEST_F(LooperTest, ConcurrentPostersKeepTheirOrderAndLoseNothing)
{
	RecordingLooper* looper = MakeLooper(8);
	looper->Run();
	constexpr int kSenders = 4;
	constexpr int kEach = 1500;
	std::vector<std::thread> senders;
	for (int sender = 0; sender < kSenders; sender++) {
		senders.emplace_back([looper, sender] {
			for (int i = 0; i < kEach; i++) {
				BMessage message('seq ');
				message.AddInt32("sender", sender);
				message.AddInt32("index", i);
				ASSERT_EQ(looper->PostMessage(&message), B_OK);
			}
		});
	}
	for (auto& thread : senders)
		thread.join();
	ASSERT_EQ(BPrivate::WaitForLooperIdle(looper), B_OK);

	std::map<int32, int32> next;
	for (const BMessage& message : fJournal->Messages()) {
		int32 sender = -1;
		int32 index = -1;
		message.FindInt32("sender", &sender);
		message.FindInt32("index", &index);
		EXPECT_EQ(index, next[sender]) << "sender " << sender;
		next[sender] = index + 1;
	}
	EXPECT_EQ(fJournal->Count(), static_cast<size_t>(kSenders * kEach));
	QuitLooper(looper);
}

TEST_F(LooperTest, FullQueueBlocksThePosterUntilThereIsRoom)
{
	// Not running yet, so nothing drains the queue of two.
	RecordingLooper* looper = MakeLooper(2);
	std::atomic<int> posted{0};
	std::thread poster([&] {
		for (int i = 0; i < 3; i++) {
			looper->PostMessage('full');
			posted++;
		}
	});
	std::this_thread::sleep_for(150ms);
	EXPECT_EQ(posted.load(), 2);

	looper->Run();
	poster.join();
	EXPECT_EQ(posted.load(), 3);
	ASSERT_EQ(BPrivate::WaitForLooperIdle(looper), B_OK);
	EXPECT_EQ(fJournal->Count(), 3u);

	looper->Lock();
	BMessage message('tout');
	// Its own lock held by this thread, so this post cannot wait.
	EXPECT_EQ(looper->PostMessage(&message), B_OK);
	looper->Quit();
}

TEST_F(LooperTest, PostingToAFullQueueTimesOutThroughAMessenger)
{
	RecordingLooper* looper = MakeLooper(1);
	BMessenger messenger(looper);
	std::thread other([&] {
		BMessage message('one ');
		EXPECT_EQ(messenger.SendMessage(&message, static_cast<BHandler*>(nullptr), 0), B_OK);
		EXPECT_EQ(messenger.SendMessage(&message, static_cast<BHandler*>(nullptr), 0),
			B_WOULD_BLOCK);
		EXPECT_EQ(messenger.SendMessage(&message, static_cast<BHandler*>(nullptr), 20000),
			B_TIMED_OUT);
	});
	other.join();
	looper->Quit();
}

TEST_F(LooperTest, ALooperPostingToItselfPastItsCapacityDoesNotDeadlock)
{
	RecordingLooper* looper = MakeLooper(2);
	looper->onMessage = [](RecordingLooper* self, BMessage* message) {
		if (message->what == 'brst') {
			for (int i = 0; i < 20; i++)
				self->PostMessage('echo');
		}
	};
	looper->Run();
	looper->PostMessage('brst');
	ASSERT_EQ(BPrivate::WaitForLooperIdle(looper, 5000000), B_OK);
	EXPECT_EQ(fJournal->Count(), 21u);
	QuitLooper(looper);
}

TEST_F(LooperTest, TheCreatorHoldsTheLockUntilRun)
{
	RecordingLooper* looper = MakeLooper();
	EXPECT_TRUE(looper->IsLocked());
	std::thread([&] {
		EXPECT_EQ(looper->LockWithTimeout(20000), B_TIMED_OUT);
	}).join();

	looper->Run();
	EXPECT_FALSE(looper->IsLocked());
	std::thread([&] {
		ASSERT_TRUE(looper->Lock());
		EXPECT_EQ(looper->LockingThread(), find_thread(nullptr));
		EXPECT_TRUE(looper->Lock());
		EXPECT_EQ(looper->CountLocks(), 2);
		looper->Unlock();
		looper->Unlock();
	}).join();
	QuitLooper(looper);
}

TEST_F(LooperTest, DispatchHoldsTheLockAndADetachedMessageBelongsToWhoeverDetachedIt)
{
	RecordingLooper* looper = MakeLooper();
	std::unique_ptr<BMessage> kept;
	looper->onMessage = [&](RecordingLooper* self, BMessage* message) {
		EXPECT_TRUE(self->IsLocked());
		EXPECT_EQ(self->Thread(), find_thread(nullptr));
		EXPECT_EQ(self->CurrentMessage(), message);
		kept.reset(self->DetachCurrentMessage());
	};
	looper->Run();
	looper->PostMessage('keep');
	ASSERT_EQ(BPrivate::WaitForLooperIdle(looper), B_OK);
	ASSERT_NE(kept, nullptr);
	EXPECT_EQ(kept->what, static_cast<uint32>('keep'));
	EXPECT_EQ(looper->CurrentMessage(), nullptr);
	QuitLooper(looper);
}

TEST_F(LooperTest, QuitFromItsOwnThreadDropsWhatIsPendingAndAnswersWaitingSenders)
{
	RecordingLooper* looper = MakeLooper();
	Latch gate;
	looper->onMessage = [&](RecordingLooper* self, BMessage* message) {
		if (message->what == 'stop') {
			gate.Wait();
			self->Quit();
		}
	};
	looper->Run();
	BMessenger messenger(looper);
	looper->PostMessage('stop');
	for (int i = 0; i < 5; i++)
		looper->PostMessage('late');
	BMessage reply;
	std::thread waiter([&] {
		BMessage question('ask ');
		EXPECT_EQ(messenger.SendMessage(&question, &reply), B_OK);
	});
	while (looper->CountLockRequests() == 0 && fJournal->Count() == 0)
		std::this_thread::sleep_for(1ms);
	std::this_thread::sleep_for(50ms);
	gate.Open();
	waiter.join();

	EXPECT_EQ(reply.what, static_cast<uint32>(B_NO_REPLY));
	while (!fJournal->looperDeleted)
		std::this_thread::sleep_for(1ms);
	EXPECT_EQ(fJournal->Count(), 1u);
	EXPECT_FALSE(messenger.IsValid());
}

TEST_F(LooperTest, QuitFromAnotherThreadReturnsOnceTheLooperIsGone)
{
	RecordingLooper* looper = MakeLooper();
	Latch gate;
	looper->onMessage = [&](RecordingLooper*, BMessage* message) {
		if (message->what == 'hold')
			gate.Wait();
	};
	looper->Run();
	looper->PostMessage('hold');
	for (int i = 0; i < 50; i++)
		looper->PostMessage('more');
	while (fJournal->Count() == 0)
		std::this_thread::sleep_for(1ms);

	std::thread quitter([&] {
		ASSERT_TRUE(looper->Lock());
		looper->Quit();
		EXPECT_TRUE(fJournal->looperDeleted.load());
	});
	while (looper->CountLockRequests() == 0)
		std::this_thread::sleep_for(1ms);
	gate.Open();
	quitter.join();
	EXPECT_LE(fJournal->Count(), 51u);
	EXPECT_GE(fJournal->Count(), 1u);
}

TEST_F(LooperTest, QuitOfALooperThatNeverRanDeletesItWithItsMessages)
{
	RecordingLooper* looper = MakeLooper();
	BMessenger messenger(looper);
	BMessage reply;
	std::thread waiter([&] {
		BMessage question('ask ');
		EXPECT_EQ(messenger.SendMessage(&question, &reply), B_OK);
	});
	while (BPrivate::WaitForLooperIdle(looper, 0) == B_OK)
		std::this_thread::sleep_for(1ms);
	looper->Quit();
	waiter.join();
	EXPECT_TRUE(fJournal->looperDeleted.load());
	EXPECT_EQ(reply.what, static_cast<uint32>(B_NO_REPLY));
	EXPECT_EQ(fJournal->Count(), 0u);
}

TEST_F(LooperTest, LockingALooperThatQuitsWhileWaitingFailsSafely)
{
	RecordingLooper* looper = MakeLooper();
	RecordingHandler* view = new RecordingHandler("view", fJournal);
	looper->AddHandler(view);
	Latch gate;
	looper->onMessage = [&](RecordingLooper* self, BMessage* message) {
		if (message->what == 'quit') {
			gate.Wait();
			self->Quit();
		}
	};
	looper->Run();
	looper->PostMessage('quit');
	while (fJournal->Count() == 0)
		std::this_thread::sleep_for(1ms);

	// Both wait for the lock that the dispatching thread holds; the looper
	// is deleted under them.
	std::atomic<int> failed{0};
	std::thread viaLooper([&] { failed += looper->Lock() ? 0 : 1; });
	std::thread viaHandler([&] { failed += view->LockLooper() ? 0 : 1; });
	while (looper->CountLockRequests() < 2)
		std::this_thread::sleep_for(1ms);
	gate.Open();
	viaLooper.join();
	viaHandler.join();
	EXPECT_EQ(failed.load(), 2);
	EXPECT_TRUE(fJournal->looperDeleted.load());
	// Gone for good: later attempts fail at once.
	EXPECT_EQ(view->Looper(), nullptr);
	EXPECT_FALSE(view->LockLooper());
	delete view;
}

TEST_F(LooperTest, MessagesReachTheHandlerTheyWerePostedTo)
{
	RecordingLooper* looper = MakeLooper();
	auto handlerJournal = std::make_shared<Journal>();
	auto preferredJournal = std::make_shared<Journal>();
	RecordingHandler* handler = new RecordingHandler("handler", handlerJournal);
	RecordingHandler* preferred = new RecordingHandler("preferred", preferredJournal);
	looper->AddHandler(handler);
	looper->AddHandler(preferred);
	EXPECT_EQ(handler->NextHandler(), looper) << "what a handler does not take goes to its looper";

	looper->PostMessage('self');
	looper->PostMessage('hndl', handler);
	looper->PostMessage('pref', nullptr);
	RecordingHandler stranger("stranger", handlerJournal);
	EXPECT_EQ(looper->PostMessage('strg', &stranger), B_MISMATCHED_VALUES);
	looper->Run();
	ASSERT_EQ(BPrivate::WaitForLooperIdle(looper), B_OK);
	ASSERT_TRUE(looper->Lock());
	looper->SetPreferredHandler(preferred);
	looper->Unlock();
	looper->PostMessage('pref', nullptr);
	ASSERT_EQ(BPrivate::WaitForLooperIdle(looper), B_OK);

	ASSERT_EQ(handlerJournal->Count(), 1u);
	EXPECT_EQ(handlerJournal->Messages()[0].what, static_cast<uint32>('hndl'));
	ASSERT_EQ(preferredJournal->Count(), 1u);
	// Without a preferred handler the looper itself takes it.
	ASSERT_EQ(fJournal->Count(), 2u);
	EXPECT_EQ(fJournal->Messages()[1].what, static_cast<uint32>('pref'));

	ASSERT_TRUE(looper->Lock());
	looper->RemoveHandler(handler);
	looper->RemoveHandler(preferred);
	looper->Quit();
	delete handler;
	delete preferred;
}

TEST_F(LooperTest, AMessageForAHandlerDeletedBeforeDispatchIsDropped)
{
	RecordingLooper* looper = MakeLooper();
	auto handlerJournal = std::make_shared<Journal>();
	RecordingHandler* handler = new RecordingHandler("doomed", handlerJournal);
	looper->AddHandler(handler);
	looper->PostMessage('lost', handler);
	delete handler;  // leaves its looper on the way out
	EXPECT_EQ(looper->CountHandlers(), 1);
	looper->PostMessage('kept');
	looper->Run();
	ASSERT_EQ(BPrivate::WaitForLooperIdle(looper), B_OK);
	EXPECT_EQ(handlerJournal->Count(), 0u);
	ASSERT_EQ(fJournal->Count(), 1u);
	EXPECT_EQ(fJournal->Messages()[0].what, static_cast<uint32>('kept'));
	QuitLooper(looper);
}

TEST_F(LooperTest, QuitRequestedDecidesWhetherAQuitRequestEndsTheLooperAndOtherQuestionsGetAnAnswer)
{
	RecordingLooper* looper = MakeLooper();
	looper->agreesToQuit = false;
	looper->Run();
	BMessenger messenger(looper);
	BMessage reply;
	ASSERT_EQ(messenger.SendMessage('what', &reply), B_OK);
	EXPECT_EQ(reply.what, static_cast<uint32>(B_MESSAGE_NOT_UNDERSTOOD));
	EXPECT_TRUE(reply.IsReply());
	ASSERT_EQ(messenger.SendMessage(B_QUIT_REQUESTED, &reply), B_OK);
	bool result = true;
	ASSERT_EQ(reply.FindBool("result", &result), B_OK);
	EXPECT_FALSE(result);
	EXPECT_TRUE(messenger.IsValid());

	looper->agreesToQuit = true;
	ASSERT_EQ(messenger.SendMessage(B_QUIT_REQUESTED, &reply), B_OK);
	ASSERT_EQ(reply.FindBool("result", &result), B_OK);
	EXPECT_TRUE(result);
	while (!fJournal->looperDeleted)
		std::this_thread::sleep_for(1ms);
	EXPECT_FALSE(messenger.IsValid());
}

TEST_F(LooperTest, IdleWaitIncludesMessagesPostedDuringDispatch)
{
	RecordingLooper* looper = MakeLooper();
	looper->onMessage = [](RecordingLooper* self, BMessage* message) {
		int32 link = 0;
		message->FindInt32("link", &link);
		if (link < 49) {
			BMessage next('link');
			next.AddInt32("link", link + 1);
			std::this_thread::sleep_for(100us);
			self->PostMessage(&next);
		}
	};
	looper->Run();
	BMessage first('link');
	first.AddInt32("link", 0);
	looper->PostMessage(&first);
	ASSERT_EQ(BPrivate::WaitForLooperIdle(looper), B_OK);
	EXPECT_EQ(fJournal->Count(), 50u);

	ASSERT_TRUE(looper->Lock());
	looper->PostMessage('busy');
	EXPECT_EQ(BPrivate::WaitForLooperIdle(looper), B_WOULD_BLOCK);
	looper->Unlock();
	QuitLooper(looper);
}
