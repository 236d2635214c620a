// Saves under faults: a file-size limit, writes that fail with a full
// disk at once or after some bytes, and programs killed at any point of
// a save. After each, the page file and the settings file hold their old
// bytes or their new ones, never a mix or a part; a save that failed was
// told to the user, and its page stays unsaved.

#include "PageTesting.h"

#include <errno.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>

#include "ErrorAlert.h"
#include "FewDescriptors.h"
#include "KFile.h"
#include "SafeSave.h"

using PageTesting::PageTest;

namespace {

// Bytes the new file of a save may still be given; -1: no limit.
std::atomic<long> sNewFileBytes{-1};

bool IsTheNewFileOfASave(int fd)
{
	char path[4096];
	ssize_t length = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path,
		sizeof(path) - 1);
	return length > 0 && std::string(path, static_cast<size_t>(length)).find(".saving-")
		!= std::string::npos;
}

} // namespace

// Every write of the test program passes here: those into the new file of
// a save fail with a full disk once the bytes allowed are spent.
extern "C" ssize_t write(int fd, const void* buffer, size_t size)
{
	long allowed = sNewFileBytes.load();
	if (allowed >= 0 && IsTheNewFileOfASave(fd)) {
		if (allowed == 0) {
			errno = ENOSPC;
			return -1;
		}
		size = std::min(size, static_cast<size_t>(allowed));
		sNewFileBytes -= static_cast<long>(size);
	}
	return syscall(SYS_write, fd, buffer, size);
}

namespace {

std::vector<std::string> sAlerts;

void RecordAlert(const char* text)
{
	sAlerts.push_back(text);
}

struct Fault {
	const char* name;
	std::function<void()> arm;		// in the process that saves
	std::function<void()> disarm;
};

struct rlimit sFileSizeLimit;

std::vector<Fault> WriteFaults()
{
	auto failAfter = [](long bytes) {
		return [bytes] { sNewFileBytes = bytes; };
	};
	auto noLimit = [] { sNewFileBytes = -1; };
	return {
		{"a file-size limit", [] {
			getrlimit(RLIMIT_FSIZE, &sFileSizeLimit);
			struct rlimit small = {100, sFileSizeLimit.rlim_max};
			setrlimit(RLIMIT_FSIZE, &small);
		}, [] { setrlimit(RLIMIT_FSIZE, &sFileSizeLimit); }},
		{"a full disk at once", failAfter(0), noLimit},
		{"a full disk after 4096 bytes", failAfter(4096), noLimit},
	};
}

// One writable settings object for the program's life: the settings are
// shared (Config_::Shared()) by what the other tests make.
Config_* WritableSettings()
{
	static Config_* settings = [] {
		PageTesting::Application();
		return new Config_(false);
	}();
	return settings;
}

std::string PageOf(char letter, size_t bytes)
{
	return "<html><body><p>" + std::string(bytes, letter) + "</p></body></html>\n";
}

class SaveFaults : public PageTest {
protected:
	void SetUp() override
	{
		signal(SIGXFSZ, SIG_IGN);
		sAlerts.clear();
		fOldHandler = SetErrorAlertHandler(RecordAlert);
		WritableSettings();
		fOldConfig = getenv("XDG_CONFIG_HOME");
		setenv("XDG_CONFIG_HOME", (fFolder / "config").c_str(), 1);
	}

	void TearDown() override
	{
		PageTest::TearDown();
		SetErrorAlertHandler(fOldHandler);
		setenv("XDG_CONFIG_HOME", fOldConfig.c_str(), 1);
	}

	std::string SettingsFile() const { return "config/Korvane/Velmora_settings"; }

	// Saves settings that differ from those in the file in a child, under
	// the fault: 0 when the user was told and the file is as it was.
	int SaveSettings(const Fault& fault)
	{
		return RunInChild([this, &fault] {
			std::string old = fFolder.Read(SettingsFile());
			WritableSettings()->SetUserName(std::string(10000, 'x').c_str());
			sAlerts.clear();
			fault.arm();
			WritableSettings()->Save();
			fault.disarm();
			bool told = !sAlerts.empty()
				&& sAlerts.back().find("not possible to create config file") != std::string::npos;
			return told && fFolder.Read(SettingsFile()) == old ? 0 : 1;
		});
	}

