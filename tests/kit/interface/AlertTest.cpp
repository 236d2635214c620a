#include "ControlTesting.h"

#include <atomic>
#include <thread>

#include <Alert.h>
#include <Button.h>
#include <Invoker.h>
#include <control_support/AlertDisplay.h>
#include <TextView.h>

using namespace ControlTests;

namespace {

const uint32 kAnswer = 'answ';

// Alerts answered where nobody sees them: by the responder, or the last
// button.
class UnseenAlert : public ControlTest {
protected:
	void TearDown() override
	{
		BPrivate::SetAlertResponder(nullptr);
		ControlTest::TearDown();
	}
};

TEST_F(UnseenAlert, WithoutAResponderTheLastButtonIsChosenAndRecordedOrElseItChooses)
{
	auto* alert = new BAlert("Revert?", "Are you sure?", "Yes", "No", nullptr,
		B_WIDTH_AS_USUAL, B_INFO_ALERT);
	EXPECT_EQ(alert->Go(), 1);
	std::vector<BPrivate::AlertRecord> shown = BPrivate::AlertsShown();
	ASSERT_EQ(shown.size(), 1u);
	EXPECT_EQ(shown[0].title, "Revert?");
	EXPECT_EQ(shown[0].text, "Are you sure?");
	EXPECT_EQ(shown[0].buttons, (std::vector<std::string>{"Yes", "No"}));
	EXPECT_EQ(shown[0].chosen, 1);

	// An alert without buttons gets an OK button.
	alert = new BAlert("t", "x", nullptr);
	EXPECT_EQ(alert->CountButtons(), 1);
	EXPECT_EQ(alert->Go(), 0);
	EXPECT_EQ(BPrivate::AlertsShown().back().buttons, std::vector<std::string>{"OK"});

	std::string seen;
	BPrivate::SetAlertResponder([&seen](const BPrivate::AlertRecord& alert) {
		seen = alert.text;
		return 0;
	});
	EXPECT_EQ((new BAlert("t", "Save changes?", "Don't Save", "Save"))->Go(), 0);
	EXPECT_EQ(seen, "Save changes?");
}

// Real alert windows on the headless display.
class AlertWindow : public ControlTest {
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		BPrivate::SetAlertWindowsShownHeadless(true);
		Show();
	}

	void TearDown() override
	{
		BPrivate::SetAlertWindowsShownHeadless(false);
		ControlTest::TearDown();
	}

	// Opens the alert with answers going to the test window.
	void Open(BAlert* alert)
	{
		fAlert = BMessenger(alert);
		fAlertWindow = alert;
		ASSERT_EQ(alert->Go(new BInvoker(new BMessage(kAnswer), fWindow)), B_OK);
		ASSERT_EQ(BPrivate::WaitForWindowIdle(alert), B_OK);
	}

