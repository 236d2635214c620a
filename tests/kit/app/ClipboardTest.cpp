#include "ScopedEnvironment.h"
#include "TempDirectory.h"

#include <Clipboard.h>
#include <CommandLine.h>
#include <DisplayServer.h>
#include <Message.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <thread>

namespace {

// Started again with VELMORA_CLIPBOARD_COMMITTER set, this test program is
// a second process that commits before main() and exits. Its arguments:
// clipboard name, text, times, tag. Each commit carries a payload large
// enough that a torn write would be seen.
int CommitRepeatedly(const std::vector<std::string>& args)
{
	if (args.size() < 5)
		return 2;
	BClipboard clipboard(args[1].c_str());
	std::string payload(8192, args[4][0]);
	for (int i = 0; i < atoi(args[3].c_str()); i++) {
		if (!clipboard.Lock())
			return 3;
		clipboard.Clear();
		BMessage* data = clipboard.Data();
		data->AddString("tag", args[4].c_str());
		data->AddInt32("index", i);
		data->AddData("pad", B_RAW_TYPE, payload.data(), static_cast<ssize_t>(payload.size()));
		data->AddData("text/plain", B_MIME_TYPE, args[2].data(),
			static_cast<ssize_t>(args[2].size()), false);
		status_t status = clipboard.Commit();
		clipboard.Unlock();
		if (status != B_OK)
			return 4;
	}
	return 0;
}

const int sCommitterGate = [] {
	if (getenv("VELMORA_CLIPBOARD_COMMITTER") != nullptr)
		_exit(CommitRepeatedly(BPrivate::ProcessArguments()));
	return 0;
}();

// A fresh process of this program, running; wait for it with wait_for_thread().
team_id StartCommitter(const std::vector<std::string>& arguments)
{
	char program[PATH_MAX];
	if (realpath("/proc/self/exe", program) == nullptr)
		return B_ERROR;
	std::vector<const char*> argv = {program};
	for (const std::string& argument : arguments)
		argv.push_back(argument.c_str());
	argv.push_back(nullptr);
	team_id team = load_image(static_cast<int32>(argv.size() - 1), argv.data(), nullptr);
	if (team >= 0)
		resume_thread(team);
	return team;
}

std::string PlainText(BClipboard& clipboard)
{
	const void* text = nullptr;
	ssize_t size = 0;
	if (clipboard.Data()->FindData("text/plain", B_MIME_TYPE, &text, &size) != B_OK)
		return "<none>";
	return std::string(static_cast<const char*>(text), static_cast<size_t>(size));
}

status_t CommitText(BClipboard& clipboard, const char* text, bool withRun = false)
{
	if (!clipboard.Lock())
		return B_ERROR;
	clipboard.Clear();
	if (withRun) {
		BMessage run;
		BMessage piece;
		piece.AddString("class", "text");
		piece.AddString("text", text);
		run.AddMessage("0", &piece);
		clipboard.Data()->AddMessage("VelmoraClipboard", &run);
	}
	clipboard.Data()->AddData("text/plain", B_MIME_TYPE, text, static_cast<ssize_t>(strlen(text)),
		false);
	status_t status = clipboard.Commit();
	clipboard.Unlock();
	return status;
}

} // namespace

// Each test gets a store directory of its own, shared with its helpers
// through the environment.
class ClipboardTest : public testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_FALSE(fDirectory.Path().empty());
		fEnvironment.Set("XDG_RUNTIME_DIR", fDirectory.Path());
	}

	TempDirectory fDirectory;
	ScopedEnvironment fEnvironment;
};

TEST_F(ClipboardTest, ACommitIsSeenByEveryOtherClipboardOfThatName)
{
	BClipboard writer("shared");
	BClipboard reader("shared");
	BClipboard other("other");
	EXPECT_EQ(reader.Data(), nullptr) << "the data is there only while locked";
	EXPECT_EQ(reader.Commit(), B_NOT_ALLOWED);
	ASSERT_EQ(CommitText(writer, "copied words", true), B_OK);

	ASSERT_TRUE(reader.Lock());
	EXPECT_EQ(PlainText(reader), "copied words");
	EXPECT_TRUE(reader.Data()->HasMessage("VelmoraClipboard"));
	EXPECT_EQ(reader.LocalCount(), writer.LocalCount());
	reader.Unlock();

	ASSERT_TRUE(other.Lock());
	EXPECT_FALSE(other.Data()->HasMessage("VelmoraClipboard"));
	other.Unlock();
}

