// Reads arbitrary bytes as the editor loads a page (the parser bridge
// builds the elements into the engine's text), writes the page's HTML from
// the elements, reads that HTML as a saved page is read again and writes it
// once more. A crash, a sanitizer's report or a leak is a finding, and so
// is an input that takes more than a second of processor time per 100 KB
// read or written (a second at least, for what every input costs) in the
// program as it is shipped: the fuzzer's build, with its sanitizers and
// coverage counters, is given ten times that.

#include <stdlib.h>
#include <time.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include <Autolock.h>
#include <DisplayServer.h>
#include <Message.h>
#include <Messenger.h>
#include <ScrollView.h>
#include <Window.h>

#include "Config_.h"
#include "EnginePage.h"
#include "TempDirectory.h"
#include "Tidy.h"
#include "VLooper.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"

namespace {

constexpr double kSecondsPer100KB = 1.0;
constexpr double kInstrumentedSlowdown = 10.0;

// A page model with its engine in a plain window and its parser bridge,
// as the editor's page has them, without the editor's windows.
class FuzzPage : public EnginePage {
public:
	explicit FuzzPage(Config_* settings)
		:
		EnginePage(settings),
		fWindow(new BWindow(BRect(0, 0, 599, 399), "fuzz", B_TITLED_WINDOW, 0))
	{
		fEngine = std::make_unique<Visual_Engine>(fWindow->Bounds(), fWindow, this);
		fWindow->AddChild(fEngine->ScrollView());
		fWindow->Run();
		fFolder.Write("page.html", "");
		fTidy = std::make_unique<Tidy>(this, (fFolder / "page.html").c_str());
	}

	// Reads the bytes as a page is loaded and writes its HTML.
	std::string LoadAndGenerate(const std::string& bytes)
	{
		fFolder.Write("page.html", bytes);
		ResetPageValues();
		Visual_Text* view = fEngine->View();
		view->BlockRefresh();
		fTidy->Parse();
		view->UnblockRefresh();
		view->_Refresh(0, 0);
		Settle();
		GenerateHTML();
		return std::string(static_cast<const char*>(HTMLBuffer()->Buffer()),
			HTMLBuffer()->BufferLength());
	}

	Visual_Engine* Engine() const override { return fEngine.get(); }
	std::unique_ptr<Visual_Text> MakeView(BRect frame, Visual_Engine* engine) override
	{
		return std::make_unique<Visual_Text>(frame, engine);
	}
	void VisualChanged() override {}
	void ResetProgress(const char*) override {}
	void ShowProgress(float, const char*) override {}
	void Load() override {}
	void Preview() override {}
	const char* FilePath() const override { return nullptr; }
	bool UpdateFromHTML(bool, KFile*) override { return false; }
	KFile* ExternalExchangeFile() const override { return nullptr; }

private:
	// What the parse posted to the engine's looper and the window is
	// handled before the HTML is written, as in the editor.
	void Settle()
	{
		for (BLooper* looper : {static_cast<BLooper*>(fEngine->Looper()),
				static_cast<BLooper*>(fWindow)}) {
			BMessage reply;
			BMessenger(looper).SendMessage('sync', &reply);
		}
	}

	TempDirectory fFolder;
	BWindow* fWindow;	// lives as long as the fuzzer
	std::unique_ptr<Visual_Engine> fEngine;
	std::unique_ptr<Tidy> fTidy;
};

// One page for every input: the engine is emptied by each reading.
FuzzPage* ThePage()
{
	static TempDirectory folders;
	static FuzzPage* page = [] {
		BPrivate::DisplayServer::UseHeadless();
		setenv("XDG_CONFIG_HOME", (folders / "config").c_str(), 1);
		setenv("XDG_DATA_HOME", (folders / "data").c_str(), 1);
		return new FuzzPage(new Config_(true));
	}();
	return page;
}

double ProcessorSeconds()
{
	timespec now;
	clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
	return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	FuzzPage* page = ThePage();
	double start = ProcessorSeconds();
	std::string first = page->LoadAndGenerate(
		std::string(reinterpret_cast<const char*>(data), size));
	page->LoadAndGenerate(first);
	double seconds = ProcessorSeconds() - start;
	double allowed = kSecondsPer100KB * static_cast<double>(size + first.size()) / 100000.0;
	if (seconds > kInstrumentedSlowdown * (allowed > 1.0 ? allowed : 1.0)) {
		fprintf(stderr, "slow: %.2f s of processor time for %zu bytes in, %zu written\n",
			seconds, size, first.size());
		__builtin_trap();
	}
	return 0;
}
