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
#include <mutex>
#include <vector>

#include "TempDirectory.h"

namespace {

// Keeps the node monitor messages it receives.
class RecordingHandler : public BHandler {
public:
	explicit RecordingHandler(const char* name) : BHandler(name) {}

	void MessageReceived(BMessage* message) override
	{
		std::lock_guard<std::mutex> guard(fLock);
		fReports.push_back(*message);
		fChanged.notify_all();
	}

	std::vector<BMessage> Reports()
	{
		std::lock_guard<std::mutex> guard(fLock);
		return fReports;
	}

	bool WaitFor(size_t count)
	{
		std::unique_lock<std::mutex> lock(fLock);
		return fChanged.wait_for(lock, std::chrono::seconds(10),
			[&]() { return fReports.size() >= count; });
	}

private:
	std::mutex fLock;
	std::condition_variable fChanged;
	std::vector<BMessage> fReports;
};

void WriteInPlace(const std::string& path, const char* content)
{
	int fd = open(path.c_str(), O_WRONLY | O_TRUNC);
	ASSERT_GE(fd, 0);
	ASSERT_GT(write(fd, content, strlen(content)), 0);
	close(fd);
}

} // namespace

// A running looper with two handlers: "page" watches page.html, which the
// test also holds open as the editor holds its files, and "sentinel"
// watches a second file. Messages reach the looper in the order the changes
// happened, so once a change of the sentinel has arrived every change made
// before it has been reported: Settle() makes "exactly once" and "never"
// exact without sleeping. The kinds of change reported are checked on the
// file watcher underneath.
class NodeMonitorTest : public testing::Test {
protected:
	void SetUp() override
	{
		dir.Write("page.html", "<html>");
		dir.Write("sentinel", "");
		looper = new BLooper("node monitor test");
		looper->AddHandler(&page);
		looper->AddHandler(&sentinel);
		looper->Run();

		pageFile.SetTo((dir / "page.html").c_str(), B_READ_ONLY);
		ASSERT_EQ(pageFile.GetNodeRef(&pageNode), B_OK);
		ASSERT_EQ(watch_node(&pageNode, B_WATCH_STAT, &page, looper), B_OK);
		ASSERT_EQ(BFile((dir / "sentinel").c_str(), B_READ_ONLY).GetNodeRef(&sentinelNode), B_OK);
		ASSERT_EQ(watch_node(&sentinelNode, B_WATCH_STAT, &sentinel, looper), B_OK);
	}

	void TearDown() override
	{
		stop_watching(&page, looper);
		stop_watching(&sentinel, looper);
		looper->Lock();
		looper->RemoveHandler(&page);
		looper->RemoveHandler(&sentinel);
		looper->Quit();
	}

	void Settle()
	{
		size_t expected = sentinel.Reports().size() + 1;
		WriteInPlace(dir / "sentinel", "x");
		ASSERT_TRUE(sentinel.WaitFor(expected));
	}

	void ExpectPageReports(size_t count)
	{
		std::vector<BMessage> reports = page.Reports();
		ASSERT_EQ(reports.size(), count);
		for (const BMessage& report : reports) {
			EXPECT_EQ(report.what, static_cast<uint32>(B_NODE_MONITOR));
			int32 opcode = -1;
			int32 device = -1;
			int64 node = -1;
			report.FindInt32("opcode", &opcode);
			report.FindInt32("device", &device);
			report.FindInt64("node", &node);
			EXPECT_EQ(opcode, B_STAT_CHANGED);
			EXPECT_EQ(device, static_cast<int32>(pageNode.device));
			EXPECT_EQ(node, static_cast<int64>(pageNode.node));
		}
	}

	TempDirectory dir;
	BLooper* looper = nullptr;
	RecordingHandler page{"page"};
	RecordingHandler sentinel{"sentinel"};
	BFile pageFile;
	node_ref pageNode;
	node_ref sentinelNode;
};

TEST_F(NodeMonitorTest, ChangesInPlaceAndByRenameAreReportedOnceEachWithTheWatchedNode)
{
	WriteInPlace(dir / "page.html", "<html>edited elsewhere");
	Settle();
	ExpectPageReports(1);

	dir.Write("page.html.swp", "<html>saved by another editor");
	ASSERT_EQ(rename((dir / "page.html.swp").c_str(), (dir / "page.html").c_str()), 0);
	Settle();
	ExpectPageReports(2);
	// The new file at that name is followed, still under the known node.
	WriteInPlace(dir / "page.html", "<html>and again");
	Settle();
	ExpectPageReports(3);
}

TEST_F(NodeMonitorTest, StoppingAWatchOrEveryWatchOfATargetEndsTheReports)
{
	ASSERT_EQ(watch_node(&pageNode, B_STOP_WATCHING, &page, looper), B_OK);
	EXPECT_EQ(watch_node(&pageNode, B_STOP_WATCHING, &page, looper), B_BAD_VALUE);
	WriteInPlace(dir / "page.html", "<html>unseen");
	Settle();
	ExpectPageReports(0);

	ASSERT_EQ(watch_node(&pageNode, B_WATCH_STAT, &page, looper), B_OK);
	ASSERT_EQ(watch_node(&sentinelNode, B_WATCH_STAT, &page, looper), B_OK);
	ASSERT_EQ(stop_watching(&page, looper), B_OK);
	WriteInPlace(dir / "page.html", "<html>unseen again");
	Settle();
	ExpectPageReports(0);
}

TEST_F(NodeMonitorTest, WatchingTwiceForOneTargetReportsOnce)
{
	ASSERT_EQ(watch_node(&pageNode, B_WATCH_STAT, BMessenger(&page, looper)), B_OK);
	WriteInPlace(dir / "page.html", "<html>edited");
	Settle();
	ExpectPageReports(1);
}

TEST_F(NodeMonitorTest, RequestsThatCannotBeServedAreRefused)
{
	node_ref unknown(pageNode.device, pageNode.node + 1000000);
	EXPECT_EQ(watch_node(&unknown, B_WATCH_STAT, &page, looper), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(watch_node(&pageNode, B_WATCH_NAME, &page, looper), B_UNSUPPORTED);
	EXPECT_EQ(watch_node(nullptr, B_WATCH_STAT, &page, looper), B_BAD_VALUE);
	EXPECT_EQ(watch_node(&pageNode, B_WATCH_STAT, BMessenger()), B_BAD_VALUE);
}
