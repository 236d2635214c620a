#include "GalleryApplication.h"

#include <cstdio>

#include <Alert.h>
#include <Invoker.h>
#include <Message.h>
#include <Window.h>
#include <WindowTesting.h>
#include <control_support/AlertDisplay.h>

#include "GalleryWindow.h"

GalleryApplication::GalleryApplication(Options options)
	: BApplication("application/x-vnd.velmora-gallery"),
	  fOptions(std::move(options))
{
}

void GalleryApplication::ReadyToRun()
{
	fWindow = new GalleryWindow();
	fWindow->Show();
	bool dumping = !fOptions.dumpPath.empty() || !fOptions.alertDumpPath.empty();
	if (!fOptions.dumpPath.empty())
		_DumpGallery();
	if (!fOptions.alertDumpPath.empty())
		_DumpAlert();
	if (dumping) {
		PostMessage(B_QUIT_REQUESTED);
		return;
	}
	if (fOptions.quitAfterSeconds > 0) {
		BMessage quit(B_QUIT_REQUESTED);
		fTimeLimit = std::make_unique<BMessageRunner>(BMessenger(this), &quit,
			static_cast<bigtime_t>(fOptions.quitAfterSeconds) * 1000000, 1);
	}
}

bool GalleryApplication::QuitRequested()
{
	if (fWindow != nullptr && fWindow->Lock())
		fWindow->Quit();
	fWindow = nullptr;
	return true;
}

void GalleryApplication::_DumpGallery()
{
	BPrivate::WaitForWindowIdle(fWindow);
	if (BPrivate::WriteWindowPNG(fWindow, fOptions.dumpPath.c_str()) != B_OK) {
		fprintf(stderr, "gallery: could not write %s\n", fOptions.dumpPath.c_str());
		fFailed = true;
	}
}

void GalleryApplication::_DumpAlert()
{
	// The alert window is wanted even where nobody sees it.
	BPrivate::SetAlertWindowsShownHeadless(true);
	auto* alert = new BAlert("Alert", "Could not open the file: /home/user/site/index.html "
		"The page stays open, and nothing you typed is lost.", "Cancel", "Try again", nullptr,
		B_WIDTH_AS_USUAL, B_WARNING_ALERT);
	alert->SetShortcut(0, B_ESCAPE);
	BMessenger messenger(alert);
	alert->Go(new BInvoker());
	BPrivate::WaitForWindowIdle(alert);
	if (BPrivate::WriteWindowPNG(alert, fOptions.alertDumpPath.c_str()) != B_OK) {
		fprintf(stderr, "gallery: could not write %s\n", fOptions.alertDumpPath.c_str());
		fFailed = true;
	}
	messenger.SendMessage(B_QUIT_REQUESTED);
}
