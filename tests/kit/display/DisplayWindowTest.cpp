#include <DisplayWindow.h>
#include <HeadlessDisplay.h>

#include <vector>

#include <gtest/gtest.h>

using BPrivate::DisplayEvent;
using BPrivate::DisplayWindow;
using BPrivate::HeadlessDisplay;
using BPrivate::PixelRect;
using BPrivate::WindowSpec;

namespace {

cairo_surface_t* Filled(int width, int height, double red)
{
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
	cairo_t* context = cairo_create(surface);
	cairo_set_source_rgb(context, red, 0, 0);
	cairo_paint(context);
	cairo_destroy(context);
	return surface;
}

uint32 FrontPixel(const DisplayWindow& window, int x, int y)
{
	cairo_surface_t* front = window.CopyFront();
	uint32 pixel = reinterpret_cast<uint32*>(cairo_image_surface_get_data(front)
		+ y * cairo_image_surface_get_stride(front))[x];
	cairo_surface_destroy(front);
	return pixel;
}

TEST(DisplayWindowPublishing, OnlyTheFirstPublishOfAPendingRoundAsksForPresentation)
{
	DisplayWindow window(1, WindowSpec(), nullptr);
	cairo_surface_t* red = Filled(20, 10, 1);
	EXPECT_TRUE(window.Publish(red, {PixelRect{0, 0, 5, 5}}));
	EXPECT_FALSE(window.Publish(red, {PixelRect{5, 0, 5, 5}}));
	std::vector<PixelRect> presented;
	window.TakePublished([&](const uint8*, int32, int32 width, int32 height,
			const std::vector<PixelRect>& parts) {
		EXPECT_EQ(width, 20);
		EXPECT_EQ(height, 10);
		presented = parts;
	});
	EXPECT_EQ(presented.size(), 2u);
	EXPECT_TRUE(window.Publish(red, {PixelRect{0, 0, 1, 1}}));
	cairo_surface_destroy(red);
}

TEST(DisplayWindowPublishing, OnlyThePublishedPartsReachTheFront)
{
	DisplayWindow window(1, WindowSpec(), nullptr);
	cairo_surface_t* red = Filled(20, 10, 1);
	window.Publish(red, {PixelRect{0, 0, 20, 10}});
	cairo_surface_t* black = Filled(20, 10, 0);
	window.Publish(black, {PixelRect{-5, -5, 10, 10}, PixelRect{100, 100, 5, 5}});
	EXPECT_EQ(FrontPixel(window, 0, 0), 0xff000000u);
	EXPECT_EQ(FrontPixel(window, 4, 4), 0xff000000u);
	EXPECT_EQ(FrontPixel(window, 5, 5), 0xffff0000u);
	cairo_surface_destroy(red);
	cairo_surface_destroy(black);
}

TEST(DisplayWindowEvents, DetachedWindowHearsNothingMore)
{
	int heard = 0;
	DisplayWindow window(1, WindowSpec(), [&](const DisplayEvent&) { heard++; });
	window.Deliver(DisplayEvent());
	window.Detach();
	window.Deliver(DisplayEvent());
	EXPECT_EQ(heard, 1);
}

class HeadlessWindows : public testing::Test {
protected:
	std::shared_ptr<DisplayWindow> Open(std::vector<DisplayEvent::Kind>* heard,
		bool takesFocus = true)
	{
		WindowSpec spec;
		spec.takesFocus = takesFocus;
		return fDisplay.OpenWindow(spec, [heard](const DisplayEvent& event) {
			heard->push_back(event.kind);
		});
	}

	HeadlessDisplay fDisplay;
};

TEST_F(HeadlessWindows, ShowingActivatesAndClosingHandsTheFocusBack)
{
	std::vector<DisplayEvent::Kind> first;
	std::vector<DisplayEvent::Kind> second;
	auto a = Open(&first);
	auto b = Open(&second);
	fDisplay.ShowWindow(a, true);
	fDisplay.ShowWindow(b, true);
	EXPECT_EQ(fDisplay.ActiveWindowID(), b->ID());
	fDisplay.CloseWindow(b);
	EXPECT_EQ(fDisplay.ActiveWindowID(), a->ID());
	EXPECT_EQ(first, (std::vector<DisplayEvent::Kind>{DisplayEvent::kActivated,
		DisplayEvent::kDeactivated, DisplayEvent::kActivated}));
	// A closed window hears nothing, not even that it lost the focus.
	EXPECT_EQ(second, (std::vector<DisplayEvent::Kind>{DisplayEvent::kActivated}));
}

TEST_F(HeadlessWindows, WindowsThatAvoidFocusAndHiddenOnesAreNeverActivated)
{
	std::vector<DisplayEvent::Kind> heard;
	auto shy = Open(&heard, false);
	fDisplay.ShowWindow(shy, true);
	EXPECT_EQ(fDisplay.ActiveWindowID(), -1);
	auto hidden = Open(&heard);
	fDisplay.ActivateWindow(hidden, true);
	EXPECT_EQ(fDisplay.ActiveWindowID(), -1);
	EXPECT_TRUE(heard.empty());
}

TEST_F(HeadlessWindows, FrameChangesAreReportedOnce)
{
	std::vector<DisplayEvent::Kind> heard;
	auto window = Open(&heard);
	WindowSpec spec = window->Spec();
	spec.frame = PixelRect{10, 20, 300, 200};
	window->SetSpec(spec);
	fDisplay.UpdateWindow(window);
	fDisplay.UpdateWindow(window);
	EXPECT_EQ(heard, (std::vector<DisplayEvent::Kind>{DisplayEvent::kMoved,
		DisplayEvent::kResized}));
}

} // namespace
