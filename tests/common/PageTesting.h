#ifndef VELMORA_TESTS_PAGE_TESTING_H
#define VELMORA_TESTS_PAGE_TESTING_H

#include <stdlib.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <Autolock.h>
#include <DisplayServer.h>
#include <Message.h>
#include <Messenger.h>

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
class PageTest : public testing::Test {
protected:
	void TearDown() override { fPage.reset(); }

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

	// Everything the engine's looper and the error list were asked to do.
	void Settle()
	{
		PageTesting::Settle(fPage->Engine()->Looper());
		PageTesting::Settle(fPage->Engine()->Looper());
		PageTesting::Settle(fPage->HTMLErrorWindow());
	}

	Visual_Engine* Engine() const { return fPage->Engine(); }
	Visual_View* View() const { return static_cast<Visual_View*>(fPage->Engine()->View()); }
	Element_List* List() const { return fPage->Engine()->ElementList(); }
	BWindow* VisualWindow() const { return fPage->VisualWindow(); }

	std::string VisualText() const
	{
		BAutolock lock(fPage->VisualWindow());
		return View()->Text();
	}

	// The HTML the page writes from its elements, with its CR LF line ends.
	std::string Generated() const
	{
		fPage->GenerateHTML();
		const BMallocIO* buffer = fPage->HTMLBuffer();
		return std::string(static_cast<const char*>(buffer->Buffer()), buffer->BufferLength());
	}

	// The body as the page writes it.
	std::string Body() const { return ModelTesting::BodyOf(Generated()); }

	// The element of a class at a list index; null when it is another.
	template <class Element>
	Element* At(unsigned long index) const
	{
		return dynamic_cast<Element*>((*List())[index].element);
	}

	TempDirectory fFolder;
	std::unique_ptr<Page> fPage;
};

} // namespace PageTesting

#endif
