#ifndef VELMORA_TESTS_MODEL_TESTING_H
#define VELMORA_TESTS_MODEL_TESTING_H

#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Autolock.h>
#include <DisplayServer.h>
#include <Message.h>
#include <Messenger.h>
#include <ScrollView.h>
#include <Window.h>

#include "Config_.h"
#include "Element_List.h"
#include "EnginePage.h"
#include "TempDirectory.h"
#include "TestFonts.h"
#include "Tidy.h"
#include "VLooper.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"

// A page model with its engine and parser bridge, and none of the editor's
// windows and no application: the engine's text lives in a plain window of
// the kit, whose lock is the engine's. Elements, the engine, the parser
// walk and the HTML writer are tested on it.
namespace ModelTesting {

inline const TempDirectory& UserFolders()
{
	static TempDirectory folders;
	return folders;
}

// The headless display and settings read from a folder of the test run.
inline Config_* Settings()
{
	static Config_* settings = [] {
		BPrivate::DisplayServer::UseHeadless();
		setenv("XDG_CONFIG_HOME", (UserFolders() / "config").c_str(), 1);
		setenv("XDG_DATA_HOME", (UserFolders() / "data").c_str(), 1);
		setenv("XDG_STATE_HOME", (UserFolders() / "state").c_str(), 1);
		return new Config_(true);
	}();
	return settings;
}

// Waits until the looper has handled everything posted to it so far.
inline void Settle(BLooper* looper)
{
	BMessage reply;
	BMessenger(looper).SendMessage('sync', &reply);
}

// The body of a generated page: between the BODY line and "</BODY>".
inline std::string BodyOf(const std::string& html)
{
	size_t start = html.find('>', html.find("<BODY"));
	size_t end = html.rfind("</BODY>");
	if (start == std::string::npos || end == std::string::npos)
		return std::string();
	std::string body = html.substr(start + 1, end - start - 1);
	while (!body.empty() && (body.front() == '\r' || body.front() == '\n'))
		body.erase(0, 1);
	while (!body.empty() && (body.back() == '\r' || body.back() == '\n'))
		body.pop_back();
	return body;
}

class ModelPage : public EnginePage {
public:
	ModelPage()
		:
		EnginePage(Settings()),
		fWindow(new BWindow(BRect(0, 0, 599, 399), "model", B_TITLED_WINDOW, 0))
	{
		fEngine = std::make_unique<Visual_Engine>(fWindow->Bounds(), fWindow, this);
		fWindow->AddChild(fEngine->ScrollView());
		fWindow->Run();
		fFolder.Write("page.html", "");
		fTidy = std::make_unique<Tidy>(this, fPagePath.c_str());
	}

	~ModelPage() override
	{
		fEngine.reset();
		fTidy.reset();
		fWindow->Lock();
		fWindow->Quit();
	}

	// Reads html as a page is loaded: the elements are built with the
	// text's refresh held back, then the text is styled once. With
	// firstNodes only the page's first part is built (see Tidy::Parse).
	bool Read(const std::string& html, int32 firstNodes = INT32_MAX)
	{
		fFolder.Write("page.html", html);
		fTidy->SetPath(fPagePath.c_str());
		ResetPageValues();
		Visual_Text* view = fEngine->View();
		view->BlockRefresh();
		bool parsed = fTidy->Parse(firstNodes);
		view->UnblockRefresh();
		view->_Refresh(0, 0);
		return parsed;
	}

	Visual_Engine* Engine() const override { return fEngine.get(); }
	std::unique_ptr<Visual_Text> MakeView(BRect frame, Visual_Engine* engine) override
	{
		return std::make_unique<Visual_Text>(frame, engine);
	}
	void VisualChanged() override { fChanges++; }
	void ResetProgress(const char* text) override { ShowProgress(0, text); }
	void ShowProgress(float value, const char* label) override
	{
		fProgressValue = value;
		fProgressLabel = label != nullptr ? label : "";
	}
	void Load() override { Read(fFolder.Read("page.html")); }
	void Preview() override {}
	bool UpdateFromHTML(bool, KFile*) override { return Read(fFolder.Read("page.html")); }
	KFile* ExternalExchangeFile() const override { return nullptr; }
	const char* FilePath() const override { return fPagePath.c_str(); }
	void FinishBuild() override { fTidy->FinishBuild(); }

	using EnginePage::HTMLError;
	void HTMLError(long, long, const char* text, VUDAV_message_type) override
	{
		fReports.push_back(text != nullptr ? text : "");
	}
	void HTMLError(const Visual_Element*, const char* text, VUDAV_message_type) override
	{
		fReports.push_back(text != nullptr ? text : "");
	}

	Tidy* MyTidy() const { return fTidy.get(); }
	// The folder of the page's file, where its pictures are.
	const TempDirectory& Folder() const { return fFolder; }
	BWindow* Window() const { return fWindow; }
	int32 CountChanges() const { return fChanges; }
	float ProgressValue() const { return fProgressValue; }
	const std::string& ProgressLabel() const { return fProgressLabel; }
	const std::vector<std::string>& Reports() const { return fReports; }

private:
	TempDirectory fFolder;
	std::string fPagePath = fFolder / "page.html";
	BWindow* fWindow;	// quits when the page goes
	std::unique_ptr<Visual_Engine> fEngine;
	std::unique_ptr<Tidy> fTidy;
	int32 fChanges = 0;
	float fProgressValue = 0;
	std::string fProgressLabel;
	std::vector<std::string> fReports;
};

// What the model and the full page share: the engine, its element list and
// the HTML the page writes.
template <class PageType>
class PageFixture : public testing::Test {
protected:
	void TearDown() override { fPage.reset(); }

	Visual_Engine* Engine() const { return fPage->Engine(); }
	Element_List* List() const { return fPage->Engine()->ElementList(); }

	// The HTML the page writes from its elements, with its CR LF line ends.
	std::string Generated() const
	{
		fPage->GenerateHTML();
		const BMallocIO* buffer = fPage->HTMLBuffer();
		return std::string(static_cast<const char*>(buffer->Buffer()), buffer->BufferLength());
	}

	// The body as the page writes it.
	std::string Body() const { return BodyOf(Generated()); }

	// The element of a class at a list index; null when it is another.
	template <class Element>
	Element* At(unsigned long index) const
	{
		return dynamic_cast<Element*>((*List())[index].element);
	}

	std::unique_ptr<PageType> fPage;
};

class ModelTest : public PageFixture<ModelPage> {
protected:
	// A page model holding html, read as the editor reads a page.
	ModelPage* Open(const std::string& html)
	{
		fPage = std::make_unique<ModelPage>();
		fPage->Read(html);
		Settle();
		return fPage.get();
	}

	// Everything the engine's looper and the window were asked to do.
	void Settle()
	{
		ModelTesting::Settle(fPage->Engine()->Looper());
		ModelTesting::Settle(fPage->Engine()->Looper());
		ModelTesting::Settle(fPage->Window());
	}

	Visual_Text* View() const { return fPage->Engine()->View(); }

	std::string VisualText() const
	{
		BAutolock lock(Engine());
		return View()->Text();
	}
};

} // namespace ModelTesting

#endif
