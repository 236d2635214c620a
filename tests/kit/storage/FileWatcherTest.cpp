#include "storage_support/FileWatcher.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>

#include "TempDirectory.h"

using BPrivate::Storage::FileWatcher;

namespace {

// Counts the reports per watched name and lets the test wait for them.
class Reports {
public:
	FileWatcher::Callback For(const std::string& name)
	{
		return [this, name]() {
			std::lock_guard<std::mutex> guard(fLock);
			fCounts[name]++;
			fChanged.notify_all();
		};
	}

	bool WaitFor(const std::string& name, int count)
	{
		std::unique_lock<std::mutex> lock(fLock);
		return fChanged.wait_for(lock, std::chrono::seconds(10),
			[&]() { return fCounts[name] >= count; });
	}

	int Count(const std::string& name)
	{
		std::lock_guard<std::mutex> guard(fLock);
		return fCounts[name];
	}

private:
	std::mutex fLock;
	std::condition_variable fChanged;
	std::map<std::string, int> fCounts;
};

void WriteInPlace(const std::string& path, std::initializer_list<const char*> pieces)
{
	int fd = open(path.c_str(), O_WRONLY | O_TRUNC);
	for (const char* piece : pieces)
		ASSERT_GT(write(fd, piece, strlen(piece)), 0);
	close(fd);
}

} // namespace

// Watches "page.html" and "sentinel" in a fresh directory. Events reach
// the watcher in the order they happen, so once a change of the sentinel
// is reported, everything done before it has been seen: Settle() makes
// counts of "exactly once" and "never" exact without sleeping.
class FileWatcherTest : public testing::Test {
protected:
	void SetUp() override
	{
		dir.Write("page.html", "<html>");
		dir.Write("sentinel", "");
		page = dir / "page.html";
		ASSERT_EQ(watcher.Add(page, reports.For("page"), &pageId), B_OK);
		ASSERT_EQ(watcher.Add(dir / "sentinel", reports.For("sentinel"), &sentinelId), B_OK);
	}

	void Settle()
	{
		int expected = reports.Count("sentinel") + 1;
		WriteInPlace(dir / "sentinel", {"x"});
		ASSERT_TRUE(reports.WaitFor("sentinel", expected));
	}

	TempDirectory dir;
	std::string page;
	FileWatcher watcher;
	Reports reports;
	int32 pageId = 0;
	int32 sentinelId = 0;
};

TEST_F(FileWatcherTest, WriteInPlaceIsReportedOnceOnCloseAndOpeningWithoutWritingNever)
{
	WriteInPlace(page, {"<html>", "<body>", "</body>", "</html>"});
	Settle();
	EXPECT_EQ(reports.Count("page"), 1);

	close(open(page.c_str(), O_WRONLY));
	Settle();
	EXPECT_EQ(reports.Count("page"), 1);
}

TEST_F(FileWatcherTest, ReplaceByRenameIsReportedOnceAndTheNewFileIsFollowed)
{
	dir.Write("page.html.tmp", "<html>new");
	ASSERT_EQ(rename((dir / "page.html.tmp").c_str(), page.c_str()), 0);
	Settle();
	EXPECT_EQ(reports.Count("page"), 1);

	WriteInPlace(page, {"<html>newer"});
	Settle();
	EXPECT_EQ(reports.Count("page"), 2);
}

TEST_F(FileWatcherTest, ReplacingAFileThatIsStillOpenIsReportedOnce)
{
	// The editor keeps its own descriptor of the old file, whose link count
	// then drops: that is no change of the file at the path.
	int held = open(page.c_str(), O_RDONLY);
	dir.Write("page.html.tmp", "<html>new");
	ASSERT_EQ(rename((dir / "page.html.tmp").c_str(), page.c_str()), 0);
	Settle();
	close(held);
	EXPECT_EQ(reports.Count("page"), 1);
}

