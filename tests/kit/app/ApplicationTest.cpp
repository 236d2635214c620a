#include "LooperTestSupport.h"

#include <AppPrivate.h>
#include <Application.h>
#include <Clipboard.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

// Records the order of the application's hooks.
class TestApplication : public BApplication {
public:
	TestApplication() : BApplication("application/x-vnd.Velmora-test") {}

	void ArgvReceived(int32 argc, char** argv) override
	{
		events.push_back("argv");
		arguments.assign(argv, argv + argc);
	}
	void ReadyToRun() override
	{
		events.push_back("ready");
		if (onReady)
			onReady(this);
	}
	void MessageReceived(BMessage* message) override
	{
		char code[5] = {char(message->what >> 24), char(message->what >> 16),
			char(message->what >> 8), char(message->what), 0};
		events.push_back(code);
		if (onMessage)
			onMessage(this, message);
		else
			BApplication::MessageReceived(message);
	}

	std::vector<std::string> events;
	std::vector<std::string> arguments;
	std::function<void(TestApplication*)> onReady;
	std::function<void(TestApplication*, BMessage*)> onMessage;
};

// A looper that enters the window registry as a BWindow does.
class FakeWindow : public RecordingLooper {
public:
	explicit FakeWindow(std::shared_ptr<Journal> journal) : RecordingLooper(journal)
	{
		BPrivate::RegisterWindowLooper(this);
		Run();
	}
	~FakeWindow() override { BPrivate::UnregisterWindowLooper(this); }
};

} // namespace

TEST(ApplicationTest, RunStartsWithArgvAndReadyToRunAndReturnsAfterQuit)
{
	TestApplication app;
	app.PostMessage('pre ');
	app.onReady = [](TestApplication* self) { self->PostMessage('last'); };
	app.onMessage = [](TestApplication* self, BMessage* message) {
		if (message->what == 'last')
			self->Quit();
	};
	EXPECT_TRUE(app.IsLaunching());
	app.Run();
	EXPECT_FALSE(app.IsLaunching());

	// The test program runs with arguments (at least the test filter of ctest).
	std::vector<std::string> expected = {"argv", "ready", "pre ", "last"};
	if (app.arguments.empty())
		expected.erase(expected.begin());
	EXPECT_EQ(app.events, expected);
}

TEST(ApplicationTest, QuitRequestedAsksEveryWindowAndStopsAtTheFirstRefusal)
{
	auto agreeing = std::make_shared<Journal>();
	auto refusing = std::make_shared<Journal>();
	TestApplication app;
	FakeWindow* first = new FakeWindow(agreeing);
	FakeWindow* second = new FakeWindow(refusing);
	second->agreesToQuit = false;
	EXPECT_EQ(BPrivate::WindowLoopers(), (std::vector<BLooper*>{first, second}));
	bool stillRunningAfterRefusal = false;
	app.onReady = [](TestApplication* self) { self->PostMessage(B_QUIT_REQUESTED); };
	app.onMessage = [&](TestApplication* self, BMessage* message) {
		if (message->what == 'agin') {
			stillRunningAfterRefusal = true;
			second->agreesToQuit = true;
			self->PostMessage(B_QUIT_REQUESTED);
		}
	};
	app.PostMessage('agin');
	app.Run();
	EXPECT_TRUE(stillRunningAfterRefusal);
	EXPECT_TRUE(agreeing->looperDeleted.load());
	EXPECT_TRUE(refusing->looperDeleted.load());
	EXPECT_TRUE(BPrivate::WindowLoopers().empty());
}

TEST(ApplicationTest, WindowsStillOpenAreClosedWhenTheApplicationIsDeleted)
{
	auto journal = std::make_shared<Journal>();
	{
		TestApplication app;
		FakeWindow* window = new FakeWindow(journal);
		window->agreesToQuit = false;
		app.PostMessage(B_QUIT_REQUESTED);
		app.onReady = [](TestApplication* self) { self->Quit(); };
		app.Run();
		EXPECT_FALSE(journal->looperDeleted.load());
	}
	EXPECT_TRUE(journal->looperDeleted.load());
}

TEST(ApplicationTest, ASecondApplicationIsRefused)
{
	TestApplication first;
	status_t error = B_OK;
	testing::internal::CaptureStderr();
	BApplication second("application/x-vnd.second", &error);
	std::string said = testing::internal::GetCapturedStderr();
	EXPECT_EQ(error, B_NOT_ALLOWED);
	EXPECT_EQ(second.InitCheck(), B_NOT_ALLOWED);
	EXPECT_EQ(second.Run(), B_NOT_ALLOWED);
	EXPECT_EQ(be_app, &first);
	EXPECT_NE(said.find("refused"), std::string::npos);
}

TEST(ApplicationTest, GlobalsLiveAsLongAsTheApplication)
{
	BMessenger kept;
	{
		TestApplication app;
		EXPECT_EQ(be_app, &app);
		EXPECT_TRUE(be_app_messenger.IsValid());
		EXPECT_NE(be_clipboard, nullptr);
		kept = be_app_messenger;
	}
	EXPECT_EQ(be_app, nullptr);
	EXPECT_EQ(be_clipboard, nullptr);
	EXPECT_FALSE(be_app_messenger.IsValid());
	EXPECT_FALSE(kept.IsValid());
}
