#include <Invoker.h>

#include "LooperTestSupport.h"

#include <gtest/gtest.h>

TEST(InvokerTest, InvokeSendsACopyOfTheModelMessageWithItsSourceAndNothingWithoutATarget)
{
	auto journal = std::make_shared<Journal>();
	auto* looper = new RecordingLooper(journal);
	looper->Run();
	BInvoker invoker(new BMessage('tick'), looper);
	ASSERT_EQ(invoker.Invoke(), B_OK);
	ASSERT_EQ(BPrivate::WaitForLooperIdle(looper, 2000000), B_OK);
	auto messages = journal->Messages();
	ASSERT_EQ(messages.size(), 1u);
	void* source = nullptr;
	EXPECT_EQ(messages[0].FindPointer("source", &source), B_OK);
	EXPECT_EQ(source, &invoker);
	EXPECT_FALSE(invoker.Message()->HasPointer("source")) << "the model message must stay clean";
	QuitLooper(looper);
	EXPECT_NE(invoker.Invoke(), B_OK) << "its looper is gone";

	BInvoker noTarget(new BMessage('tick'), BMessenger());
	EXPECT_EQ(noTarget.Invoke(), B_BAD_HANDLER);
	BInvoker noMessage;
	EXPECT_EQ(noMessage.Invoke(), B_BAD_VALUE);
}