TEST_F(ClipboardTest, TwoProcessesCommittingAtOnceNeverCorruptTheStore)
{
	constexpr int kEach = 60;
	fEnvironment.Set("VELMORA_CLIPBOARD_COMMITTER", "1");
	team_id first = StartCommitter({"busy", "first", std::to_string(kEach), "A"});
	team_id second = StartCommitter({"busy", "second", std::to_string(kEach), "B"});
	fEnvironment.Unset("VELMORA_CLIPBOARD_COMMITTER");
	ASSERT_GE(first, 0);
	ASSERT_GE(second, 0);

	// Meanwhile every read finds one whole message or none yet.
	BClipboard reader("busy");
	for (int i = 0; i < 40; i++) {
		ASSERT_TRUE(reader.Lock());
		BMessage* data = reader.Data();
		if (!data->IsEmpty()) {
			const char* tag = "";
			ASSERT_EQ(data->FindString("tag", &tag), B_OK);
			const void* pad;
			ssize_t size = 0;
			ASSERT_EQ(data->FindData("pad", B_RAW_TYPE, &pad, &size), B_OK);
			ASSERT_EQ(size, 8192);
			EXPECT_EQ(static_cast<const char*>(pad)[8191], tag[0]);
		}
		reader.Unlock();
		std::this_thread::sleep_for(std::chrono::milliseconds(2));
	}
	status_t firstResult = B_ERROR;
	status_t secondResult = B_ERROR;
	wait_for_thread(first, &firstResult);
	wait_for_thread(second, &secondResult);
	EXPECT_EQ(firstResult, B_OK);
	EXPECT_EQ(secondResult, B_OK);
	// No commit was lost: each one counted.
	EXPECT_EQ(reader.SystemCount(), static_cast<uint32>(2 * kEach));
	ASSERT_TRUE(reader.Lock());
	int32 index = -1;
	EXPECT_EQ(reader.Data()->FindInt32("index", &index), B_OK);
	EXPECT_EQ(index, kEach - 1);
	std::string text = PlainText(reader);
	EXPECT_TRUE(text == "first" || text == "second") << text;
	reader.Unlock();
}

TEST_F(ClipboardTest, CommitHandsPlainTextToTheDesktop)
{
	BClipboard clipboard("system");
	ASSERT_EQ(CommitText(clipboard, "for other programs"), B_OK);
	std::string desktop;
	ASSERT_TRUE(BPrivate::DisplayServer::Default()->GetClipboardText(&desktop));
	EXPECT_EQ(desktop, "for other programs");

	// Our own text coming back from the desktop does not replace the rich data.
	ASSERT_EQ(CommitText(clipboard, "rich", true), B_OK);
	BClipboard reader("system");
	ASSERT_TRUE(reader.Lock());
	EXPECT_TRUE(reader.Data()->HasMessage("VelmoraClipboard"));
	reader.Unlock();
}

