#include "WApplication.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include <Entry.h>
#include <Message.h>
#include <NodeMonitor.h>
#include <OS.h>
#include <Path.h>

#include "ErrorAlert.h"
#include "KFile.h"
#include "Page.h"
#include "Visual_Engine.h"

namespace {

const char kSignature[] = "application/x-vnd.Velmora";

// The browser the user chose ($BROWSER), else the desktop's opener.
std::string BrowserProgram()
{
	const char* chosen = getenv("BROWSER");
	if (chosen != nullptr && chosen[0] != '\0') {
		std::string program(chosen);
		return program.substr(0, program.find(':'));
	}
	const char* searchPath = getenv("PATH");
	std::string folders = searchPath != nullptr ? searchPath : "/usr/bin:/bin";
	for (size_t start = 0; start <= folders.size();) {
		size_t end = folders.find(':', start);
		if (end == std::string::npos)
			end = folders.size();
		std::string candidate = folders.substr(start, end - start) + "/xdg-open";
		if (access(candidate.c_str(), X_OK) == 0)
			return candidate;
		start = end + 1;
	}
	return std::string();
}

} // namespace

WApplication::WApplication(const char* path, bool batch)
	:
	BApplication(kSignature),
	firstStart(false),
	starting(true),
	activeWindow(nullptr)
{
	for (Page*& page : pages)
		page = nullptr;
	settings = std::make_unique<Config_>(batch);
	firstStart = settings->IsFirstStart();
	if (path != nullptr && path[0] != '\0') {
		startPath = path;
	} else if (settings->AppDirectory() != nullptr) {
		startPath = std::string(settings->AppDirectory()) + "Documentation/StartUp.html";
	}
}

WApplication::~WApplication()
{
	for (Page*& page : pages) {
		delete page;
		page = nullptr;
	}
}

Page* WApplication::PageAt(int32 index) const
{
	return index >= 0 && index < kPageSlots ? pages[index] : nullptr;
}

Page* WApplication::MakePage(const char* path, int32 index)
{
	if (index < 0 || index >= kPageSlots || pages[index] != nullptr)
		return nullptr;
	pages[index] = new Page(path, index, this);
	return pages[index];
}

void WApplication::ReadyToRun()
{
	Page* page = MakePage(startPath.c_str(), 0);
	if (page != nullptr)
		page->Engine()->PostMessage('reld');
}

void WApplication::StartingFinished()
{
	starting = false;
}

// A further document is opened by another process of the program.
void WApplication::RefsReceived(BMessage* message)
{
	entry_ref ref;
	std::string path;
	if (message->FindRef("refs", &ref) == B_OK) {
		BPath resolved(&ref);
		if (resolved.InitCheck() == B_OK)
			path = resolved.Path();
	}
	if (IsLaunching()) {
		startPath = path;
		return;
	}
	std::string program = std::string(settings->AppDirectory() != nullptr
		? settings->AppDirectory() : "") + "velmora";
	const char* arguments[] = {program.c_str(), path.c_str(), nullptr};
	thread_id team = load_image(path.empty() ? 1 : 2, arguments,
		const_cast<const char**>(environ));
	if (team >= 0)
		resume_thread(team);
}

void WApplication::MessageReceived(BMessage* message)
{
	if (message->what == B_NODE_MONITOR) {
		ForwardExchangeChange(message);
		return;
	}
	BApplication::MessageReceived(message);
}

// Another program changed a page's exchange file: the page reads it back.
void WApplication::ForwardExchangeChange(const BMessage* message)
{
	int32 opcode = 0;
	int32 device = 0;
	int64 node = 0;
	if (message->FindInt32("opcode", &opcode) != B_OK || opcode != B_STAT_CHANGED
			|| message->FindInt32("device", &device) != B_OK
			|| message->FindInt64("node", &node) != B_OK)
		return;
	for (Page* page : pages) {
		if (page == nullptr)
			break;
		KFile* exchange = page->ExternalExchangeFile();
		node_ref watched;
		if (exchange != nullptr && exchange->GetNodeRef(&watched) == B_OK
				&& watched.device == static_cast<dev_t>(device)
				&& watched.node == static_cast<ino_t>(node))
			page->Engine()->PostMessage('upde');
	}
}

void WApplication::ShowInBrowser(const char* path, const char* scheme)
{
	if (path == nullptr || scheme == nullptr)
		return;
	std::string browser = BrowserProgram();
	if (browser.empty()) {
		ErrorAlert("You don't have a web browser installed: set BROWSER or install xdg-open");
		return;
	}
	std::string url = std::string(scheme) + "://" + path;
	const char* arguments[] = {browser.c_str(), url.c_str(), nullptr};
	thread_id team = load_image(2, arguments, const_cast<const char**>(environ));
	if (team >= 0)
		resume_thread(team);
}
