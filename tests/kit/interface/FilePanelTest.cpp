#include "WindowTestSupport.h"

#include <sys/stat.h>

#include <AppPrivate.h>
#include <Entry.h>
#include <FilePanel.h>
#include <Looper.h>

#include "TempDirectory.h"
#include "filepanel_support/EntryListView.h"

using namespace WindowTests;
using BPrivate::EntryListView;
using BPrivate::FilePanelAnswer;
using BPrivate::FilePanelRequest;

namespace {

// Where the panels send their replies.
using Replies = ControlTests::Receiver;

std::vector<std::string> RefPaths(const BMessage& message, const char* field = "refs")
{
	std::vector<std::string> paths;
	entry_ref ref;
	for (int32 i = 0; message.FindRef(field, i, &ref) == B_OK; i++)
		paths.push_back(ref.path);
	return paths;
}

// A user's choice of these paths in the panel.
FilePanelAnswer Chosen(std::vector<std::string> paths)
{
	FilePanelAnswer answer;
	answer.cancelled = false;
	answer.paths = std::move(paths);
	return answer;
}

std::vector<std::string> Codes(const std::vector<BMessage>& messages)
{
	std::vector<std::string> codes;
	for (const BMessage& message : messages)
		codes.push_back(CommandText(message.what));
	return codes;
}

// A folder with pages, a text file, a hidden page and two folders.
class FilePanelTest : public testing::Test {
protected:
	void SetUp() override
	{
		fFolder.Write("index.html", "<p>i</p>");
		fFolder.Write("about.html", "<p>a</p>");
		fFolder.Write("notes.txt", "n");
		fFolder.Write(".draft.html", "");
		mkdir((fFolder / "images").c_str(), 0755);
		mkdir((fFolder / "sub").c_str(), 0755);
		BEntry(fFolder.Path().c_str()).GetRef(&fFolderRef);
		fReplies = new Replies();
		fReplies->Run();
		fTarget = BMessenger(fReplies);
		BPrivate::ForgetAlertsShown();
	}

	void TearDown() override
	{
		BPrivate::SetFilePanelResponder(nullptr);
		BPrivate::SetAlertResponder(nullptr);
		fPanel.reset();
		if (fReplies->Lock())
			fReplies->Quit();
	}

	BFilePanel* Make(file_panel_mode mode, uint32 flavors = 0, bool multiple = true)
	{
		fPanel = std::make_unique<BFilePanel>(mode, &fTarget, &fFolderRef, flavors, multiple);
		return fPanel.get();
	}

	TempDirectory fFolder;
	entry_ref fFolderRef;
	Replies* fReplies = nullptr;
	BMessenger fTarget;
	std::unique_ptr<BFilePanel> fPanel;
};

// Headless: the responder answers in the user's place.

TEST_F(FilePanelTest, AnOpenPanelRepliesWithTheChosenRefsAndThenCancel)
{
	FilePanelRequest seen;
	BPrivate::SetFilePanelResponder([&](const FilePanelRequest& request) {
		seen = request;
		return Chosen({"index.html", fFolder / "about.html"});
	});
	Make(B_OPEN_PANEL)->Show();
	EXPECT_FALSE(seen.save);
	EXPECT_EQ(seen.directory, fFolder.Path());
	EXPECT_TRUE(seen.allowsMultiple);
	std::vector<BMessage> replies = fReplies->Received();
	ASSERT_EQ(Codes(replies), (std::vector<std::string>{"_RRC", "_CNC"}));
	EXPECT_EQ(RefPaths(replies[0]),
		(std::vector<std::string>{fFolder / "index.html", fFolder / "about.html"}));
	EXPECT_EQ(Int32Of(replies[1], "old_what"), int32(B_REFS_RECEIVED));
	EXPECT_FALSE(fPanel->IsShowing());
	// Without a responder the panel is cancelled.
	BPrivate::SetFilePanelResponder(nullptr);
	fPanel->Show();
	EXPECT_EQ(Codes(fReplies->Received()), (std::vector<std::string>{"_RRC", "_CNC", "_CNC"}));
}

// The panel's window, shown and driven as a user would.

class FilePanelWindowTest : public FilePanelTest {
protected:
	void Open(file_panel_mode mode, uint32 flavors = 0)
	{
		Make(mode, flavors);
		fWindow = fPanel->Window();
		fWindow->Show();
		Idle();
		WithLock(fWindow, [&] {
			fList = static_cast<EntryListView*>(fWindow->FindView("entries"));
		});
		ASSERT_NE(fList, nullptr);
	}

	void Idle() { ASSERT_EQ(BPrivate::WaitForWindowIdle(fWindow), B_OK); }

	std::string Listed()
	{
		Idle();
		EXPECT_TRUE(fWindow->Lock());
		std::string names;
		for (int32 i = 0; const BPrivate::ListedEntry* entry = fList->EntryAt(i); i++)
			names += (names.empty() ? "" : " ") + entry->name + (entry->isDirectory ? "/" : "");
		fWindow->Unlock();
		return names;
	}

	entry_ref PanelFolder()
	{
		Idle();
		entry_ref ref;
		fPanel->GetPanelDirectory(&ref);
		return ref;
	}

