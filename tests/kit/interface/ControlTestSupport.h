#ifndef VELMORA_CONTROL_TEST_SUPPORT_H
#define VELMORA_CONTROL_TEST_SUPPORT_H

#include <Autolock.h>
#include <Control.h>

#include "WindowTestSupport.h"

namespace ControlTests {

using namespace WindowTests;

const char kEnter[] = {B_ENTER, 0};
const char kSpace[] = {B_SPACE, 0};
const char kTab[] = {B_TAB, 0};
const char kEscape[] = {B_ESCAPE, 0};
const char kLeft[] = {B_LEFT_ARROW, 0};
const char kRight[] = {B_RIGHT_ARROW, 0};
const char kUp[] = {B_UP_ARROW, 0};
const char kDown[] = {B_DOWN_ARROW, 0};
const char kHome[] = {B_HOME, 0};
const char kEnd[] = {B_END, 0};

// A shown 400 x 240 window "w" for controls; what they send to it lands in
// the journal as "w:Message ....".
class ControlTest : public WindowTest {
protected:
	void SetUp() override { fWindow = MakeWindow(BRect(100, 100, 499, 339), "w"); }

	// Adds the view to the window (before it is shown) and returns it.
	template<typename View>
	View* Add(View* view)
	{
		fWindow->AddChild(view);
		return view;
	}

	void Show() { ShowAndWait(fWindow); }

	// The messages with this command that reached the window, in order.
	std::vector<BMessage> Sent(uint32 what)
	{
		std::vector<BMessage> found;
		for (const BMessage& message : fJournal->Messages()) {
			if (message.what == what)
				found.push_back(message);
		}
		return found;
	}

	// A point of the view (its own coordinates) in the window's.
	BPoint InWindow(BView* view, BPoint point)
	{
		BAutolock lock(fWindow);
		return fWindow->ConvertFromScreen(view->ConvertToScreen(point));
	}
	BPoint CenterOf(BView* view)
	{
		BRect bounds;
		{
			BAutolock lock(fWindow);
			bounds = view->Bounds();
		}
		return InWindow(view, BPoint((bounds.left + bounds.right) / 2,
			(bounds.top + bounds.bottom) / 2));
	}

	void Click(BView* view) { Click(CenterOf(view)); }
	void Click(BPoint where)
	{
		ASSERT_EQ(BPrivate::PostClick(fWindow, where), B_OK);
		Idle(fWindow);
	}
	void Key(const char* bytes, uint32 modifiers = 0)
	{
		ASSERT_EQ(BPrivate::PostKey(fWindow, bytes, modifiers), B_OK);
		Idle(fWindow);
	}
	void Focus(BView* view)
	{
		BAutolock lock(fWindow);
		view->MakeFocus(true);
	}
	BView* FocusView()
	{
		BAutolock lock(fWindow);
		return fWindow->CurrentFocus();
	}
	int32 ValueOf(BControl* control)
	{
		BAutolock lock(fWindow);
		return control->Value();
	}
	// The pixel at a point of the view, now or in a snapshot of the window.
	rgb_color PixelIn(BView* view, BPoint point)
	{
		std::unique_ptr<BBitmap> picture = Snap();
		return PixelIn(picture.get(), view, point);
	}
	rgb_color PixelIn(const BBitmap* picture, BView* view, BPoint point)
	{
		BPoint at = InWindow(view, point);
		EXPECT_TRUE(picture->Bounds().Contains(at)) << "outside the window";
		if (!picture->Bounds().Contains(at))
			return rgb_color{};
		return PixelOf(picture, static_cast<int>(at.x), static_cast<int>(at.y));
	}
	std::unique_ptr<BBitmap> Snap()
	{
		return std::unique_ptr<BBitmap>(BPrivate::WindowSnapshot(fWindow));
	}
	// Whether any pixel of the view's rectangle passes the test.
	template<typename Test>
	bool AnyPixelIn(BView* view, BRect rect, Test test)
	{
		std::unique_ptr<BBitmap> picture = Snap();
		for (float y = rect.top; y <= rect.bottom; y++) {
			for (float x = rect.left; x <= rect.right; x++) {
				if (test(PixelIn(picture.get(), view, BPoint(x, y))))
					return true;
			}
		}
		return false;
	}

	RecordingWindow* fWindow = nullptr;
};

// Whether a colour is a dark ink rather than a grey of the panel's look.
inline bool IsInk(rgb_color color)
{
	return color.red < 100 && color.green < 100 && color.blue < 100;
}

} // namespace ControlTests

#endif
