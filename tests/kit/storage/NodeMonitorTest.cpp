#include <File.h>
#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <NodeMonitor.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "TempDirectory.h"

namespace {

struct Report {
	std::string handler;
	int32 opcode;
	int32 device;
	int64 node;
};

// Node monitor messages as the handlers received them.
class Journal {
public:
	void Add(const Report& report)
	{
		std::lock_guard<std::mutex> guard(fLock);
		fReports.push_back(report);
		fChanged.notify_all();
	}

	bool WaitFor(const std::string& handler, size_t count)
	{
		std::unique_lock<std::mutex> lock(fLock);
		return fChanged.wait_for(lock, std::chrono::seconds(10),
			[&]() { return CountLocked(handler) >= count; });
	}

	std::vector<Report> For(const std::string& handler)
	{
		std::lock_guard<std::mutex> guard(fLock);
		std::vector<Report> found;
		for (const Report& report : fReports) {
			if (report.handler == handler)
				found.push_back(report);
		}
		return found;
	}

private:
	size_t CountLocked(const std::string& handler)
	{
		size_t count = 0;
		for (const Report& report : fReports)
			count += report.handler == handler;
		return count;
	}

	std::mutex fLock;
	std::condition_variable fChanged;
	std::vector<Report> fReports;
};

class RecordingHandler : public BHandler {
public:
	RecordingHandler(const char* name, std::shared_ptr<Journal> journal)
		: BHandler(name), fJournal(std::move(journal))
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != B_NODE_MONITOR) {
			BHandler::MessageReceived(message);
			return;
		}
		Report report{Name(), -1, -1, -1};
		message->FindInt32("opcode", &report.opcode);
		message->FindInt32("device", &report.device);
		message->FindInt64("node", &report.node);
		fJournal->Add(report);
	}

private:
	std::shared_ptr<Journal> fJournal;
};

void WriteInPlace(const std::string& path, const char* content)
{
	int fd = open(path.c_str(), O_WRONLY | O_TRUNC);
	ASSERT_GE(fd, 0);
	ASSERT_GT(write(fd, content, strlen(content)), 0);
	ASSERT_GT(write(fd, "!", 1), 0);
	close(fd);
}

} // namespace

// A running looper with two handlers: "page" watches page.html, which the
// test also holds open as the editor holds its files, and "sentinel"
// watches a second file. Messages reach the looper in the order the changes
// happened, so once a change of the sentinel has arrived every change made
// before it has been reported: Settle() makes "exactly once" and "never"
// exact without sleeping.
class NodeMonitorTest : public testing::Test {
protected:
	void SetUp() override
	{
		dir.Write("page.html", "<html>");
		dir.Write("sentinel", "");
		looper = new BLooper("node monitor test");
		page = new RecordingHandler("page", journal);
		sentinel = new RecordingHandler("sentinel", journal);
		looper->AddHandler(page);
		looper->AddHandler(sentinel);
		looper->Run();

		pageFile.SetTo((dir / "page.html").c_str(), B_READ_ONLY);
		ASSERT_EQ(pageFile.GetNodeRef(&pageNode), B_OK);
		ASSERT_EQ(watch_node(&pageNode, B_WATCH_STAT, page, looper), B_OK);
		node_ref sentinelNode;
		ASSERT_EQ(BFile((dir / "sentinel").c_str(), B_READ_ONLY).GetNodeRef(&sentinelNode), B_OK);
		ASSERT_EQ(watch_node(&sentinelNode, B_WATCH_STAT, sentinel, looper), B_OK);
	}

	void TearDown() override
	{
		stop_watching(page, looper);
		stop_watching(sentinel, looper);
		looper->Lock();
		looper->Quit();
		delete page;
		delete sentinel;
	}

	void Settle()
	{
		size_t expected = journal->For("sentinel").size() + 1;
		WriteInPlace(dir / "sentinel", "x");
		ASSERT_TRUE(journal->WaitFor("sentinel", expected));
	}

	void ExpectPageReports(size_t count)
	{
		std::vector<Report> reports = journal->For("page");
		ASSERT_EQ(reports.size(), count);
		for (const Report& report : reports) {
			EXPECT_EQ(report.opcode, B_STAT_CHANGED);
			EXPECT_EQ(report.device, static_cast<int32>(pageNode.device));
			EXPECT_EQ(report.node, static_cast<int64>(pageNode.node));
		}
	}

	TempDirectory dir;
	std::shared_ptr<Journal> journal = std::make_shared<Journal>();
	BLooper* looper = nullptr;
	RecordingHandler* page = nullptr;
	RecordingHandler* sentinel = nullptr;
	BFile pageFile;
	node_ref pageNode;
};

TEST_F(NodeMonitorTest, ChangeInPlaceIsReportedOnceAsAStatChange)
{
	WriteInPlace(dir / "page.html", "<html>edited elsewhere");
	Settle();
	ExpectPageReports(1);
}

TEST_F(NodeMonitorTest, ReplaceByRenameIsReportedOnceWithTheWatchedNode)
{
	dir.Write("page.html.swp", "<html>saved by another editor");
	ASSERT_EQ(rename((dir / "page.html.swp").c_str(), (dir / "page.html").c_str()), 0);
	Settle();
	ExpectPageReports(1);

	// The new file at that name is followed, still under the known node.
	WriteInPlace(dir / "page.html", "<html>and again");
	Settle();
	ExpectPageReports(2);
}

TEST_F(NodeMonitorTest, StoppingAWatchOrEveryWatchOfATargetEndsTheReports)
{
	ASSERT_EQ(watch_node(&pageNode, B_STOP_WATCHING, page, looper), B_OK);
	EXPECT_EQ(watch_node(&pageNode, B_STOP_WATCHING, page, looper), B_BAD_VALUE);
	WriteInPlace(dir / "page.html", "<html>unseen");
	Settle();
	ExpectPageReports(0);

	ASSERT_EQ(watch_node(&pageNode, B_WATCH_STAT, page, looper), B_OK);
	node_ref sentinelNode;
	ASSERT_EQ(BFile((dir / "sentinel").c_str(), B_READ_ONLY).GetNodeRef(&sentinelNode), B_OK);
	ASSERT_EQ(watch_node(&sentinelNode, B_WATCH_STAT, page, looper), B_OK);
	ASSERT_EQ(stop_watching(page, looper), B_OK);
	WriteInPlace(dir / "page.html", "<html>unseen again");
	Settle();
	ExpectPageReports(0);
}

TEST_F(NodeMonitorTest, WatchingTwiceForOneTargetReportsOnce)
{
	ASSERT_EQ(watch_node(&pageNode, B_WATCH_STAT, BMessenger(page, looper)), B_OK);
	WriteInPlace(dir / "page.html", "<html>edited");
	Settle();
	ExpectPageReports(1);
}

TEST_F(NodeMonitorTest, RequestsThatCannotBeServedAreRefused)
{
	node_ref unknown(pageNode.device, pageNode.node + 1000000);
	EXPECT_EQ(watch_node(&unknown, B_WATCH_STAT, page, looper), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(watch_node(&pageNode, B_WATCH_NAME, page, looper), B_UNSUPPORTED);
	EXPECT_EQ(watch_node(nullptr, B_WATCH_STAT, page, looper), B_BAD_VALUE);
	EXPECT_EQ(watch_node(&pageNode, B_WATCH_STAT, BMessenger()), B_BAD_VALUE);
}
