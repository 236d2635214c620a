#ifndef _APPLICATION_H
#define _APPLICATION_H

#include <atomic>
#include <string>

#include <Looper.h>
#include <Messenger.h>
#include <Roster.h>

// The program's one application object. Run() delivers B_ARGV_RECEIVED
// (when there are arguments) and B_READY_TO_RUN before anything else. With
// a desktop display the application looper gets its own thread and the
// calling (main) thread runs the display until the application quits;
// headless, the calling thread runs the application looper itself. Unlike
// other loopers the application is not deleted when it quits: main() does.
class BResources;

class BApplication : public BLooper {
public:
	explicit BApplication(const char* signature);
	// A second application object in one process is refused: its error is
	// B_NOT_ALLOWED and it never runs.
	BApplication(const char* signature, status_t* error);
	~BApplication() override;

	status_t InitCheck() const { return fInitStatus; }

	// Returns when the application has quit.
	thread_id Run() override;
	// From any thread; the loop ends after the current message.
	void Quit() override;
	// Asks every window; true when all of them quit.
	bool QuitRequested() override;
	void DispatchMessage(BMessage* message, BHandler* handler) override;

	virtual void ReadyToRun();
	virtual void ArgvReceived(int32 argc, char** argv);
	virtual void RefsReceived(BMessage* message);

	status_t GetAppInfo(app_info* info) const;
	bool IsLaunching() const { return !fReadyToRunDone.load(); }

	// The program's resource archive (defined by the storage kit); null when
	// there is none or it is damaged.
	static BResources* AppResources();

private:
	static status_t AppThreadEntry(void* application);
	void QueueStartMessages();
	bool QuitAllWindows(bool force);
	void HandleArgv(BMessage* message);

	std::string fSignature;
	status_t fInitStatus = B_OK;
	std::atomic<bool> fReadyToRunDone{false};
};

extern BApplication* be_app;
extern BMessenger be_app_messenger;

#endif
