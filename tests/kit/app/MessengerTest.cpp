#include "LooperTestSupport.h"

#include <MessageRunner.h>
#include <Messenger.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace std::chrono_literals;

class MessengerTest : public testing::Test {
protected:
	void SetUp() override
	{
		fLooper = new RecordingLooper(fJournal);
		fLooper->Run();
	}
	void TearDown() override
	{
		if (!fJournal->looperDeleted)
			QuitLooper(fLooper);
	}

	std::shared_ptr<Journal> fJournal = std::make_shared<Journal>();
	RecordingLooper* fLooper = nullptr;
};

TEST_F(MessengerTest, AMessengerNeedsAHandlerOfALooperAndOneToADeletedLooperCannotSend)
{
	BMessenger messenger(fLooper);
	BMessenger toPreferred(nullptr, fLooper);
	ASSERT_TRUE(messenger.IsValid());
	BLooper* target = nullptr;
	EXPECT_EQ(toPreferred.Target(&target), nullptr) << "the preferred handler, whichever it is";
	EXPECT_EQ(target, fLooper);
	QuitLooper(fLooper);
	EXPECT_FALSE(messenger.IsValid());
	EXPECT_FALSE(toPreferred.IsValid());
	BMessage reply;
	EXPECT_EQ(messenger.SendMessage('gone', &reply), B_BAD_PORT_ID);
	EXPECT_FALSE(messenger.LockTarget());

	RecordingHandler loose("loose", fJournal);
	status_t status = B_OK;
	EXPECT_FALSE(BMessenger(&loose, nullptr, &status).IsValid());
	EXPECT_EQ(status, B_BAD_HANDLER);
	BMessenger nothing(nullptr, nullptr, &status);
	EXPECT_EQ(status, B_BAD_VALUE);
}

TEST_F(MessengerTest, SynchronousSendWaitsForTheReply)
{
	fLooper->onMessage = [](RecordingLooper*, BMessage* message) {
		int32 value = 0;
		message->FindInt32("value", &value);
		BMessage reply('rply');
		reply.AddInt32("twice", value * 2);
		EXPECT_TRUE(message->IsSourceWaiting());
		EXPECT_EQ(message->SendReply(&reply), B_OK);
		EXPECT_FALSE(message->IsSourceWaiting());
		EXPECT_EQ(message->SendReply(&reply), B_DUPLICATE_REPLY);
	};
	BMessenger messenger(fLooper);
	BMessage question('ask ');
	question.AddInt32("value", 21);
	BMessage reply;
	ASSERT_EQ(messenger.SendMessage(&question, &reply), B_OK);
	EXPECT_EQ(reply.what, static_cast<uint32>('rply'));
	int32 twice = 0;
	EXPECT_EQ(reply.FindInt32("twice", &twice), B_OK);
	EXPECT_EQ(twice, 42);
}

TEST_F(MessengerTest, AReplyThatTakesTooLongTimesOut)
{
	Latch gate;
	fLooper->onMessage = [&](RecordingLooper*, BMessage* message) {
		gate.Wait();
		EXPECT_FALSE(message->IsSourceWaiting());
	};
	BMessenger messenger(fLooper);
	BMessage question('slow');
	BMessage reply;
	EXPECT_EQ(messenger.SendMessage(&question, &reply, B_INFINITE_TIMEOUT, 30000), B_TIMED_OUT);
	gate.Open();
	ASSERT_EQ(BPrivate::WaitForLooperIdle(fLooper), B_OK);
}

TEST_F(MessengerTest, WaitingForAnAnswerFromOneselfIsRefused)
{
	status_t fromOwnThread = B_OK;
	fLooper->onMessage = [&](RecordingLooper* self, BMessage* message) {
		if (message->what == 'self') {
			BMessage reply;
			fromOwnThread = BMessenger(self).SendMessage('loop', &reply);
		}
	};
	fLooper->PostMessage('self');
	ASSERT_EQ(BPrivate::WaitForLooperIdle(fLooper), B_OK);
	EXPECT_EQ(fromOwnThread, B_MESSAGE_TO_SELF);

	ASSERT_TRUE(fLooper->Lock());
	BMessage reply;
	EXPECT_EQ(BMessenger(fLooper).SendMessage('lckd', &reply), B_MESSAGE_TO_SELF);
	fLooper->Unlock();
}

TEST_F(MessengerTest, AMessengerToAHandlerDeliversToThatHandler)
{
	auto handlerJournal = std::make_shared<Journal>();
	RecordingHandler* handler = new RecordingHandler("h", handlerJournal);
	ASSERT_TRUE(fLooper->Lock());
	fLooper->AddHandler(handler);
	fLooper->Unlock();
	BMessenger messenger(handler);
	ASSERT_EQ(messenger.SendMessage('to h'), B_OK);
	ASSERT_EQ(BPrivate::WaitForLooperIdle(fLooper), B_OK);
	EXPECT_EQ(handlerJournal->Count(), 1u);
	EXPECT_EQ(fJournal->Count(), 0u);

	ASSERT_TRUE(messenger.LockTarget());
	fLooper->RemoveHandler(handler);
	fLooper->Unlock();
	delete handler;
	EXPECT_EQ(messenger.Target(nullptr), nullptr);
}

TEST_F(MessengerTest, ARunnerDeliversItsCountAndStopsAndOneWithoutTargetOrIntervalIsRefused)
{
	BMessage tick('tick');
	BMessageRunner runner(BMessenger(fLooper), &tick, 2000, 5);
	ASSERT_EQ(runner.InitCheck(), B_OK);
	for (int i = 0; i < 500 && fJournal->Count() < 5; i++)
		std::this_thread::sleep_for(2ms);
	std::this_thread::sleep_for(20ms);
	ASSERT_EQ(BPrivate::WaitForLooperIdle(fLooper), B_OK);
	EXPECT_EQ(fJournal->Count(), 5u);

	EXPECT_EQ(BMessageRunner(BMessenger(), &tick, 1000).InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(BMessageRunner(BMessenger(fLooper), &tick, 0).InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(BMessageRunner(BMessenger(fLooper), nullptr, 1000).InitCheck(), B_BAD_VALUE);
}

TEST_F(MessengerTest, AnUnlimitedRunnerStopsWhenDeletedOrWhenItsTargetQuits)
{
	BMessage tick('tick');
	auto runner = std::make_unique<BMessageRunner>(BMessenger(fLooper), &tick, 1000);
	while (fJournal->Count() < 3)
		std::this_thread::sleep_for(1ms);
	runner.reset();
	ASSERT_EQ(BPrivate::WaitForLooperIdle(fLooper), B_OK);
	size_t count = fJournal->Count();
	std::this_thread::sleep_for(20ms);
	EXPECT_EQ(fJournal->Count(), count);

	BMessageRunner second(BMessenger(fLooper), &tick, 1000);
	while (fJournal->Count() < count + 2)
		std::this_thread::sleep_for(1ms);
	QuitLooper(fLooper);
	for (int i = 0; i < 200; i++) {
		int32 left = -1;
		second.GetInfo(nullptr, &left);
		if (left == 0)
			break;
		std::this_thread::sleep_for(1ms);
	}
	int32 left = -1;
	second.GetInfo(nullptr, &left);
	EXPECT_EQ(left, 0);
}
