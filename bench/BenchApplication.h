// The editor's pieces for benchmarks that open pages: one application
// object that is never run (pages, windows and loopers work without its
// loop), and a wait for a looper to be done with what it was sent.

#ifndef BENCH_APPLICATION_H
#define BENCH_APPLICATION_H

#include <stdlib.h>

#include <DisplayServer.h>
#include <Message.h>
#include <Messenger.h>

#include "TempDirectory.h"
#include "WApplication.h"

// The user's folders of the run are those below `folders`.
inline WApplication* Application(const TempDirectory& folders)
{
	static WApplication* application = [&folders] {
		BPrivate::DisplayServer::UseHeadless();
		setenv("XDG_CONFIG_HOME", (folders / "config").c_str(), 1);
		setenv("XDG_DATA_HOME", (folders / "data").c_str(), 1);
		return new WApplication(nullptr, true);
	}();
	return application;
}

// Waits until the looper has handled everything posted to it so far.
inline void Settle(BLooper* looper)
{
	BMessage reply;
	BMessenger(looper).SendMessage('sync', &reply);
}

#endif
