#include "Tidy.h"

#include <cassert>
#include <string>

#include <Autolock.h>
#include <Message.h>

#include "Element_List.h"
#include "EnginePage.h"
#include "ErrorAlert.h"
#include "PageParser.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"
#include "bridge_support/PageWalk.h"

namespace {

const char kLoadingLabel[] = "Loading… Esc stops";
const char kBuildingLabel[] = "Building… Esc stops";

// A page this big takes the library a good part of a second to parse: its
// start is read on its own and shown meanwhile. The start is cut before a
// tag, so that no tag is read cut off.
const size_t kStartShownAbove = 1024 * 1024;
const size_t kStartBytes = 64 * 1024;

} // namespace

Tidy::Tidy(EnginePage* page, const char* path)
	:
	page(page),
	path(path != nullptr ? path : ""),
	input(path, B_READ_ONLY),
	loadProgress(false),
	building(false),
	locked(false),
	owner(find_thread(nullptr))
{
	if (input.InitCheck() != B_OK)
		ErrorAlert("Error: cannot open page file ", this->path.c_str());
}

// The engine may be gone already: nothing builds any more.
Tidy::~Tidy()
{
	Holder hold(*this);
	walk.reset();
	page->FreeTree();
}

bool Tidy::Acquire()
{
	thread_id self = find_thread(nullptr);
	std::unique_lock<std::mutex> guard(lock);
	if (locked && owner == self)
		return false;
	released.wait(guard, [this] { return !locked; });
	locked = true;
	owner = self;
	return true;
}

void Tidy::Lock()
{
	Acquire();
}

void Tidy::Unlock()
{
	{
		std::lock_guard<std::mutex> guard(lock);
		assert(locked && owner == find_thread(nullptr));
		locked = false;
	}
	released.notify_one();
}

Tidy::Holder::Holder(Tidy& tidy)
	:
	fTidy(tidy),
	fAcquired(tidy.Acquire())
{
}

Tidy::Holder::~Holder()
{
	if (fAcquired)
		fTidy.Unlock();
}

status_t Tidy::SetPath(const char* newPath)
{
	Holder hold(*this);
	path = newPath != nullptr ? newPath : "";
	return input.SetTo(path.c_str(), B_READ_ONLY);
}

void Tidy::SetProgress(std::function<void(float, const char*)> show)
{
	progress = std::move(show);
}

void Tidy::SetStartShown(std::function<void(bool)> shown)
{
	startShown = std::move(shown);
}

void Tidy::ShowProgress(float value, const char* label) const
{
	if (progress)
		progress(value, label);
}

_lexer* Tidy::MyLexer() const
{
	return page->Lexer();
}

_node* Tidy::Document() const
{
	return page->Document();
}

_node* Tidy::NewNode()
{
	return page->NewNode();
}

void Tidy::FreeNode(_node* node)
{
	page->FreeNode(node);
}

bool Tidy::ReadInput(std::string& bytes)
{
	off_t size = 0;
	if (input.InitCheck() != B_OK || input.GetSize(&size) != B_OK || size < 0)
		return false;
	bytes.resize(static_cast<size_t>(size));
	ssize_t read = size > 0 ? input.ReadAt(0, bytes.data(), bytes.size()) : 0;
	if (read < 0)
		return false;
	bytes.resize(static_cast<size_t>(read));
	return true;
}

// The reading reports its progress from the parsing thread; the progress is
// shown in the window whose lock is the engine's, so when the caller holds
// it (a reading started by the window itself) the reading shows none rather
// than wait for it for ever.
// A reading stops when the page's processing or its reading is stopped.
std::function<bool()> Tidy::StopRequested() const
{
	EnginePage* reader = page;
	return [reader]() { return reader->IsStopProcessing() || reader->IsReadingStopped(); };
}

std::unique_ptr<ParsedPage> Tidy::ParseInput(std::string&& bytes, bool withProgress,
	const std::function<void()>& meanwhile)
{
	ParseOptions options;
	options.showWarnings = true;
	const Tidy* bridge = this;
	if (withProgress && progress && !page->Engine()->IsLocked()) {
		options.progress = [bridge](int32 percent) {
			bridge->ShowProgress(static_cast<float>(percent), kLoadingLabel);
		};
	}
	options.stopRequested = StopRequested();
	options.meanwhile = meanwhile;
	return PageParser::ParseTaking(std::move(bytes), options);
}

