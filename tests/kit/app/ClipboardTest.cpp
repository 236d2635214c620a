#include "HelperProcess.h"
#include "ScopedEnvironment.h"
#include "TempDirectory.h"

#include <Clipboard.h>
#include <DisplayServer.h>
#include <Message.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <thread>

namespace {

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

TEST_F(ClipboardTest, ClipboardWrittenByOneProcessIsReadByAnother)
{
	ASSERT_EQ(RunHelper("clipboard-commit", {"system", "from the helper", "1", "h"}), B_OK);
	BClipboard clipboard("system");
	ASSERT_TRUE(clipboard.Lock());
	EXPECT_EQ(PlainText(clipboard), "from the helper");
	const char* tag;
	ASSERT_EQ(clipboard.Data()->FindString("tag", &tag), B_OK);
	EXPECT_STREQ(tag, "h");
	clipboard.Unlock();

	BClipboard writer("system");
	ASSERT_EQ(CommitText(writer, "from the parent", true), B_OK);
	ASSERT_EQ(RunHelper("clipboard-read", {"system", fDirectory / "read.txt"}), B_OK);
	EXPECT_EQ(fDirectory.Read("read.txt"), "from the parent");
}

TEST_F(ClipboardTest, TwoProcessesCommittingAtOnceNeverCorruptTheStore)
{
	constexpr int kEach = 60;
	team_id first = StartHelper("clipboard-commit", {"busy", "first", std::to_string(kEach), "A"});
	team_id second = StartHelper("clipboard-commit", {"busy", "second", std::to_string(kEach), "B"});
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

TEST_F(ClipboardTest, CommitCanRefuseWhenSomeoneElseCommittedMeanwhile)
{
	BClipboard mine("race");
	BClipboard theirs("race");
	ASSERT_TRUE(mine.Lock());
	ASSERT_EQ(CommitText(theirs, "theirs"), B_OK);
	mine.Data()->AddString("x", "mine");
	EXPECT_EQ(mine.Commit(true), B_ERROR);
	EXPECT_EQ(mine.Revert(), B_OK);
	EXPECT_EQ(PlainText(mine), "theirs");
	EXPECT_FALSE(mine.Data()->HasString("x"));
	mine.Unlock();
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
