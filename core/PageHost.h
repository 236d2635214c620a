#ifndef VELMORA_PAGE_HOST_H
#define VELMORA_PAGE_HOST_H

#include <SupportDefs.h>

class BHandler;
class BWindow;
class Config_;

// What a page asks of the application that made it.
class PageHost {
public:
	virtual ~PageHost() = default;

	// The program's settings; null when there are none.
	virtual Config_* Config() const = 0;
	// The program is starting; the first page tells it when its first load
	// is done.
	virtual bool IsStarting() const = 0;
	virtual void StartingFinished() = 0;
	// Starts the web browser on scheme + "://" + path.
	virtual void ShowInBrowser(const char* path, const char* scheme) = 0;
	// The user closed the page of a slot of the page table.
	virtual void PostClosePage(int32 index) = 0;
	// A window of a page became the active one.
	virtual void NoteActiveWindow(BWindow* window) = 0;
	// Where the node monitor reports changes of a page's exchange file.
	virtual BHandler* ExchangeWatcher() = 0;
};

#endif
