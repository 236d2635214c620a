#include <CommandLine.h>
#include <DisplayServer.h>
#include <HeadlessDisplay.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using BPrivate::DisplayServer;
using BPrivate::HeadlessDisplay;

TEST(DisplayServerTest, TheHeadlessBackendIsChosenForTests)
{
	// ctest runs every test with VELMORA_DISPLAY=headless.
	DisplayServer* display = DisplayServer::Default();
	ASSERT_NE(display, nullptr);
	EXPECT_TRUE(display->IsHeadless());
	EXPECT_EQ(display->InitCheck(), B_OK);
	EXPECT_EQ(DisplayServer::Default(), display);
	EXPECT_NE(dynamic_cast<HeadlessDisplay*>(display), nullptr);
}

TEST(HeadlessDisplayTest, RunBlocksUntilQuit)
{
	HeadlessDisplay display;
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

TEST(HeadlessDisplayTest, AQuitBeforeRunIsNotLost)
{
	// The application may quit before the main thread reaches Run().
	HeadlessDisplay display;
	display.Quit();
	display.Run();
	// Consumed: the next Run waits for the next Quit.
	std::thread late([&] {
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
		display.Quit();
	});
	display.Run();
	late.join();
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

TEST(CommandLineTest, ArgumentsStartWithTheProgram)
{
	std::vector<std::string> arguments = BPrivate::ProcessArguments();
	ASSERT_FALSE(arguments.empty());
	EXPECT_NE(arguments[0].find("test_kit_display"), std::string::npos);
}
