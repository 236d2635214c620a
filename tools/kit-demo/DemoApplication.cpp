#include "DemoApplication.h"

#include <cstdio>

#include <Message.h>
#include <Window.h>
#include <WindowTesting.h>

#include "DrawingView.h"
#include "EchoView.h"

namespace {

// Closing either window ends the demo.
class DemoWindow : public BWindow {
public:
	DemoWindow(BRect frame, const char* title)
		: BWindow(frame, title, B_TITLED_WINDOW, B_ASYNCHRONOUS_CONTROLS)
	{
	}

	bool QuitRequested() override
	{
		be_app->PostMessage(B_QUIT_REQUESTED);
		return false;
	}
};

} // namespace

DemoApplication::DemoApplication(std::string dumpFolder, int32 quitAfterSeconds)
	: BApplication("application/x-vnd.velmora-kit-demo"),
	  fDumpFolder(std::move(dumpFolder)),
	  fQuitAfter(quitAfterSeconds)
{
}

void DemoApplication::ReadyToRun()
{
	fDrawingWindow = new DemoWindow(BRect(60, 60, 419, 299), "Kit demo: drawing");
	fDrawingWindow->AddChild(new DrawingView(fDrawingWindow->Bounds()));
	fDrawingWindow->Show();

	fKeysWindow = new DemoWindow(BRect(460, 60, 859, 219), "Kit demo: keys");
	fKeysWindow->AddChild(new EchoView(fKeysWindow->Bounds()));
	fKeysWindow->Show();

	if (fQuitAfter > 0) {
		BMessage quit(B_QUIT_REQUESTED);
		fTimeLimit = std::make_unique<BMessageRunner>(BMessenger(this), &quit,
			static_cast<bigtime_t>(fQuitAfter) * 1000000, 1);
	}
}

bool DemoApplication::QuitRequested()
{
	if (!fDumpFolder.empty()) {
		_Dump(fDrawingWindow, "drawing.png");
		_Dump(fKeysWindow, "keys.png");
	}
	for (BWindow* window : {fDrawingWindow, fKeysWindow}) {
		if (window != nullptr && window->Lock())
			window->Quit();
	}
	fDrawingWindow = nullptr;
	fKeysWindow = nullptr;
	return true;
}

void DemoApplication::_Dump(BWindow* window, const char* name)
{
	if (window == nullptr)
		return;
	std::string path = fDumpFolder + "/" + name;
	if (BPrivate::WriteWindowPNG(window, path.c_str()) != B_OK)
		fprintf(stderr, "could not write %s\n", path.c_str());
}