void Tidy::Report(const ParsedPage& reading)
{
	for (const ParseReport& report : reading.Reports())
		page->HTMLError(report.start, report.finish, report.text.c_str(), report.kind);
}

bool Tidy::Parse(int32 firstNodes, const std::function<void()>& meanwhile)
{
	auto unread = [&meanwhile] {
		if (meanwhile)
			meanwhile();
		return false;
	};
	if (input.InitCheck() != B_OK)
		return unread();
	Holder hold(*this);
	std::unique_ptr<ParsedPage> parsed;
	{
		// The file's bytes are dropped once decoded: the elements are built
		// from the tree, and a big page's bytes would stay through the
		// library's parse and the build.
		std::string bytes;
		if (!ReadInput(bytes))
			return unread();
		// The page shown before goes, and the start of this one is read and
		// shown, while the library parses the whole.
		std::string start = firstNodes < INT32_MAX ? StartOf(bytes) : std::string();
		bool started = false;
		auto showStartMeanwhile = [this, &start, &started, &meanwhile] {
			DropBuild();
			page->Engine()->Empty();
			page->FreeTree();
			started = !start.empty() && ShowStart(start);
			std::string().swap(start);
			if (meanwhile)
				meanwhile();
		};
		parsed = ParseInput(std::move(bytes), loadProgress, showStartMeanwhile);
		if (started)
			DropStart();
	}
	encoding = parsed->Encoding();
	if (loadProgress)
		ShowProgress(100, "Loading finished");
	Report(*parsed);
	parsed->DropSourceAndReports();
	bool result = parsed->Succeeded();
	bool readable = parsed->Status() == B_OK && parsed->Document() != nullptr
		&& parsed->Document()->type == RootNode;
	page->AdoptTree(std::move(parsed));
	if (!readable)
		return false;
	return BuildVisualContent(firstNodes) && result;
}

std::string Tidy::StartOf(const std::string& bytes) const
{
	if (!startShown || bytes.size() < kStartShownAbove)
		return std::string();
	size_t cut = bytes.rfind('<', kStartBytes);
	if (cut == std::string::npos)
		return std::string();
	return bytes.substr(0, cut);
}

// The start's reports and the count of its unread pictures are dropped:
// the whole page reports them again.
bool Tidy::ShowStart(std::string_view bytes)
{
	ParseOptions options;
	options.stopRequested = StopRequested();
	std::unique_ptr<ParsedPage> start = PageParser::Parse(bytes, options);
	if (start->Status() != B_OK || start->Document() == nullptr
			|| start->Document()->type != RootNode)
		return false;
	start->DropSourceAndReports();
	page->AdoptTree(std::move(start));
	if (!page->Processing())
		return false;
	Visual_Engine* engine = page->Engine();
	page->HoldErrors(true);
	{
		Visual_Engine::Building build(*engine);
		page->SetBaseFont(nullptr);
		PageWalk(page, Document(), MyLexer(), nullptr).Step(INT32_MAX, B_INFINITE_TIMEOUT);
	}
	page->NotProcessing();
	engine->TakeUnreadImages();
	startShown(true);
	page->HoldErrors(false);
	return true;
}

void Tidy::DropStart()
{
	Visual_Engine* engine = page->Engine();
	BAutolock lock(engine);
	startShown(false);
	engine->Empty();
	page->SetBaseFont(nullptr);
	page->FreeTree();
}

// Builds the elements from the tree: the engine stays locked, and its text
// takes no refresh, until every node (or the first part) is in.
bool Tidy::BuildVisualContent(int32 firstNodes)
{
	Visual_Engine* engine = page->Engine();
	if (loadProgress)
		ShowProgress(0, "Preparing processing");
	if (!page->Processing()) {
		engine->View()->Show();
		return false;
	}
	engine->TakeUnreadImages();
	{
		Visual_Engine::Building build(*engine);
		page->SetBaseFont(nullptr);
		// Once the page is shown, its walk's progress says how to stop it.
		auto show = [this](float value, const char* label) {
			ShowProgress(value, building && label != nullptr ? kBuildingLabel : label);
		};
		walk = std::make_unique<PageWalk>(page, Document(), MyLexer(), show);
		walk->Step(firstNodes, B_INFINITE_TIMEOUT);
	}
	page->NotProcessing();
	if (walk->Stopped()) {
		DropBuild();
		engine->TakeUnreadImages();
		engine->View()->Show();
		return false;
	}
	if (!walk->IsDone()) {
		building = true;
		return true;
	}
	BuildFinished(true);
	return true;
}

