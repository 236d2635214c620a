// A big page's start is shown while the whole page is read; then the page
// is shown once its first part is built, and the rest is built while the
// window shows, scrolls and draws what is there. Whatever needs the whole
// page (an edit, a save) builds the rest first.

#include <memory>
#include <string>

#include <Bitmap.h>

#include "ErrorAlert.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "KBottomBar.h"
#include "PageTesting.h"
#include "Tidy.h"

using PageTesting::PageTest;

namespace {

// About 5 MB of the markup pages are made of: headings, paragraphs with
// styles and links, lists and tables; the last paragraph says it is last.
std::string BigPage(const std::string& start = "<p>Start here.</p>")
{
	std::string body;
	for (int section = 0; body.size() < 5000000; section++) {
		std::string n = std::to_string(section);
		body += "<h2>Section " + n + "</h2>\n<p>Some <b>bold " + n + "</b> and <i>slanted</i> "
			"words, a <a href=\"#s" + n + "\">link</a> and &eacute;t&eacute; text.</p>\n"
			"<ul><li>first " + n + "</li><li>second <em>item</em></li></ul>\n"
			"<table border=\"1\"><tr><td>cell " + n + "</td><td>another</td></tr></table>\n";
	}
	return "<html><head><title>Big</title></head><body>\n" + start + "\n" + body
		+ "<p>The last paragraph.</p>\n</body></html>\n";
}

class ProgressiveLoad : public PageTest {
protected:
	void ReadBigPage(const std::string& html = BigPage())
	{
		fFolder.Write("big.html", html);
		PageTesting::Application();
		fPage = std::make_unique<Page>((fFolder / "big.html").c_str(), 0,
			PageTesting::Application());
		fPage->Engine()->PostMessage('reld');
	}

	// Starts loading the page and returns once its file is being read: its
	// view is hidden until the first part is shown.
	bool StartReading()
	{
		ReadBigPage();
		for (int tries = 0; tries < 2000; tries++) {
			{
				BAutolock lock(VisualWindow());
				if (View()->IsHidden())
					return true;
			}
			snooze(1000);
		}
		return false;
	}

	bool Shown()
	{
		BAutolock lock(VisualWindow());
		return !View()->IsHidden() && View()->TextLength() > 0;
	}

	// Starts loading the page and returns once its first part is shown
	// (false when the whole page was built before that could be seen).
	bool StartLoading()
	{
		ReadBigPage();
		for (int tries = 0; tries < 6000; tries++) {
			if (!fPage->IsReading() && Shown())
				return fPage->MyTidy()->IsBuilding();
			snooze(5000);
		}
		return false;
	}

	// Dark pixels in the text's part of the window: drawn text.
	int32 DrawnTextPixels()
	{
		BPrivate::WaitForWindowIdle(VisualWindow());
		std::unique_ptr<BBitmap> shot(BPrivate::WindowSnapshot(VisualWindow()));
		BRect frame;
		{
			BAutolock lock(VisualWindow());
			frame = View()->ConvertToScreen(View()->Bounds());
			frame = VisualWindow()->ConvertFromScreen(frame);
		}
		const uint8* bits = static_cast<const uint8*>(shot->Bits());
		int32 dark = 0;
		for (int32 y = static_cast<int32>(frame.top); y < frame.bottom && y < shot->Bounds().Height(); y++) {
			for (int32 x = static_cast<int32>(frame.left); x < frame.right && x < shot->Bounds().Width(); x++) {
				const uint8* pixel = bits + y * shot->BytesPerRow() + x * 4;
				dark += pixel[0] < 100 && pixel[1] < 100 && pixel[2] < 100 ? 1 : 0;
			}
		}
		return dark;
	}

	// Until the rest is built and the engine's looper is idle.
	void WaitForTheBuild()
	{
		for (int tries = 0; tries < 12000 && fPage->MyTidy()->IsBuilding(); tries++)
			snooze(5000);
		Settle();
	}
};

} // namespace

