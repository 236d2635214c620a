#include <Application.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include <AppPrivate.h>
#include <Clipboard.h>
#include <CommandLine.h>
#include <DisplayServer.h>
#include <Message.h>

#include "app_support/ProgramFiles.h"
#include "looper_support/LooperPort.h"
#include "message_support/MessageDelivery.h"
#include "messenger_support/MessengerAccess.h"

BApplication* be_app = nullptr;
BMessenger be_app_messenger;

namespace {

// The application's token for threads that must not read be_app_messenger
// while the application is being made or deleted.
std::atomic<int32> sApplicationToken{-1};

} // namespace

BMessenger BPrivate::ApplicationMessenger()
{
	int32 token = sApplicationToken.load();
	return token >= 0 ? MessengerAccess::Make(token, kPreferredHandler) : BMessenger();
}

BApplication::BApplication(const char* signature)
	: BApplication(signature, nullptr)
{
}

BApplication::BApplication(const char* signature, status_t* error)
	: BLooper("application"),
	  fSignature(signature != nullptr ? signature : "")
{
	fDeleteWhenDone = false;
	if (be_app != nullptr) {
		fprintf(stderr, "BApplication \"%s\" refused: this process already has the "
			"application \"%s\"\n", fSignature.c_str(), be_app->fSignature.c_str());
		fInitStatus = B_NOT_ALLOWED;
	} else {
		be_app = this;
		be_app_messenger = BMessenger(this);
		sApplicationToken = BPrivate::MessengerAccess::LooperToken(be_app_messenger);
		be_clipboard = new BClipboard("system");
	}
	if (error != nullptr)
		*error = fInitStatus;
}

BApplication::~BApplication()
{
	if (be_app != this)
		return;
	QuitAllWindows(true);
	delete be_clipboard;
	be_clipboard = nullptr;
	sApplicationToken = -1;
	be_app_messenger = BMessenger();
	be_app = nullptr;
	// The windows' threads are past their loops; none may still be ending
	// while the program exits.
	BPrivate::join_finished_threads();
}

thread_id BApplication::Run()
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	if (fRunCalled)
		return B_BAD_THREAD_STATE;
	QueueStartMessages();

	BPrivate::DisplayServer* display = BPrivate::DisplayServer::Default();
	if (display->IsHeadless()) {
		fRunCalled = true;
		fThread = find_thread(nullptr);
		fPort->thread = fThread.load();
		if (IsLocked())
			Unlock();
		Loop();
		return fThread;
	}

	thread_id thread = StartThread(AppThreadEntry);
	if (thread < 0)
		return thread;
	// The display loop needs the main thread; it ends when the application
	// loop has ended (AppThreadEntry).
	display->Run();
	wait_for_thread(thread, nullptr);
	return thread;
}

status_t BApplication::AppThreadEntry(void* application)
{
	static_cast<BApplication*>(application)->Loop();
	BPrivate::DisplayServer::Default()->Quit();
	return B_OK;
}

void BApplication::QueueStartMessages()
{
	fPort->queue.PushFront(std::make_unique<BMessage>(B_READY_TO_RUN));

	std::vector<std::string> arguments = BPrivate::ProcessArguments();
	if (arguments.size() < 2)
		return;
	auto argv = std::make_unique<BMessage>(B_ARGV_RECEIVED);
	argv->AddInt32("argc", static_cast<int32>(arguments.size()));
	for (const std::string& argument : arguments)
		argv->AddString("argv", argument.c_str());
	char directory[4096];
	if (getcwd(directory, sizeof(directory)) != nullptr)
		argv->AddString("cwd", directory);
	fPort->queue.PushFront(std::move(argv));
}

void BApplication::Quit()
{
	fTerminating = true;
	fPort->queue.Close();
}

bool BApplication::QuitRequested()
{
	return QuitAllWindows(false);
}

bool BApplication::QuitAllWindows(bool force)
{
	// A window thread blocked on the application's lock would never end, and
	// Quit() of its window waits for it: give the lock up meanwhile.
	int32 levels = fPort->lock.ReleaseAll();
	bool allQuit = true;
	for (BLooper* window : BPrivate::WindowLoopers()) {
		// The snapshot may name windows that closed meanwhile.
		if (!BPrivate::LockWindowLooper(window))
			continue;
		if (!force && !window->QuitRequested()) {
			window->Unlock();
			allQuit = false;
			break;
		}
		window->Quit();
	}
	for (int32 i = 0; i < levels; i++)
		fPort->lock.Acquire(B_INFINITE_TIMEOUT);
	return allQuit;
}

void BApplication::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (handler != this) {
		BLooper::DispatchMessage(message, handler);
		return;
	}
	switch (message->what) {
		case B_ARGV_RECEIVED:
			HandleArgv(message);
			break;
		case B_READY_TO_RUN:
			ReadyToRun();
			fReadyToRunDone = true;
			break;
		case B_REFS_RECEIVED:
			RefsReceived(message);
			break;
		default:
			BLooper::DispatchMessage(message, handler);
			break;
	}
}

void BApplication::HandleArgv(BMessage* message)
{
	std::vector<char*> argv;
	const char* argument;
	for (int32 i = 0; message->FindString("argv", i, &argument) == B_OK; i++)
		argv.push_back(const_cast<char*>(argument));
	argv.push_back(nullptr);
	ArgvReceived(static_cast<int32>(argv.size() - 1), argv.data());
}

void BApplication::ReadyToRun()
{
}

void BApplication::ArgvReceived(int32, char**)
{
}

void BApplication::RefsReceived(BMessage*)
{
}

status_t BApplication::GetAppInfo(app_info* info) const
{
	if (info == nullptr)
		return B_BAD_VALUE;
	*info = app_info();
	thread_id thread = Thread();
	info->thread = thread >= 0 ? thread : current_team();
	info->team = current_team();
	strncpy(info->signature, fSignature.c_str(), sizeof(info->signature) - 1);
	info->signature[sizeof(info->signature) - 1] = '\0';
	return BPrivate::OwnProgramRef(&info->ref);
}