	// The button's centre in the alert's coordinates.
	BPoint ButtonCenter(int32 index)
	{
		BAutolock lock(fAlertWindow);
		BButton* button = fAlertWindow->ButtonAt(index);
		BRect bounds = button->Bounds();
		BPoint center((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
		return fAlertWindow->ConvertFromScreen(button->ConvertToScreen(center));
	}

	// The one answer the test window was sent, once the alert is gone.
	int32 Answer()
	{
		for (int tries = 0; tries < 500 && fAlert.IsValid(); tries++)
			snooze(10000);
		EXPECT_FALSE(fAlert.IsValid()) << "the alert is still open";
		Idle(fWindow);
		std::vector<BMessage> sent = Sent(kAnswer);
		EXPECT_EQ(sent.size(), 1u);
		return sent.empty() ? -99 : Int32Of(sent.back(), "which", -99);
	}

	BMessenger fAlert;
	BAlert* fAlertWindow = nullptr;  // valid while fAlert is
};

TEST_F(AlertWindow, ClickingAButtonAnswersWithItsIndex)
{
	Open(new BAlert("t", "Pick one", "First", "Second", "Third"));
	ASSERT_EQ(BPrivate::PostClick(fAlertWindow, ButtonCenter(0)), B_OK);
	EXPECT_EQ(Answer(), 0);
}

TEST_F(AlertWindow, AfterAClickInTheTextEnterStillAnswers)
{
	Open(new BAlert("t", "The file could not be saved: the disk is full.", "Cancel", "Retry"));
	BPoint inText;
	WithLock(fAlertWindow, [&] {
		BTextView* text = fAlertWindow->TextView();
		EXPECT_FALSE(text->IsEditable());
		inText = fAlertWindow->ConvertFromScreen(text->ConvertToScreen(BPoint(5, 5)));
	});
	ASSERT_EQ(BPrivate::PostClick(fAlertWindow, inText), B_OK);
	ASSERT_EQ(BPrivate::PostKey(fAlertWindow, kEnter), B_OK);
	EXPECT_EQ(Answer(), 1);
}

TEST_F(AlertWindow, ClosingWithoutAChoiceAnswersMinusOne)
{
	Open(new BAlert("t", "Pick one", "First", "Second"));
	ASSERT_EQ(fAlert.SendMessage(B_QUIT_REQUESTED), B_OK);
	EXPECT_EQ(Answer(), -1);
}

TEST_F(AlertWindow, SynchronousGoReturnsWhatTheUserChose)
{
	auto* alert = new BAlert("t", "Pick one", "First", "Second", "Third");
	std::thread user([alert] {
		// The alert stays until a button is chosen, so it may be used here.
		while (alert->Thread() < 0)
			snooze(1000);
		BPrivate::WaitForWindowIdle(alert);
		const char* next = "\t";
		BPrivate::PostKey(alert, next);
		BPrivate::PostKey(alert, next);
		BPrivate::PostKey(alert, " ");
	});
	EXPECT_EQ(alert->Go(), 1);
	user.join();
	EXPECT_TRUE(BPrivate::AlertsShown().empty());
}

// A window whose message handler asks an alert, as the editor's windows
// do, after painting itself a new colour.
class AskingWindow : public BWindow {
public:
	AskingWindow()
		: BWindow(BRect(50, 50, 149, 149), "asking", B_TITLED_WINDOW, 0)
	{
		fCanvas = new BView(Bounds(), "canvas", B_FOLLOW_ALL, B_WILL_DRAW);
		fCanvas->SetViewColor(255, 255, 255);
		AddChild(fCanvas);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != 'ask ') {
			BWindow::MessageReceived(message);
			return;
		}
		fCanvas->SetViewColor(0, 128, 0);
		fCanvas->Invalidate();
		auto* asked = new BAlert("t", "Go on?", "No", "Yes");
		alert = asked;
		answer = asked->Go();
	}

	std::atomic<BAlert*> alert{nullptr};
	std::atomic<int32> answer{-99};

private:
	BView* fCanvas;
};

TEST_F(AlertWindow, CallingWindowKeepsDrawingWhileItsAlertIsUp)
{
	auto* asking = new AskingWindow;
	asking->Show();
	ASSERT_EQ(BPrivate::WaitForWindowIdle(asking), B_OK);
	BMessenger(asking).SendMessage('ask ');
	while (asking->alert.load() == nullptr)
		snooze(1000);
	BAlert* alert = asking->alert;
	while (alert->Thread() < 0)
		snooze(1000);
	ASSERT_EQ(BPrivate::WaitForWindowIdle(alert), B_OK);
	// The asking window is busy in Go(), yet what it draws is presented
	// (looked at for a while: a slow machine may take its time).
	rgb_color shown{};
	for (int tries = 0; tries < 250 && shown != make_color(0, 128, 0); tries++) {
		snooze(20000);
		std::unique_ptr<BBitmap> presented(BPrivate::PresentedSnapshot(asking));
		ASSERT_NE(presented, nullptr);
		shown = PixelOf(presented.get(), 50, 50);
	}
	EXPECT_EQ(shown, make_color(0, 128, 0));

	BPrivate::PostKey(alert, kEnter);
	ASSERT_EQ(BPrivate::WaitForWindowIdle(asking), B_OK);
	while (asking->answer.load() == -99)
		snooze(1000);
	EXPECT_EQ(asking->answer.load(), 1);
	if (asking->Lock())
		asking->Quit();
}

} // namespace
