#include <MessageRunner.h>

#include <Message.h>

#include "runner_support/RunnerThread.h"

BMessageRunner::BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval,
	int32 count)
	: BMessageRunner(target, message, interval, count, BMessenger())
{
}

BMessageRunner::BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval,
	int32 count, BMessenger replyTo)
	: fInitStatus(B_OK)
{
	if (message == nullptr || interval <= 0 || !target.IsValid()) {
		fInitStatus = B_BAD_VALUE;
		return;
	}
	fThread = std::make_unique<BPrivate::RunnerThread>(target, *message, replyTo, interval, count);
}

BMessageRunner::~BMessageRunner() = default;

status_t BMessageRunner::SetInterval(bigtime_t interval)
{
	if (fThread == nullptr)
		return B_NO_INIT;
	if (interval <= 0)
		return B_BAD_VALUE;
	fThread->SetInterval(interval);
	return B_OK;
}

status_t BMessageRunner::SetCount(int32 count)
{
	if (fThread == nullptr)
		return B_NO_INIT;
	fThread->SetCount(count);
	return B_OK;
}

status_t BMessageRunner::GetInfo(bigtime_t* interval, int32* count) const
{
	if (fThread == nullptr)
		return B_NO_INIT;
	fThread->GetSchedule(interval, count);
	return B_OK;
}
