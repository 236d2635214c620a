#include "ErrorAlert.h"
#include "KFile.h"

#include <Directory.h>
#include <Entry.h>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <memory>

#include "FewDescriptors.h"
#include "TempDirectory.h"

namespace {

std::string Take(char* text)
{
	std::unique_ptr<char[]> owned(text);
	return owned ? std::string(owned.get()) : std::string("<null>");
}

std::string Text(const char* text)
{
	return text != nullptr ? text : "<null>";
}

} // namespace

class KFileTest : public testing::Test {
protected:
	TempDirectory dir;
};

TEST_F(KFileTest, TheFileNameIsSplitAtItsLastDot)
{
	// File name, name and extension ("<null>" for none).
	const char* const rows[][3] = {{"index.html", "index", "html"},
		{"archive.tar.gz", "archive.tar", "gz"}, {"README", "README", "<null>"},
		{".profile", "<null>", "profile"}, {".config.bak", ".config", "bak"},
		{"notes.", "notes", ""}};
	for (const auto& row : rows) {
		SCOPED_TRACE(row[0]);
		KFile file((dir / row[0]).c_str(), B_READ_WRITE | B_CREATE_FILE);
		ASSERT_EQ(file.InitCheck(), B_OK);
		EXPECT_EQ(Text(file.FileName()), row[0]);
		EXPECT_EQ(Text(file.Name()), row[1]);
		EXPECT_EQ(Text(file.Extension()), row[2]);
		BEntry entry((dir / row[0]).c_str());
		EXPECT_EQ(Take(KFile::NameOf(&entry)), row[1]);
		EXPECT_EQ(Take(KFile::ExtensionOf(&entry)), row[2]);
	}
}

TEST_F(KFileTest, EveryWayOfOpeningGivesThePathPieces)
{
	ASSERT_EQ(mkdir((dir / "site").c_str(), 0755), 0);
	KFile file((dir / "site/index.html").c_str(), B_READ_WRITE | B_CREATE_FILE);
	EXPECT_EQ(Text(file.FullPath()), dir / "site/index.html");
	EXPECT_EQ(Text(file.Path()), dir / "site");
	ASSERT_NE(file.EntryRef(), nullptr);
	EXPECT_EQ(file.EntryRef()->path, dir / "site/index.html");

	dir.Write("page.html", "x");
	BEntry entry((dir / "page.html").c_str());
	entry_ref ref;
	ASSERT_EQ(entry.GetRef(&ref), B_OK);
	BDirectory directory(dir.Path().c_str());

	KFile byEntry(&entry, B_READ_ONLY);
	KFile byRef(&ref, B_READ_ONLY);
	KFile byDirectory(&directory, "page.html", B_READ_ONLY);
	for (KFile* opened : {&byEntry, &byRef, &byDirectory}) {
		EXPECT_EQ(opened->InitCheck(), B_OK);
		EXPECT_EQ(Text(opened->FullPath()), dir / "page.html");
		EXPECT_EQ(Text(opened->Name()), "page");
	}
}

TEST_F(KFileTest, OpeningThroughALinkRemembersTheTarget)
{
	dir.Write("real.html", "x");
	ASSERT_EQ(symlink("real.html", (dir / "link.html").c_str()), 0);
	KFile file((dir / "link.html").c_str(), B_READ_ONLY);
	EXPECT_EQ(Text(file.FileName()), "real.html");
}