TEST_F(ProgressiveLoad, TheFirstScreenIsDrawnWhileTheRestIsBuiltAndAnEditTypedThenIsSaved)
{
	ASSERT_TRUE(StartLoading()) << "the page was complete before it was shown";
	EXPECT_GT(DrawnTextPixels(), 200) << "the first screen is drawn";
	BPrivate::WriteWindowPNG(VisualWindow(), (fFolder / "first-screen.png").c_str());
	EXPECT_TRUE(fPage->MyTidy()->IsBuilding()) << "drawn before the build ended";
	BPrivate::PostMouseMoved(VisualWindow(), WindowPoint(0) + BPoint(40, 40));
	BPrivate::PostWheel(VisualWindow(), 0, 2);
	BPrivate::WaitForWindowIdle(VisualWindow());
	EXPECT_TRUE(fPage->MyTidy()->IsBuilding()) << "the wheel scrolls without waiting";

	// Typed after "Start": the key waits for the build, then goes in.
	int32 start = static_cast<int32>(VisualText().find("Start here."));
	Select(start + 5, start + 5);
	BPrivate::TypeText(VisualWindow(), "ed");
	WaitForTheBuild();
	std::string text = VisualText();
	EXPECT_EQ(text.find("Started here."), text.find("Start")) << "the edit is in";
	EXPECT_NE(text.find("The last paragraph."), std::string::npos);

	ASSERT_EQ(fPage->Save(), B_OK);
	std::string saved = fFolder.Read("big.html");
	EXPECT_NE(saved.find("<P>Started here.</P>"), std::string::npos);
	EXPECT_NE(saved.find("<P>The last paragraph.</P>"), std::string::npos) << "the whole page";
}

// The library reads the whole page for a good part of a second: the page's
// start, read on its own, is shown meanwhile, and then gives way to the
// whole page. What the start found (a picture it could not read) is
// reported once, by the whole page.
TEST_F(ProgressiveLoad, TheStartIsShownWhileTheWholePageIsReadAndReportsNothingTwice)
{
	ReadBigPage(BigPage("<p>Start here.<img src=\"missing.png\"></p>"));
	bool startShown = false;
	for (int tries = 0; tries < 20000 && !startShown; tries++) {
		startShown = fPage->IsReading() && Shown();
		if (!startShown)
			snooze(500);
	}
	ASSERT_TRUE(startShown) << "nothing was shown while the page was read";
	EXPECT_GT(DrawnTextPixels(), 200) << "the start is drawn";
	BPrivate::WriteWindowPNG(VisualWindow(), (fFolder / "start.png").c_str());
	EXPECT_EQ(VisualText().find("The last paragraph."), std::string::npos);

	WaitForTheBuild();
	std::string text = VisualText();
	EXPECT_EQ(text.find("Start here."), text.rfind("Start here.")) << "the start went";
	EXPECT_NE(text.find("The last paragraph."), std::string::npos);
	PageTesting::Settle(fPage->HTMLErrorWindow());
	BAutolock lock(fPage->HTMLErrorWindow());
	int32 reports = 0;
	for (int32 i = 0; i < fPage->HTMLErrorWindow()->CountItems(); i++)
		reports += std::string(fPage->HTMLErrorWindow()->ItemText(i)).find("missing.png")
			!= std::string::npos;
	EXPECT_EQ(reports, 1);
}

TEST_F(ProgressiveLoad, ASaveAskedForWhileThePageIsBuiltWritesTheWholePage)
{
	ASSERT_TRUE(StartLoading()) << "the page was complete before it was shown";
	VisualWindow()->PostMessage('save');
	WaitForTheBuild();
	std::string saved = fFolder.Read("big.html");
	EXPECT_NE(saved.find("<P>Start here.</P>"), std::string::npos);
	EXPECT_NE(saved.find("<P>The last paragraph.</P>"), std::string::npos) << "the whole page";
	EXPECT_NE(saved.find("cell 1000"), std::string::npos);
}

// The reading's reports name places in the text read: once the rest is
// built, the HTML window still holds that text, as after a page built in
// one go, and the page is still saved.
TEST_F(ProgressiveLoad, OnceTheRestIsBuiltTheHTMLWindowStillHoldsTheTextTheReportsPointInto)
{
	ASSERT_TRUE(StartLoading()) << "the page was complete before it was shown";
	WaitForTheBuild();
	BAutolock lock(fPage->HTMLWindow());
	EXPECT_TRUE(std::string(fPage->HTMLWindow()->View()->Text()) == BigPage());
	EXPECT_TRUE(fPage->IsSaved());
}

