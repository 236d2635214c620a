#ifndef VELMORA_TESTS_PAGE_TESTING_H
#define VELMORA_TESTS_PAGE_TESTING_H

#include <stdlib.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <AppPrivate.h>
#include <Autolock.h>
#include <DisplayServer.h>
#include <Message.h>
#include <Messenger.h>
#include <WindowTesting.h>

#include "Element_List.h"
#include "HTMLError_Window.h"
#include "ModelTesting.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "Page.h"
#include "TempDirectory.h"
#include "TestFonts.h"
#include "VLooper.h"
#include "VWindow.h"
#include "Visual_Engine.h"
#include "Visual_View.h"
#include "WApplication.h"

// Pages as the editor makes them, with their windows, on the headless
// display, with the settings and scratch folders of the user in a folder
// of the test run.
namespace PageTesting {

using ModelTesting::Settle;

// The program's one application object, made on first use and never run:
// pages, windows and loopers work without its loop.
inline WApplication* Application()
{
	static WApplication* application = [] {
		ModelTesting::Settings();
		return new WApplication(nullptr, true);
	}();
	return application;
}

// A page on a file of its own, loaded as the editor loads it.
class PageTest : public ModelTesting::PageFixture<Page> {
protected:
	// Writes html into a page file and opens a page on it, loaded.
	Page* Open(const std::string& html, const std::string& name = "page.html")
	{
		fFolder.Write(name, html);
		Application();
		fPage = std::make_unique<Page>((fFolder / name).c_str(), 0, Application());
		Load();
		return fPage.get();
	}

	void Load()
	{
		fPage->Engine()->PostMessage('reld');
		Settle();
	}

	// Everything the engine's looper and the error list were asked to do,
	// and the hand-off of the keyboard the error list makes after a reading:
	// a window that becomes active may take over its partner's edits, which
	// must not happen in the middle of a test's next steps.
	void Settle()
	{
		PageTesting::Settle(fPage->Engine()->Looper());
		PageTesting::Settle(fPage->Engine()->Looper());
		PageTesting::Settle(fPage->HTMLErrorWindow());
		BPrivate::WaitForWindowIdle(fPage->VisualWindow());
		BPrivate::WaitForWindowIdle(fPage->HTMLWindow());
	}

	Visual_View* View() const { return static_cast<Visual_View*>(fPage->Engine()->View()); }
	BWindow* VisualWindow() const { return fPage->VisualWindow(); }

	std::string VisualText() const
	{
		BAutolock lock(fPage->VisualWindow());
		return View()->Text();
	}

	void Select(int32 start, int32 finish)
	{
		BAutolock lock(VisualWindow());
		View()->Select(start, finish);
	}

	// A point of the text in the window's coordinates: within the
	// character at offset.
	BPoint WindowPoint(int32 offset)
	{
		BAutolock lock(VisualWindow());
		float height = 0;
		BPoint point = View()->PointAt(offset, &height) + BPoint(2, height / 2);
		return VisualWindow()->ConvertFromScreen(View()->ConvertToScreen(point));
	}

	// The shown window of a class, once it is idle; null when none shows
	// within tries looks.
	template <class Window>
	static BWindow* ShownWindow(int tries = 200)
	{
		for (int i = 0; i < tries; i++) {
			for (BLooper* looper : BPrivate::WindowLoopers()) {
				if (!BPrivate::LockWindowLooper(looper, BPrivate::kBusyWindow))
					continue;
				BWindow* window = dynamic_cast<Window*>(looper);
				bool shown = window != nullptr && window->Thread() >= 0 && !window->IsHidden();
				looper->Unlock();
				// Through the registry, never through the window: one that
				// is closing may be gone once its lock is given back.
				if (shown) {
					BPrivate::WaitForLooperIdle(looper, 10000000);
					return window;
				}
			}
			snooze(10000);
		}
		return nullptr;
	}

	TempDirectory fFolder;
};

} // namespace PageTesting

#endif
