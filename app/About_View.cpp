#include "About_View.h"

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

About_View::About_View(BRect frame)
	:
	BView(frame, "About", B_FOLLOW_ALL_SIDES, B_WILL_DRAW)
{
	Config_* settings = Config_::Shared();
	std::string folder = settings != nullptr && settings->AppDirectory() != nullptr
		? settings->AppDirectory() : "";
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
	Window()->ResizeTo(bounds.Width(), bounds.Height());
	Window()->CenterOnScreen();
	if (picture != nullptr)
		SetViewBitmap(picture.get());
	BRect button(bounds.right - kButtonMargin - kButtonWidth,
		bounds.bottom - kButtonMargin - kButtonHeight, bounds.right - kButtonMargin,
		bounds.bottom - kButtonMargin);
	AddChild(new BButton(button, "ok", "OK", new BMessage(B_QUIT_REQUESTED),
		B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM));
}
