#include <HeadlessDisplay.h>

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

