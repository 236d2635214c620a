#include "RecoveryCopy.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <random>
#include <utility>

#include <Directory.h>
#include <File.h>
#include <FindDirectory.h>
#include <Message.h>
#include <OS.h>
#include <Path.h>
#include <TypeConstants.h>

#include "PageText.h"
#include "SafeSave.h"

namespace {

const char kCopySuffix[] = ".recovery";
const char kLockSuffix[] = ".lock";
constexpr uint32 kCopyWhat = 'RCPY';
constexpr int32 kNameTries = 100;
constexpr size_t kLongestPageName = 40;

// The page file's name as part of the copy's name, so that a person who
// looks into the folder sees whose copy it is.
std::string PageName(const std::string& path)
{
	std::string leaf = path.substr(path.rfind('/') + 1);
	if (leaf.empty())
		return "Untitled";
	std::string name;
	for (char c : leaf.substr(0, kLongestPageName)) {
		bool plain = isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
		name += plain && (c & 0x80) == 0 ? c : '_';
	}
	return name;
}

std::string RandomId()
{
	static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
	std::random_device device;
	std::string id;
	for (int i = 0; i < 8; i++)
		id += kLetters[device() % (sizeof(kLetters) - 1)];
	return id;
}

std::string Flattened(const RecoveryCopy::Contents& contents)
{
	BMessage copy(kCopyWhat);
	copy.AddString("path", contents.path.c_str());
	copy.AddString("encoding", contents.encoding.c_str());
	copy.AddBool("bom", contents.byteOrderMark);
	copy.AddInt64("time", contents.time);
	copy.AddData("html", B_RAW_TYPE, contents.html.data(),
		static_cast<ssize_t>(contents.html.size()));
	std::string bytes(static_cast<size_t>(copy.FlattenedSize()), '\0');
	if (copy.Flatten(bytes.data(), static_cast<ssize_t>(bytes.size())) != B_OK)
		return std::string();
	return bytes;
}

} // namespace

RecoveryCopy::RecoveryCopy()
	:
	exists(false),
	edits(0),
	editsKept(0),
	lastEdit(0),
	firstEditNotKept(0)
{
}

// A copy that exists is left for a later start; the lock file of one that
// does not goes with the lock.
RecoveryCopy::~RecoveryCopy()
{
	std::lock_guard<std::mutex> guard(lock);
	if (!base.empty() && !exists)
		unlink((base + kLockSuffix).c_str());
}

std::string RecoveryCopy::Folder()
{
	BPath state;
	if (find_directory(B_USER_STATE_DIRECTORY, &state) != B_OK)
		return std::string();
	return std::string(state.Path()) + "/Korvane/Velmora/recovery";
}

void RecoveryCopy::Edited(bigtime_t now)
{
	if (edits.fetch_add(1) == editsKept.load())
		firstEditNotKept = now;
	lastEdit = now;
}

bool RecoveryCopy::IsDue(bigtime_t now) const
{
	if (edits.load() <= editsKept.load())
		return false;
	return now - lastEdit.load() >= kQuiet || now - firstEditNotKept.load() >= kLongest;
}

status_t RecoveryCopy::Write(const Contents& contents, uint64 editsTaken)
{
	bigtime_t started = system_time();
	std::lock_guard<std::mutex> guard(lock);
	// The copy holds these edits already, or the page was saved after the
	// text was taken.
	if ((exists && editsTaken <= editsKept.load()) || editsTaken < editsKept.load())
		return B_OK;
	if (base.empty()) {
		std::string folder = Folder();
		if (folder.empty())
			return B_ENTRY_NOT_FOUND;
		create_directory(folder.c_str(), 0700);
		status_t status = MakeLockFile(folder, PageName(contents.path));
		if (status != B_OK)
			return status;
	}
	std::string bytes = Flattened(contents);
	status_t status = bytes.empty() ? B_NO_MEMORY
		: SafeSave::Replace((base + kCopySuffix).c_str(), bytes, nullptr);
	if (status != B_OK)
		return status;
	exists = true;
	editsKept = editsTaken;
	if (edits.load() > editsTaken)
		firstEditNotKept = started;
	return B_OK;
}

// A new name for the copy, held before anything is written under it.
status_t RecoveryCopy::MakeLockFile(const std::string& folder, const std::string& pageName)
{
	for (int32 tries = 0; tries < kNameTries; tries++) {
		std::string candidate = folder + "/" + pageName + "-" + RandomId();
		status_t status = hold.SetTo((candidate + kLockSuffix).c_str(), true, true);
		if (status == B_OK) {
			base = candidate;
			return B_OK;
		}
		if (status != B_FILE_EXISTS && status != B_ENTRY_NOT_FOUND)
			return status;
	}
	return B_FILE_EXISTS;
}