TEST_F(KFileTest, SettingToAnotherFileRecomputesAndFailureForgets)
{
	dir.Write("a.html", "x");
	dir.Write("b.txt", "y");
	KFile file((dir / "a.html").c_str(), B_READ_ONLY);
	ASSERT_EQ(file.SetTo((dir / "b.txt").c_str(), B_READ_ONLY), B_OK);
	EXPECT_EQ(Text(file.Extension()), "txt");

	EXPECT_EQ(file.SetTo((dir / "none.html").c_str(), B_READ_ONLY), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(file.FullPath(), nullptr);
	EXPECT_EQ(file.Name(), nullptr);
	EXPECT_EQ(file.EntryRef(), nullptr);
}

TEST_F(KFileTest, StaticPiecesOfMissingEntriesAreNone)
{
	BEntry missing((dir / "gone.html").c_str());
	entry_ref ref;
	ASSERT_EQ(missing.GetRef(&ref), B_OK);
	EXPECT_EQ(KFile::FullPathOf(&missing), nullptr);
	EXPECT_EQ(KFile::NameOf(&ref), nullptr);
	EXPECT_EQ(KFile::PathOf(static_cast<const BEntry*>(nullptr)), nullptr);

	dir.Write("gone.html", "");
	EXPECT_EQ(Take(KFile::FullPathOf(&ref)), dir / "gone.html");
	EXPECT_EQ(Take(KFile::PathOf(&ref)), dir.Path());
	EXPECT_EQ(Take(KFile::FileNameOf(&ref)), "gone.html");
}

TEST_F(KFileTest, DeleteRemovesTheFileAndCloses)
{
	KFile file((dir / "$VLM-page.html0.html").c_str(), B_READ_WRITE | B_CREATE_FILE);
	ASSERT_TRUE(dir.Exists("$VLM-page.html0.html"));
	EXPECT_EQ(file.Delete(), B_OK);
	EXPECT_FALSE(dir.Exists("$VLM-page.html0.html"));
	EXPECT_EQ(file.InitCheck(), B_NO_INIT);
	EXPECT_EQ(file.Delete(), B_NO_INIT);
}

class KFileCopyTest : public KFileTest {
protected:
	void SetUp() override
	{
		dir.Write("source.html", "<html>0123456789</html>");
		source.SetTo((dir / "source.html").c_str(), B_READ_ONLY);
		target.SetTo((dir / "target.html").c_str(), B_READ_WRITE | B_CREATE_FILE);
	}

	KFile source;
	KFile target;
};

TEST_F(KFileCopyTest, WholeContentOrAPartArrivesAtTheTargetsPositionAndTheSourceDoesNotMove)
{
	ASSERT_EQ(source.CopyTo(&target), B_OK);
	EXPECT_EQ(dir.Read("target.html"), "<html>0123456789</html>");
	EXPECT_EQ(target.Position(), 23);
	EXPECT_EQ(source.Position(), 0);

	target.Write("head:", 5);
	ASSERT_EQ(source.CopyTo(&target, 6, 10), B_OK);
	EXPECT_EQ(dir.Read("target.html"), "<html>0123456789</html>head:0123456789");
}

TEST_F(KFileCopyTest, FailedCopyLeavesNoPartialTail)
{
	// A source larger than the target may grow to: every write past the
	// limit fails (EFBIG) as on a full disk.
	std::string big(200 * 1024, 'b');
	dir.Write("big.html", big);
	dir.Write("target.html", "previous");
	std::string bigPath = dir / "big.html", targetPath = dir / "target.html";
	int result = RunInChild([&bigPath, &targetPath]() {
		signal(SIGXFSZ, SIG_IGN);
		struct rlimit limit = {100 * 1024, 100 * 1024};
		setrlimit(RLIMIT_FSIZE, &limit);
		KFile from(bigPath.c_str(), B_READ_ONLY);
		KFile to(targetPath.c_str(), B_READ_WRITE | B_OPEN_AT_END);
		status_t status = from.CopyTo(&to);
		return status != B_OK && to.Position() == 8 ? 0 : 1;
	});
	EXPECT_EQ(result, 0) << "copy reported success or lost its place";
	EXPECT_EQ(dir.Read("target.html"), "previous");
}

namespace {

std::vector<std::string> sAlerts;

void RecordAlert(const char* text)
{
	sAlerts.push_back(text);
}

} // namespace

TEST_F(KFileTest, RunningOutOfFilesIsReportedAndLeavesTheFileUnset)
{
	dir.Write("page.html", "x");
	std::string path = dir / "page.html";
	int result = RunInChild([&path]() {
		SetErrorAlertHandler(RecordAlert);
		KFile(path.c_str(), B_READ_ONLY).Unset();
		UseUpDescriptors();
		KFile file(path.c_str(), B_READ_ONLY);
		bool reported = sAlerts.size() == 1
			&& sAlerts[0] == "Error: You have exceeded the maximum number of open files that "
				"Linux allows for a program.";
		bool unset = file.InitCheck() == B_NO_MORE_FDS && file.FullPath() == nullptr
			&& file.EntryRef() == nullptr;
		return (reported ? 0 : 1) | (unset ? 0 : 2);
	});
	EXPECT_EQ(result, 0) << "1: not reported as it should be, 2: not left unset";
}

TEST_F(KFileTest, OtherOpenErrorsAreLeftToTheCaller)
{
	sAlerts.clear();
	error_alert_handler previous = SetErrorAlertHandler(RecordAlert);
	KFile file((dir / "missing.html").c_str(), B_READ_ONLY);
	SetErrorAlertHandler(previous);
	EXPECT_EQ(file.InitCheck(), B_ENTRY_NOT_FOUND);
	EXPECT_TRUE(sAlerts.empty());
}
