#include "ControlTesting.h"

#include <atomic>

#include <AppPrivate.h>
#include <control_support/AlertDisplay.h>

#include "ErrorAlert.h"

using namespace ControlTests;

namespace {

class ErrorAlertWindow : public ControlTest {
protected:
	void TearDown() override
	{
		SetErrorAlertHandler(nullptr);
		ControlTest::TearDown();
	}
};

// A window whose message handler reports an error, as the editor's do.
class ReportingWindow : public BWindow {
public:
	ReportingWindow() : BWindow(BRect(0, 0, 99, 99), "reporting", B_TITLED_WINDOW, 0) {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'fail')
			ErrorAlert("Error: ", "disk full");
		reported = true;
	}

	std::atomic<bool> reported{false};
};

TEST_F(ErrorAlertWindow, AShownErrorWaitsForOKFromAWindowThread)
{
	UseAlertWindowsForErrors();
	BPrivate::SetAlertWindowsShownHeadless(true);
	auto* window = new ReportingWindow;
	window->Show();
	BMessenger(window).SendMessage('fail');
	// The alert is the window titled "Alert" once it shows.
	BWindow* alert = nullptr;
	for (int tries = 0; tries < 500 && alert == nullptr; tries++) {
		for (BLooper* looper : BPrivate::WindowLoopers()) {
			// The reporting window holds its lock until the alert is answered.
			if (looper == window || looper == fWindow
				|| !BPrivate::LockWindowLooper(looper, BPrivate::kBusyWindow))
				continue;
			auto* candidate = dynamic_cast<BWindow*>(looper);
			if (candidate != nullptr && candidate->Thread() >= 0)
				alert = candidate;
			looper->Unlock();
		}
		snooze(10000);
	}
	ASSERT_NE(alert, nullptr);
	ASSERT_EQ(BPrivate::WaitForWindowIdle(alert), B_OK);
	EXPECT_STREQ(alert->Title(), "Alert");
	EXPECT_FALSE(window->reported.load());
	BPrivate::PostKey(alert, kEnter);
	for (int tries = 0; tries < 500 && !window->reported.load(); tries++)
		snooze(10000);
	EXPECT_TRUE(window->reported.load());
	BPrivate::SetAlertWindowsShownHeadless(false);
	if (window->Lock())
		window->Quit();
}

} // namespace