// Word processors and browsers keep the styles of what they take as HTML.
TEST_F(ClipboardTest, CommitHandsHTMLToTheDesktopBesideTheTextAndTakesAnotherProgramsHTML)
{
	BClipboard clipboard("system");
	ASSERT_TRUE(clipboard.Lock());
	clipboard.Clear();
	std::string text = "bold";
	std::string html = "<B>bold</B>";
	clipboard.Data()->AddData("text/plain", B_MIME_TYPE, text.data(),
		static_cast<ssize_t>(text.size()), false);
	clipboard.Data()->AddData("text/html", B_MIME_TYPE, html.data(),
		static_cast<ssize_t>(html.size()), false);
	ASSERT_EQ(clipboard.Commit(), B_OK);
	clipboard.Unlock();
	BPrivate::DisplayServer* display = BPrivate::DisplayServer::Default();
	std::string desktop;
	ASSERT_TRUE(display->GetClipboardHTML(&desktop));
	EXPECT_EQ(desktop, html);

	display->SetClipboard("elsewhere", "<I>elsewhere</I>");
	BClipboard reader("system");
	ASSERT_TRUE(reader.Lock());
	EXPECT_EQ(PlainText(reader), "elsewhere");
	const void* data = nullptr;
	ssize_t size = 0;
	ASSERT_EQ(reader.Data()->FindData("text/html", B_MIME_TYPE, &data, &size), B_OK);
	EXPECT_EQ(std::string(static_cast<const char*>(data), size), "<I>elsewhere</I>");
	reader.Unlock();

	// Text alone from another program leaves no HTML of the copy before.
	display->SetClipboard("plain only", "");
	ASSERT_TRUE(reader.Lock());
	EXPECT_EQ(PlainText(reader), "plain only");
	EXPECT_FALSE(reader.Data()->HasData("text/html", B_MIME_TYPE));
	reader.Unlock();
}

TEST_F(ClipboardTest, TextCopiedInAnotherProgramIsTakenOnLock)
{
	BClipboard clipboard("system");
	ASSERT_EQ(CommitText(clipboard, "ours", true), B_OK);
	uint32 before = clipboard.SystemCount();
	BPrivate::DisplayServer::Default()->SetClipboardText("copied elsewhere");

	BClipboard reader("system");
	ASSERT_TRUE(reader.Lock());
	EXPECT_EQ(PlainText(reader), "copied elsewhere");
	EXPECT_FALSE(reader.Data()->HasMessage("VelmoraClipboard"));
	reader.Unlock();
	// Published, so every process agrees on it.
	EXPECT_EQ(clipboard.SystemCount(), before + 1);
	ASSERT_TRUE(clipboard.Lock());
	EXPECT_EQ(PlainText(clipboard), "copied elsewhere");
	clipboard.Unlock();
}

TEST_F(ClipboardTest, ADamagedStoreReadsAsAnEmptyClipboardAndIsRepairedByACommit)
{
	BClipboard clipboard("damaged");
	ASSERT_EQ(CommitText(clipboard, "fine"), B_OK);
	std::string bytes = fDirectory.Read("velmora/clipboard-damaged");
	ASSERT_GT(bytes.size(), 40u);
	fDirectory.Write("velmora/clipboard-damaged", bytes.substr(0, 30));
	BClipboard reader("damaged");
	ASSERT_TRUE(reader.Lock());
	EXPECT_TRUE(reader.Data()->IsEmpty());
	reader.Unlock();
	ASSERT_EQ(CommitText(reader, "again"), B_OK);
	ASSERT_TRUE(clipboard.Lock());
	EXPECT_EQ(PlainText(clipboard), "again");
	clipboard.Unlock();
}

TEST_F(ClipboardTest, AStoreDirectoryOthersCanReadIsRefused)
{
	std::string directory = fDirectory / "velmora";
	ASSERT_EQ(mkdir(directory.c_str(), 0755), 0);
	ASSERT_EQ(chmod(directory.c_str(), 0755), 0);
	BClipboard clipboard("exposed");
	ASSERT_TRUE(clipboard.Lock());
	clipboard.Data()->AddString("secret", "x");
	EXPECT_EQ(clipboard.Commit(), B_PERMISSION_DENIED);
	// The data stays here, uncommitted.
	EXPECT_TRUE(clipboard.Data()->HasString("secret"));
	clipboard.Unlock();
	EXPECT_FALSE(fDirectory.Exists("velmora/clipboard-exposed"));
}

TEST_F(ClipboardTest, StoreFilesArePrivateToTheUser)
{
	BClipboard clipboard("private");
	ASSERT_EQ(CommitText(clipboard, "x"), B_OK);
	struct stat info;
	ASSERT_EQ(stat((fDirectory / "velmora").c_str(), &info), 0);
	EXPECT_EQ(info.st_mode & 0777, 0700u);
	ASSERT_EQ(stat((fDirectory / "velmora/clipboard-private").c_str(), &info), 0);
	EXPECT_EQ(info.st_mode & 0777, 0600u);
}