TEST_F(FileWatcherTest, MovedAwayAndWrittenAnewIsReportedOnce)
{
	ASSERT_EQ(rename(page.c_str(), (dir / "page.html~").c_str()), 0);
	int fd = open(page.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
	ASSERT_GT(write(fd, "<html>", 6), 0);
	ASSERT_GT(write(fd, "again", 5), 0);
	close(fd);
	Settle();
	EXPECT_EQ(reports.Count("page"), 1);

	// The file moved away is no longer the one followed.
	WriteInPlace(dir / "page.html~", {"old"});
	Settle();
	EXPECT_EQ(reports.Count("page"), 1);
}

TEST_F(FileWatcherTest, DeletedAndCreatedAgainIsReportedOnce)
{
	ASSERT_EQ(unlink(page.c_str()), 0);
	Settle();
	EXPECT_EQ(reports.Count("page"), 0);
	dir.Write("page.html", "<html>back");
	Settle();
	EXPECT_EQ(reports.Count("page"), 1);
}

TEST_F(FileWatcherTest, AttributeAndModeChangesAreReported)
{
	ASSERT_EQ(chmod(page.c_str(), 0600), 0);
	Settle();
	EXPECT_EQ(reports.Count("page"), 1);
	if (setxattr(page.c_str(), "user.mime_type", "text/html", 9, 0) == 0) {
		Settle();
		EXPECT_EQ(reports.Count("page"), 2);
	}
}

TEST_F(FileWatcherTest, OtherFilesOfTheDirectoryAreNotReported)
{
	dir.Write("other.html", "x");
	dir.Write("page.html.tmp", "x");
	ASSERT_EQ(rename((dir / "page.html.tmp").c_str(), (dir / "page.htm").c_str()), 0);
	Settle();
	EXPECT_EQ(reports.Count("page"), 0);
}

TEST_F(FileWatcherTest, EveryWatcherOfAPathIsToldAndRemovingOneKeepsTheOther)
{
	int32 secondId;
	ASSERT_EQ(watcher.Add(page, reports.For("second"), &secondId), B_OK);
	WriteInPlace(page, {"<html>changed"});
	Settle();
	EXPECT_EQ(reports.Count("page"), 1);
	EXPECT_EQ(reports.Count("second"), 1);

	watcher.Remove(pageId);
	WriteInPlace(page, {"<html>again"});
	Settle();
	EXPECT_EQ(reports.Count("page"), 1);
	EXPECT_EQ(reports.Count("second"), 2);
}

TEST_F(FileWatcherTest, AFileNotThereYetIsReportedWhenWrittenButAMissingDirectoryIsRefused)
{
	int32 id;
	ASSERT_EQ(watcher.Add(dir / "later.html", reports.For("later"), &id), B_OK);
	dir.Write("later.html", "<html>");
	Settle();
	EXPECT_EQ(reports.Count("later"), 1);
	EXPECT_EQ(watcher.Add(dir / "none/page.html", reports.For("none"), &id), B_ENTRY_NOT_FOUND);
}

TEST_F(FileWatcherTest, WatcherDestroyedInAForkedChildLeavesTheParentsWatchesAlone)
{
	auto* shared = new FileWatcher;
	int32 id;
	ASSERT_EQ(shared->Add(page, reports.For("shared"), &id), B_OK);
	pid_t child = fork();
	if (child == 0) {
		delete shared;
		_exit(0);
	}
	// A child that hangs is a failure, not a hanging test.
	int status = 0;
	for (int waited = 0; waitpid(child, &status, WNOHANG) == 0; waited++) {
		if (waited == 500) {
			kill(child, SIGKILL);
			waitpid(child, &status, 0);
			ADD_FAILURE() << "the child did not finish";
			break;
		}
		usleep(10000);
	}
	WriteInPlace(page, {"<html>after the child"});
	EXPECT_TRUE(reports.WaitFor("shared", 1));
	delete shared;
}
