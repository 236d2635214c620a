#include <HeadlessDisplay.h>
#include <sdl_support/ClipboardHTML.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using BPrivate::HeadlessDisplay;

TEST(HeadlessDisplayTest, RunReturnsOnlyAfterAQuitThatMayComeFirst)
{
	// The application may quit before the main thread reaches Run().
	HeadlessDisplay display;
	display.Quit();
	display.Run();
	// Consumed: the next Run waits for the next Quit.
	std::atomic<bool> returned{false};
	std::thread runner([&] {
		display.Run();
		returned = true;
	});
	std::this_thread::sleep_for(std::chrono::milliseconds(50));
	EXPECT_FALSE(returned.load());
	display.Quit();
	runner.join();
	EXPECT_TRUE(returned.load());
}

TEST(HeadlessDisplayTest, ClipboardHoldsTextOnlyOnceSet)
{
	HeadlessDisplay display;
	std::string text = "unchanged";
	EXPECT_FALSE(display.GetClipboardText(&text));
	EXPECT_EQ(text, "unchanged");
	display.SetClipboardText("");
	ASSERT_TRUE(display.GetClipboardText(&text));
	EXPECT_EQ(text, "");
	display.SetClipboardText(std::string("a\0b", 3));
	ASSERT_TRUE(display.GetClipboardText(&text));
	EXPECT_EQ(text, std::string("a\0b", 3));
	std::string html = "unchanged";
	EXPECT_FALSE(display.GetClipboardHTML(&html)) << "text alone offers no HTML";
	display.SetClipboard("text", "<B>text</B>");
	ASSERT_TRUE(display.GetClipboardHTML(&html));
	EXPECT_EQ(html, "<B>text</B>");
}

// Browsers hand "text/html" over as UTF-16 with a byte-order mark.
TEST(ClipboardHTMLTest, HTMLInUtf16IsReadAsUtf8AndOtherHTMLAsItIs)
{
	using BPrivate::ClipboardHTML;
	std::string little("\xFF\xFE<\0b\0>\0\xE9\0=\xD8\x00\xDE\0\xD8", 16);
	EXPECT_EQ(ClipboardHTML::AsUtf8(little), "<b>\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD");
	std::string big("\xFE\xFF\0<\0i\0>", 8);
	EXPECT_EQ(ClipboardHTML::AsUtf8(big), "<i>");
	EXPECT_EQ(ClipboardHTML::AsUtf8("<b>\xC3\xA9</b>"), "<b>\xC3\xA9</b>");
	EXPECT_EQ(ClipboardHTML::AsUtf8(""), "");
}

TEST(HeadlessDisplayTest, BeepsAreCountedFromAnyThread)
{
	HeadlessDisplay display;
	std::thread a([&] { for (int i = 0; i < 100; i++) display.Beep(); });
	std::thread b([&] { for (int i = 0; i < 100; i++) display.Beep(); });
	a.join();
	b.join();
	EXPECT_EQ(display.BeepCount(), 200);
}