// Escape stops the build: the part built so far stays shown and can be
// worked on, but the page is not saved, so its file keeps the whole page.
TEST_F(ProgressiveLoad, EscapeStopsTheBuildAndThePartShownIsNeverSavedOverTheFile)
{
	ASSERT_TRUE(StartLoading()) << "the page was complete before it was shown";
	const char escape[] = {B_ESCAPE, 0};
	BPrivate::PostKey(VisualWindow(), escape);
	BPrivate::WaitForWindowIdle(VisualWindow());
	Settle();
	EXPECT_FALSE(fPage->MyTidy()->IsBuilding());
	EXPECT_TRUE(fPage->IsPartial());
	std::string text = VisualText();
	EXPECT_NE(text.find("Start here."), std::string::npos) << "the part built is shown";
	EXPECT_EQ(text.find("The last paragraph."), std::string::npos) << "the rest was not built";
	{
		BAutolock lock(VisualWindow());
		EXPECT_NE(std::string(fPage->VisualWindow()->BottomBar()->Text()).find("Stopped"),
			std::string::npos);
	}

	Select(0, 0);
	BPrivate::TypeText(VisualWindow(), "x");
	BPrivate::WaitForWindowIdle(VisualWindow());
	static std::string told;
	error_alert_handler before = SetErrorAlertHandler([](const char* text) { told = text; });
	EXPECT_EQ(fPage->Save(), B_NOT_ALLOWED);
	SetErrorAlertHandler(before);
	EXPECT_NE(told.find("not saved"), std::string::npos) << "the user is told why";
	EXPECT_EQ(fFolder.Read("big.html"), BigPage()) << "the file is as it was";
	EXPECT_FALSE(fPage->IsSaved()) << "closing still asks about the edit";

	Load();
	EXPECT_FALSE(fPage->IsPartial()) << "read again, the page is whole";
	EXPECT_NE(VisualText().find("The last paragraph."), std::string::npos);
}

// Keys typed while the page file is still being read, before any of it is
// shown, wait for it and go in where the caret then stands: at its start.
TEST_F(ProgressiveLoad, KeysTypedWhileThePageIsReadWaitForItAndGoIn)
{
	ASSERT_TRUE(StartReading()) << "the reading never began";
	BPrivate::TypeText(VisualWindow(), "Go");
	WaitForTheBuild();
	BPrivate::WaitForWindowIdle(VisualWindow());
	Settle();
	std::string text = VisualText();
	EXPECT_EQ(text.rfind("Go", 0), 0u) << text.substr(0, 40);
	EXPECT_NE(text.find("The last paragraph."), std::string::npos);
	EXPECT_FALSE(fPage->IsSaved()) << "the keys are an edit";
	ASSERT_EQ(fPage->Save(), B_OK);
	std::string saved = fFolder.Read("big.html");
	size_t typed = saved.find("Go");
	EXPECT_LT(typed, saved.find("<P>Start here.</P>")) << saved.substr(0, 300);
}

// Escape while the page file is still being read stops the reading: the
// page shows nothing of it, is never saved over its file, and is read
// whole again by Revert.
TEST_F(ProgressiveLoad, EscapeWhileThePageIsReadStopsTheReadingAndKeepsTheFile)
{
	ASSERT_TRUE(StartReading()) << "the reading never began";
	BPrivate::TypeText(VisualWindow(), "x");
	const char escape[] = {B_ESCAPE, 0};
	BPrivate::PostKey(VisualWindow(), escape);
	Settle();
	BPrivate::WaitForWindowIdle(VisualWindow());
	EXPECT_TRUE(fPage->IsPartial());
	EXPECT_EQ(VisualText().find("Start here."), std::string::npos) << "nothing was built";
	EXPECT_EQ(VisualText().find('x'), std::string::npos) << "the key had no page to go into";
	{
		BAutolock lock(VisualWindow());
		EXPECT_NE(std::string(fPage->VisualWindow()->BottomBar()->Text()).find("Stopped"),
			std::string::npos) << fPage->VisualWindow()->BottomBar()->Text();
	}
	error_alert_handler before = SetErrorAlertHandler([](const char*) {});
	EXPECT_EQ(fPage->Save(), B_NOT_ALLOWED);
	SetErrorAlertHandler(before);
	EXPECT_EQ(fFolder.Read("big.html"), BigPage()) << "the file is as it was";

	Load();
	EXPECT_FALSE(fPage->IsPartial());
	EXPECT_NE(VisualText().find("The last paragraph."), std::string::npos);
}