	void Key(const char* bytes) { BPrivate::PostKey(fWindow, bytes); }

	BPoint RowMiddle(int32 index)
	{
		EXPECT_TRUE(fWindow->Lock());
		BRect row = fList->ConvertToParent(fList->ItemFrame(index));
		row = fList->Parent()->ConvertToParent(row);
		fWindow->Unlock();
		return BPoint(row.left + 40, (row.top + row.bottom) / 2);
	}

	BWindow* fWindow = nullptr;
	EntryListView* fList = nullptr;
};

TEST_F(FilePanelWindowTest, EnterGoesIntoAFolderAndBackspaceComesBackToIt)
{
	Open(B_OPEN_PANEL);
	Key("\x1f");
	Key("\x1f");
	Key("\n");
	EXPECT_EQ(PanelFolder().path, fFolder / "sub");
	EXPECT_EQ(Listed(), "");
	Key("\x08");
	EXPECT_EQ(PanelFolder().path, fFolder.Path());
	WithLock(fWindow, [&] {
		EXPECT_EQ(fList->CurrentSelection(), 1) << "the folder left is selected";
	});
	EXPECT_TRUE(fReplies->Received().empty());
}

TEST_F(FilePanelWindowTest, ADoubleClickOnAFileOpensItAndHidesThePanel)
{
	Open(B_OPEN_PANEL);
	BPoint index = RowMiddle(3);
	BPrivate::PostClick(fWindow, index);
	BPrivate::PostClick(fWindow, index, B_PRIMARY_MOUSE_BUTTON, 2);
	Idle();
	std::vector<BMessage> replies = fReplies->Received();
	ASSERT_EQ(Codes(replies), (std::vector<std::string>{"_RRC", "_CNC"}));
	EXPECT_EQ(RefPaths(replies[0]), std::vector<std::string>{fFolder / "index.html"});
	EXPECT_FALSE(fPanel->IsShowing());
	EXPECT_TRUE(fWindow->IsHidden());
}

TEST_F(FilePanelWindowTest, EscapeOrClosingTheWindowCancelsAndKeepsThePanel)
{
	Open(B_OPEN_PANEL);
	Key("\x1b");
	Idle();
	EXPECT_FALSE(fPanel->IsShowing());
	fWindow->Show();
	Idle();
	BPrivate::PostCloseRequest(fWindow);
	Idle();
	EXPECT_EQ(Codes(fReplies->Received()), (std::vector<std::string>{"_CNC", "_CNC"}));
	EXPECT_TRUE(WithLock(fWindow, [&] { return fWindow->IsHidden(); }));
}

TEST_F(FilePanelWindowTest, TheSavePanelSavesUnderTheTypedName)
{
	Open(B_SAVE_PANEL);
	fPanel->SetSaveText("Untitled.html");
	Idle();
	BPrivate::TypeText(fWindow, "new page.html");
	Key("\n");
	Idle();
	std::vector<BMessage> replies = fReplies->Received();
	ASSERT_EQ(Codes(replies), (std::vector<std::string>{"SAVE", "_CNC"}));
	EXPECT_EQ(RefPaths(replies[0], "directory"), std::vector<std::string>{fFolder.Path()});
	EXPECT_EQ(StringOf(replies[0], "name"), "new page.html")
		<< "typing replaced the suggested name";
}

TEST_F(FilePanelWindowTest, ASaveIntoAFolderThatDoesNotExistIsRefused)
{
	Open(B_SAVE_PANEL);
	int32 beeps = BPrivate::BeepCount();
	BPrivate::TypeText(fWindow, "missing/page.html");
	Key("\n");
	Idle();
	EXPECT_TRUE(fReplies->Received().empty());
	EXPECT_GT(BPrivate::BeepCount(), beeps);
	EXPECT_TRUE(fPanel->IsShowing());
}

TEST_F(FilePanelWindowTest, SavingOverAFileAsksFirstAndCancelKeepsThePanelOpen)
{
	Open(B_SAVE_PANEL);
	BPrivate::SetAlertResponder([](const BPrivate::AlertRecord&) { return 0; });
	BPrivate::TypeText(fWindow, "about.html");
	Key("\n");
	Idle();
	std::vector<BPrivate::AlertRecord> asked = BPrivate::AlertsShown();
	ASSERT_EQ(asked.size(), 1u);
	EXPECT_NE(asked[0].text.find("\"about.html\" already exists"), std::string::npos);
	EXPECT_EQ(asked[0].buttons, (std::vector<std::string>{"Cancel", "Replace"}));
	EXPECT_TRUE(fReplies->Received().empty());
	EXPECT_TRUE(fPanel->IsShowing());

	BPrivate::SetAlertResponder([](const BPrivate::AlertRecord&) { return 1; });
	Key("\n");
	Idle();
	std::vector<BMessage> replies = fReplies->Received();
	ASSERT_EQ(Codes(replies), (std::vector<std::string>{"SAVE", "_CNC"}));
	EXPECT_EQ(StringOf(replies[0], "name"), "about.html");
	EXPECT_EQ(BPrivate::AlertsShown().size(), 2u);
}

} // namespace
