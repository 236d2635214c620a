// The editor's pieces for benchmarks that open pages: one application
// object that is never run (pages, windows and loopers work without its
// loop), a page on a file of its own, a wait for a looper to be done with
// what it was sent, and a page loaded as the program loads it.

#ifndef BENCH_APPLICATION_H
#define BENCH_APPLICATION_H

#include <stdlib.h>

#include <string>

#include <DisplayServer.h>
#include <Message.h>
#include <Messenger.h>

#include "HTMLError_Window.h"
#include "Page.h"
#include "TempDirectory.h"
#include "VLooper.h"
#include "Visual_Engine.h"
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

// A page of the editor on html, written into pages, not loaded yet. Every
// page of a run shares the run's user folders.
inline Page* PageOn(const std::string& html, TempDirectory& pages)
{
	static TempDirectory folders;
	pages.Write("page.html", html);
	return new Page((pages / "page.html").c_str(), 0, Application(folders));
}

// Waits until the looper has handled everything posted to it so far.
inline void Settle(BLooper* looper)
{
	BMessage reply;
	BMessenger(looper).SendMessage('sync', &reply);
}

// As the program loads a page: the engine's looper runs Page::Load, and
// what that posts on (the visual text, the error list) is handled before
// the page is ready.
inline void LoadPage(Page* page)
{
	page->Engine()->PostMessage('reld');
	Settle(page->Engine()->Looper());
	Settle(page->Engine()->Looper());
	Settle(page->HTMLErrorWindow());
}

#endif
