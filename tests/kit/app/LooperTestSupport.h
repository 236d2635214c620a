#ifndef VELMORA_LOOPER_TEST_SUPPORT_H
#define VELMORA_LOOPER_TEST_SUPPORT_H

#include <AppPrivate.h>
#include <Looper.h>
#include <Message.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// What a looper received, kept apart from the looper so that it can be read
// after the looper is gone.
struct Journal {
	std::mutex lock;
	std::vector<BMessage> messages;
	std::atomic<bool> looperDeleted{false};

	void Add(const BMessage& message)
	{
		std::lock_guard<std::mutex> guard(lock);
		messages.push_back(message);
	}
	std::vector<BMessage> Messages()
	{
		std::lock_guard<std::mutex> guard(lock);
		return messages;
	}
	size_t Count()
	{
		std::lock_guard<std::mutex> guard(lock);
		return messages.size();
	}
};

// A gate a looper's handler can wait at until the test opens it.
class Latch {
public:
	void Open()
	{
		{
			std::lock_guard<std::mutex> guard(fLock);
			fOpen = true;
		}
		fChanged.notify_all();
	}
	void Wait()
	{
		std::unique_lock<std::mutex> guard(fLock);
		fChanged.wait(guard, [this] { return fOpen; });
	}

private:
	std::mutex fLock;
	std::condition_variable fChanged;
	bool fOpen = false;
};

class RecordingLooper : public BLooper {
public:
	explicit RecordingLooper(std::shared_ptr<Journal> journal, int32 capacity = 200)
		: BLooper("recorder", B_NORMAL_PRIORITY, capacity),
		  fJournal(std::move(journal))
	{
	}
	~RecordingLooper() override { fJournal->looperDeleted = true; }

	void MessageReceived(BMessage* message) override
	{
		fJournal->Add(*message);
		if (onMessage)
			onMessage(this, message);
		else
			BLooper::MessageReceived(message);
	}
	bool QuitRequested() override { return agreesToQuit; }

	// Runs on the looper's thread, under its lock.
	std::function<void(RecordingLooper*, BMessage*)> onMessage;
	std::atomic<bool> agreesToQuit{true};

private:
	std::shared_ptr<Journal> fJournal;
};

class RecordingHandler : public BHandler {
public:
	RecordingHandler(const char* name, std::shared_ptr<Journal> journal)
		: BHandler(name), fJournal(std::move(journal)) {}
	void MessageReceived(BMessage* message) override { fJournal->Add(*message); }

private:
	std::shared_ptr<Journal> fJournal;
};

// Ends a looper from the test's thread, as its owner would.
inline void QuitLooper(BLooper* looper)
{
	if (looper->Lock())
		looper->Quit();
}

#endif