// The count of unread pictures is posted behind the refresh, so that the
// user is told over the page shown. A page built in parts was styled part
// by part.
void Tidy::BuildFinished(bool inOneGo)
{
	Visual_Engine* engine = page->Engine();
	long unread = engine->TakeUnreadImages();
	DropBuild();
	ShowProgress(100, "Processing finished");
	if (inOneGo)
		engine->Refresh();
	if (unread > 0) {
		BMessage tell('pict');
		tell.AddInt32("count", static_cast<int32>(unread));
		engine->PostMessage(&tell);
	}
}

// A part is built like the first one, with the engine locked and its
// text's refresh held back, and is styled as soon as it is in: between
// parts the window draws and scrolls what is built. The shown text wraps
// its lines once, when the part is in and styled, not at every insertion.
bool Tidy::BuildMore(int32 nodes, bigtime_t deadline)
{
	Visual_Engine* engine = page->Engine();
	if (engine == nullptr)
		return true;
	BAutolock lock(engine);
	if (walk == nullptr)
		return true;
	if (!page->Processing()) {
		DropBuild();
		return true;
	}
	Visual_Text* view = engine->View();
	int32 from = view->TextLength();
	bool done = false;
	{
		BTextView::LayoutHold hold(*view);
		{
			Visual_Engine::Building build(*engine);
			walk->Step(nodes, deadline);
		}
		page->NotProcessing();
		if (walk->Stopped()) {
			DropBuild();
			return true;
		}
		done = walk->IsDone();
		view->_Refresh(RestyleStart(from), view->TextLength());
	}
	if (done)
		BuildFinished(false);
	else
		ShowProgress(BuildDone() * 100, kBuildingLabel);
	return done;
}

// The look of the text before a new part may depend on it: the room of a
// paragraph that ends there collapses when another break follows at once.
// The text is styled again from two line ends back, from the element that
// stands there: styling that starts inside an element's room misses it.
int32 Tidy::RestyleStart(int32 partStart) const
{
	const Visual_Engine* engine = page->Engine();
	const Visual_Text* view = engine->View();
	int32 start = std::min(partStart, view->TextLength());
	for (int lineEnds = 0; start > 0 && lineEnds < 2;) {
		start--;
		if (view->ByteAt(start) == '\n')
			lineEnds++;
	}
	const Element_List* list = engine->ElementList();
	unsigned long index = list->PreviousOrAtIndex(start);
	return index > 0 ? std::min<int32>(start, (*list)[index].offset) : 0;
}

void Tidy::FinishBuild()
{
	BuildMore(INT32_MAX, B_INFINITE_TIMEOUT);
}

// The text of the tree's nodes is read only by the walk, which copies it
// into the elements and the visual text: a big page's text is not kept a
// second time for the rest of the session.
void Tidy::DropBuild()
{
	BAutolock lock(page->Engine());
	walk.reset();
	building = false;
	if (_lexer* lexer = MyLexer())
		std::string().swap(lexer->lexbuf);
}

float Tidy::BuildDone() const
{
	return walk != nullptr ? walk->Done() : 1;
}

void Tidy::CheckHTML()
{
	Holder hold(*this);
	std::string bytes;
	if (ReadInput(bytes)) {
		std::unique_ptr<ParsedPage> check = ParseInput(std::move(bytes), false);
		Report(*check);
	}
}

void Tidy::ReadAttribute(char** out, const _node* node, const _attribute* attr)
{
	if (out == nullptr || node == nullptr || attr == nullptr)
		return;
	NodeTree::ReadAttribute(out, node, attr);
}

_attval* Tidy::FindAttribute(const _node* node, const _attribute* attr)
{
	return NodeTree::FindAttribute(node, attr);
}

void Tidy::ReadUnsupportedAttributes(char** out, const _node* node, const _attribute* a1,
	const _attribute* a2, const _attribute* a3, const _attribute* a4, const _attribute* a5,
	const _attribute* a6)
{
	NodeTree::ReadUnsupportedAttributes(out, node, a1, a2, a3, a4, a5, a6);
}

bool Tidy::IsValidNode(const _node* node)
{
	return NodeTree::IsValidNode(node);
}

bool Tidy::IsPairTag(const _tagdict* tag)
{
	return NodeTree::IsPairTag(tag);
}

_node* Tidy::LogicalNextNode(const _node* node, bool& closing, bool& descend)
{
	return NodeTree::LogicalNextNode(node, closing, descend);
}