void RecoveryCopy::Remove()
{
	std::lock_guard<std::mutex> guard(lock);
	editsKept = edits.load();
	if (exists)
		unlink((base + kCopySuffix).c_str());
	exists = false;
}

void RecoveryCopy::Adopt(RecoveryCopy& other)
{
	std::scoped_lock both(lock, other.lock);
	if (!base.empty()) {
		if (exists)
			unlink((base + kCopySuffix).c_str());
		unlink((base + kLockSuffix).c_str());
	}
	base = std::exchange(other.base, std::string());
	hold = std::move(other.hold);
	exists = std::exchange(other.exists, false);
	editsKept = edits.load();
}

bool RecoveryCopy::Exists() const
{
	std::lock_guard<std::mutex> guard(lock);
	return exists;
}

std::string RecoveryCopy::CopyPath() const
{
	std::lock_guard<std::mutex> guard(lock);
	return base.empty() ? std::string() : base + kCopySuffix;
}

// The folder also holds what a program that ended abruptly left of its own
// besides copies: lock files without a copy, and the new files of copies
// it was writing. Nobody holds those; they go.
std::vector<std::unique_ptr<RecoveryCopy>> RecoveryCopy::Abandoned()
{
	std::vector<std::unique_ptr<RecoveryCopy>> copies;
	std::string folder = Folder();
	DIR* directory = folder.empty() ? nullptr : opendir(folder.c_str());
	if (directory == nullptr)
		return copies;
	while (dirent* entry = readdir(directory)) {
		std::string name = entry->d_name;
		if (!name.ends_with(kCopySuffix))
			continue;
		if (std::unique_ptr<RecoveryCopy> copy = Take(folder + "/" + name))
			copies.push_back(std::move(copy));
	}
	closedir(directory);
	FileLock::RemoveUnheldFiles(folder, [&folder](const std::string& name) {
		if (!name.ends_with(kLockSuffix))
			return false;
		std::string copy = name.substr(0, name.size() - strlen(kLockSuffix)) + kCopySuffix;
		return access((folder + "/" + copy).c_str(), F_OK) != 0;
	});
	SafeSave::RemoveAbandonedNewFiles(folder, std::string());
	std::sort(copies.begin(), copies.end(), [](const auto& one, const auto& other) {
		return one->found.time < other->found.time;
	});
	return copies;
}

// The program that writes a copy removes it before its lock file, so a
// copy that is still there once its lock is held was left behind.
std::unique_ptr<RecoveryCopy> RecoveryCopy::Take(const std::string& copyPath)
{
	if (!copyPath.ends_with(kCopySuffix))
		return nullptr;
	std::unique_ptr<RecoveryCopy> copy(new RecoveryCopy());
	std::string base = copyPath.substr(0, copyPath.size() - strlen(kCopySuffix));
	std::string lockPath = base + kLockSuffix;
	status_t status = copy->hold.SetTo(lockPath.c_str(), false, false);
	if (status == B_ENTRY_NOT_FOUND)
		status = copy->hold.SetTo(lockPath.c_str(), true, false);
	if (status != B_OK)
		return nullptr;
	copy->base = base;
	copy->exists = true;
	if (copy->Read() != B_OK) {
		// A copy that cannot be read is left as it is, and so is its lock
		// file: the user never chose to lose it.
		copy->hold.Unset();
		return nullptr;
	}
	return copy;
}

status_t RecoveryCopy::Read()
{
	BFile file((base + kCopySuffix).c_str(), B_READ_ONLY);
	std::string bytes;
	status_t status = PageText::ReadFile(&file, bytes);
	BMessage copy;
	if (status == B_OK)
		status = copy.Unflatten(bytes.data(), static_cast<ssize_t>(bytes.size()));
	const char* path = nullptr;
	const char* encoding = nullptr;
	const void* html = nullptr;
	ssize_t htmlSize = 0;
	if (status == B_OK && (copy.what != kCopyWhat || copy.FindString("path", &path) != B_OK
			|| copy.FindString("encoding", &encoding) != B_OK
			|| copy.FindInt64("time", &found.time) != B_OK
			|| copy.FindData("html", B_RAW_TYPE, &html, &htmlSize) != B_OK))
		status = B_BAD_DATA;
	if (status != B_OK)
		return status;
	found.path = path;
	found.encoding = encoding;
	copy.FindBool("bom", &found.byteOrderMark);
	found.html.assign(static_cast<const char*>(html), static_cast<size_t>(htmlSize));
	return B_OK;
}
