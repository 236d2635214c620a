#include "StartWindow.h"

#include <memory>

#include <Bitmap.h>
#include <StringView.h>
#include <View.h>

#include "ErrorAlert.h"
#include "ProgramPictures.h"

namespace {

const rgb_color kLineColor = {240, 240, 240, 255};
constexpr float kLineHeight = 20;

} // namespace

StartWindow::StartWindow()
	:
	BWindow(BRect(0, 0, 399, 159 + kLineHeight), "Start_Window", B_MODAL_WINDOW_LOOK,
		B_FLOATING_ALL_WINDOW_FEEL, B_NOT_MOVABLE | B_NOT_RESIZABLE | B_NOT_ZOOMABLE),
	line(nullptr)
{
	std::unique_ptr<BBitmap> logo = ProgramPictures().Picture("StartUpLogo");
	BRect picture(0, 0, 399, 159);
	if (logo != nullptr)
		picture = logo->Bounds();
	ResizeTo(picture.Width(), picture.Height() + kLineHeight);
	CenterOnScreen();

	BView* back = new BView(picture, "logo", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	if (logo != nullptr)
		back->SetViewBitmap(logo.get());
	AddChild(back);
	line = new BStringView(BRect(0, picture.bottom + 1, picture.right,
		picture.bottom + kLineHeight), "status", "");
	line->SetFont(be_plain_font);
	line->SetViewColor(kLineColor);
	line->SetLowColor(kLineColor);
	AddChild(line);
	// Without its logo the window is only an empty box: it stays hidden.
	if (logo == nullptr)
		ErrorAlert("Could not open start-up image");
	else
		Show();
}

void StartWindow::SetText(const char* text)
{
	if (!line->LockLooper())
		return;
	line->SetText(text);
	line->SetViewColor(kLineColor);
	line->SetLowColor(kLineColor);
	line->UnlockLooper();
}

std::string StartWindow::Text()
{
	if (!Lock())
		return std::string();
	std::string text = line->Text();
	Unlock();
	return text;
}

void StartWindow::Quit()
{
	Lock();
	BWindow::Quit();
}