	error_alert_handler fOldHandler = nullptr;
	std::string fOldConfig;
};

} // namespace

TEST_F(SaveFaults, AFailedWriteLeavesTheOldFilesTellsTheUserAndKeepsThePageUnsaved)
{
	std::string old = PageOf('o', 60000);
	std::string changed = PageOf('n', 70000);
	WritableSettings()->Save();
	for (const Fault& fault : WriteFaults()) {
		SCOPED_TRACE(fault.name);
		Open(old);
		{
			BAutolock lock(fPage->HTMLWindow());
			fPage->HTMLWindow()->View()->SetText(changed.c_str());
		}
		ASSERT_FALSE(fPage->IsSaved());
		sAlerts.clear();
		fault.arm();
		status_t status = fPage->Save();
		fault.disarm();
		EXPECT_NE(status, B_OK);
		EXPECT_EQ(fFolder.Read("page.html"), old);
		ASSERT_FALSE(sAlerts.empty());
		EXPECT_NE(sAlerts.back().find("could not save the page file"), std::string::npos);
		EXPECT_FALSE(fPage->IsSaved());
		for (const auto& entry : std::filesystem::directory_iterator(fFolder.Path()))
			EXPECT_EQ(entry.path().filename().string().find(".saving-"), std::string::npos)
				<< "nothing of the failed write is left: " << entry.path();
		// Once the fault is gone, the whole of the user's text is saved.
		EXPECT_EQ(fPage->Save(), B_OK);
		EXPECT_TRUE(fPage->IsSaved());
		std::string saved = fFolder.Read("page.html");
		EXPECT_NE(saved.find(std::string(70000, 'n')), std::string::npos);
		EXPECT_EQ(saved.find(std::string(100, 'o')), std::string::npos);

		EXPECT_EQ(SaveSettings(fault), 0);

		// Saved as a file that exists: the fault leaves that file whole.
		fFolder.Write("other.html", old);
		ASSERT_EQ(fPage->SetFile((fFolder / "other.html").c_str()), B_OK);
		fault.arm();
		EXPECT_NE(fPage->Save(), B_OK);
		fault.disarm();
		EXPECT_EQ(fFolder.Read("other.html"), old);
	}
}

// A program is killed at evenly spread times of a save, give or take a
// little: the save runs in a child, and the file's bytes are checked after
// each kill. Settings are saved through the same replace.
TEST_F(SaveFaults, AKilledSaveLeavesTheOldFileOrTheNewAndItsNewFileGoesLater)
{
	const std::vector<std::string> pages = {PageOf('a', 8000000), PageOf('b', 7000000)};
	std::string page = fFolder / "page.html";
	fFolder.Write("page.html", pages[1]);
	auto start = std::chrono::steady_clock::now();
	ASSERT_EQ(RunInChild([&] { return SafeSave::Replace(page.c_str(), pages[0]) == B_OK ? 0 : 1; }),
		0);
	double full = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
	std::mt19937 random(25);
	constexpr int kKills = 24;
	for (int kill = 0; kill < kKills; kill++) {
		double at = full * kill / (kKills - 1) * std::uniform_real_distribution<>(0.8, 1.2)(random);
		pid_t child = fork();
		if (child == 0) {
			SafeSave::Replace(page.c_str(), pages[kill % 2]);
			_exit(0);
		}
		snooze(static_cast<bigtime_t>(at * 1e6));
		::kill(child, SIGKILL);
		waitpid(child, nullptr, 0);
		std::string now = fFolder.Read("page.html");
		EXPECT_TRUE(now == pages[0] || now == pages[1]) << "killed after " << at << " s of a "
			<< full << " s save: " << now.size() << " bytes, neither the old file nor the new";
	}

	// What the killed saves left beside the page goes at its next opening.
	SafeSave::RemoveAbandonedNewFiles(fFolder.Path(), "page.html");
	for (const auto& entry : std::filesystem::directory_iterator(fFolder.Path()))
		EXPECT_EQ(entry.path().filename().string().find(".saving-"), std::string::npos)
			<< entry.path();
}
