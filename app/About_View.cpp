#include "About_View.h"

#include <algorithm>
#include <cmath>

#include <Bitmap.h>
#include <Button.h>
#include <File.h>
#include <Message.h>
#include <TranslationUtils.h>
#include <Window.h>

#include "Config_.h"
#include "ErrorAlert.h"

namespace {

constexpr float kEmptySide = 100;
constexpr float kButtonWidth = 80;
constexpr float kButtonHeight = 24;
constexpr float kButtonMargin = 10;

const char kGIFCrashed[] = "The GIF image decoder crashed Velmora the last time it was "
	"tested, so it is not tested this time and Velmora ends now.\n\n"
	"Please install a working GIF decoder: the image loaders of gdk-pixbuf (Debian "
	"package libgdk-pixbuf-2.0-0). The next start of Velmora runs normally.";
const char kGIFMissing[] = "The GIF image decoder does not work or is not installed, so "
	"GIF pictures cannot be shown.\n\n"
	"Install the image loaders of gdk-pixbuf (Debian package libgdk-pixbuf-2.0-0; then, as "
	"root, gdk-pixbuf-query-loaders --update-cache) and start Velmora again.";
const char kJPEGMissing[] = "The JPEG image decoder, a standard part of the desktop, is "
	"missing or broken, so JPEG pictures cannot be shown.\n\n"
	"Put it back by reinstalling the image loaders of gdk-pixbuf (Debian package "
	"libgdk-pixbuf-2.0-0; then, as root, gdk-pixbuf-query-loaders --update-cache) and "
	"start Velmora again.";

bool CanOpen(const std::string& path)
{
	BFile file(path.c_str(), B_READ_ONLY);
	return file.InitCheck() == B_OK;
}

} // namespace

About_View::About_View(BRect frame, Placement placement)
	:
	BView(frame, "About", B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
	placement(placement)
{
	Config_* settings = Config_::Shared();
	std::string folder = settings != nullptr && settings->AppDirectory() != nullptr
		? settings->AppDirectory() : "";
	if (placement == kPanel) {
		picture.reset(BTranslationUtils::GetBitmap(
			(folder + "Documentation/images/About.gif").c_str()));
		if (picture != nullptr && !picture->IsValid())
			picture.reset();
		return;
	}
	TestGIFTranslator(settings, folder);
	TestJPEGTranslator(folder);
}

About_View::~About_View() = default;

void About_View::TestGIFTranslator(Config_* settings, const std::string& folder)
{
	std::string path = folder + "Documentation/images/About.gif";
	if (!CanOpen(path)) {
		ErrorAlert("Could not open image file: ", path.c_str(),
			" The file is necessary for testing the GIFTranslator.");
		ResizeTo(kEmptySide, kEmptySide);
		return;
	}
	if (settings != nullptr && settings->StartingGIFTranslatorTest()) {
		ErrorAlert(kGIFCrashed);
		return;
	}
	if (settings != nullptr) {
		settings->SetStartingGIFTranslatorTest(true);
		settings->Save();
	}
	picture.reset(BTranslationUtils::GetBitmap(path.c_str()));
	if (picture == nullptr || !picture->IsValid()) {
		picture.reset();
		ErrorAlert(kGIFMissing);
	} else {
		ResizeTo(picture->Bounds().Width(), picture->Bounds().Height());
	}
	if (settings != nullptr) {
		settings->SetStartingGIFTranslatorTest(false);
		settings->Save();
	}
}

void About_View::TestJPEGTranslator(const std::string& folder)
{
	std::string path = folder + "Documentation/images/Test.jpg";
	if (!CanOpen(path)) {
		ErrorAlert("Could not open image file: ", path.c_str(),
			" The file is necessary for testing the JPEG Translator.");
		return;
	}
	std::unique_ptr<BBitmap> test(BTranslationUtils::GetBitmap(path.c_str()));
	if (test == nullptr || !test->IsValid())
		ErrorAlert(kJPEGMissing);
}

void About_View::AttachedToWindow()
{
	BView::AttachedToWindow();
	BRect bounds = Bounds();
	if (placement == kPanel) {
		FitPictureIntoView();
	} else {
		Window()->ResizeTo(bounds.Width(), bounds.Height());
		Window()->CenterOnScreen();
		if (picture != nullptr)
			SetViewBitmap(picture.get());
	}
	BRect button(bounds.right - kButtonMargin - kButtonWidth,
		bounds.bottom - kButtonMargin - kButtonHeight, bounds.right - kButtonMargin,
		bounds.bottom - kButtonMargin);
	AddChild(new BButton(button, "ok", "OK", new BMessage(B_QUIT_REQUESTED),
		B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM));
}

// The whole picture, as large as the view allows without distorting it,
// centred.
void About_View::FitPictureIntoView()
{
	if (picture == nullptr)
		return;
	BRect source = picture->Bounds();
	BRect bounds = Bounds();
	float scale = std::min({1.0f, (bounds.Width() + 1) / (source.Width() + 1),
		(bounds.Height() + 1) / (source.Height() + 1)});
	float width = (source.Width() + 1) * scale;
	float height = (source.Height() + 1) * scale;
	BRect destination(0, 0, width - 1, height - 1);
	destination.OffsetBy(std::floor((bounds.Width() + 1 - width) / 2),
		std::floor((bounds.Height() + 1 - height) / 2));
	SetViewBitmap(picture.get(), source, destination, B_FOLLOW_TOP | B_FOLLOW_LEFT, 0);
}
