#include "LooperTestSupport.h"

#include <Messenger.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <thread>

using namespace std::chrono_literals;

class LooperTest : public testing::Test {
protected:
	RecordingLooper* MakeLooper(int32 capacity = 200)
	{
		return new RecordingLooper(fJournal, capacity);
	}

	static void WaitFor(const std::function<bool()>& condition)
	{
		while (!condition())
			std::this_thread::sleep_for(1ms);
	}

	// A running looper (with `handler` added) whose dispatching thread holds
	// its lock, waiting at `gate` in the handling of a first message; once
	// the gate opens it quits itself if asked to.
	RecordingLooper* HeldLooper(Latch& gate, bool quitThen, BHandler* handler = nullptr)
	{
		RecordingLooper* looper = MakeLooper();
		if (handler != nullptr)
			looper->AddHandler(handler);
		looper->onMessage = [&gate, quitThen](RecordingLooper* self, BMessage* message) {
			if (message->what != 'hold')
				return;
			gate.Wait();
			if (quitThen)
				self->Quit();
		};
		looper->Run();
		looper->PostMessage('hold');
		WaitFor([this] { return fJournal->Count() > 0; });
		return looper;
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
	QuitLooper(looper);
}

TEST_F(LooperTest, DispatchHoldsTheLockOnTheLoopersOwnThread)
{
	RecordingLooper* looper = MakeLooper();
	looper->onMessage = [&](RecordingLooper* self, BMessage* message) {
		EXPECT_TRUE(self->IsLocked());
		EXPECT_EQ(self->Thread(), find_thread(nullptr));
		EXPECT_EQ(self->CurrentMessage(), message);
	};
	looper->Run();
	looper->PostMessage('keep');
	ASSERT_EQ(BPrivate::WaitForLooperIdle(looper), B_OK);
	EXPECT_EQ(fJournal->Count(), 1u);
	QuitLooper(looper);
}

TEST_F(LooperTest, QuitFromItsOwnThreadDropsWhatIsPendingAndAnswersWaitingSenders)
{
	Latch gate;
	RecordingLooper* looper = HeldLooper(gate, true);
	BMessenger messenger(looper);
	for (int i = 0; i < 5; i++)
		looper->PostMessage('late');
	BMessage reply;
	std::thread waiter([&] { EXPECT_EQ(messenger.SendMessage('ask ', &reply), B_OK); });
	std::this_thread::sleep_for(50ms);
	gate.Open();
	waiter.join();

	EXPECT_EQ(reply.what, static_cast<uint32>(B_NO_REPLY));
	WaitFor([this] { return fJournal->looperDeleted.load(); });
	EXPECT_EQ(fJournal->Count(), 1u);
	EXPECT_FALSE(messenger.IsValid());
}

TEST_F(LooperTest, QuitFromAnotherThreadReturnsOnceTheLooperIsGone)
{
	Latch gate;
	RecordingLooper* looper = HeldLooper(gate, false);
	for (int i = 0; i < 50; i++)
		looper->PostMessage('more');
	std::thread quitter([&] {
		ASSERT_TRUE(looper->Lock());
		looper->Quit();
		EXPECT_TRUE(fJournal->looperDeleted.load());
	});
	WaitFor([looper] { return looper->CountLockRequests() > 0; });
	gate.Open();
	quitter.join();
	EXPECT_LE(fJournal->Count(), 51u);
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
	RecordingHandler* view = new RecordingHandler("view", fJournal);
	Latch gate;
	RecordingLooper* looper = HeldLooper(gate, true, view);
	// Both wait for the lock that the dispatching thread holds; the looper
	// is deleted under them.
	std::atomic<int> failed{0};
	std::thread viaLooper([&] { failed += looper->Lock() ? 0 : 1; });
	std::thread viaHandler([&] { failed += view->LockLooper() ? 0 : 1; });
	WaitFor([looper] { return looper->CountLockRequests() >= 2; });
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
	RecordingHandler* handler = new RecordingHandler("handler", handlerJournal);
	looper->AddHandler(handler);
	EXPECT_EQ(handler->NextHandler(), looper) << "what a handler does not take goes to its looper";

	looper->PostMessage('self');
	looper->PostMessage('hndl', handler);
	looper->PostMessage('pref', nullptr);
	RecordingHandler stranger("stranger", handlerJournal);
	EXPECT_EQ(looper->PostMessage('strg', &stranger), B_MISMATCHED_VALUES);
	looper->Run();
	ASSERT_EQ(BPrivate::WaitForLooperIdle(looper), B_OK);

	ASSERT_EQ(handlerJournal->Count(), 1u);
	EXPECT_EQ(handlerJournal->Messages()[0].what, static_cast<uint32>('hndl'));
	// Without a preferred handler the looper itself takes it.
	ASSERT_EQ(fJournal->Count(), 2u);
	EXPECT_EQ(fJournal->Messages()[1].what, static_cast<uint32>('pref'));

	ASSERT_TRUE(looper->Lock());
	looper->RemoveHandler(handler);
	looper->Quit();
	delete handler;
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
	WaitFor([this] { return fJournal->looperDeleted.load(); });
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
