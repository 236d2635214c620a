#include "Tidy.h"

#include <algorithm>

#include "Element_List.h"
#include "HTMLError_Window.h"
#include "ErrorAlert.h"
#include "HWindow.h"
#include "PageParser.h"
#include "Page.h"
#include "VWindow.h"
#include "Visual_Engine.h"
#include "Visual_View.h"
#include "bridge_support/PageWalk.h"

Tidy::Tidy(Page* page, const char* path)
	:
	page(page),
	path(path != nullptr ? path : ""),
	input(path, B_READ_ONLY),
	loadProgress(false),
	locked(false),
	owner(find_thread(nullptr))
{
	if (input.InitCheck() != B_OK)
		ErrorAlert("Error: cannot open page file ", this->path.c_str());
}

Tidy::~Tidy()
{
	Lock();
	FreeTree();
	Unlock();
}

void Tidy::Lock()
{
	thread_id self = find_thread(nullptr);
	std::unique_lock<std::mutex> guard(lock);
	if (locked && owner == self)
		return;
	released.wait(guard, [this] { return !locked; });
	locked = true;
	owner = self;
}

void Tidy::Unlock()
{
	{
		std::lock_guard<std::mutex> guard(lock);
		locked = false;
	}
	released.notify_one();
}

status_t Tidy::SetPath(const char* newPath)
{
	Lock();
	path = newPath != nullptr ? newPath : "";
	status_t status = input.SetTo(path.c_str(), B_READ_ONLY);
	Unlock();
	return status;
}

_lexer* Tidy::MyLexer() const
{
	return parsed != nullptr ? parsed->Lexer() : nullptr;
}

_node* Tidy::Document() const
{
	return parsed != nullptr ? parsed->Document() : nullptr;
}

_node* Tidy::NewNode()
{
	_node* node = ::NewNode();
	std::lock_guard<std::mutex> guard(madeNodesLock);
	madeNodes.push_back(node);
	return node;
}

void Tidy::FreeNode(_node* node)
{
	if (node == nullptr)
		return;
	std::lock_guard<std::mutex> guard(madeNodesLock);
	auto found = std::find(madeNodes.begin(), madeNodes.end(), node);
	if (found == madeNodes.end())
		return;
	madeNodes.erase(found);
	::FreeNode(node);
}

void Tidy::FreeTree()
{
	parsed.reset();
	std::lock_guard<std::mutex> guard(madeNodesLock);
	for (_node* node : madeNodes)
		::FreeNode(node);
	madeNodes.clear();
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

std::unique_ptr<ParsedPage> Tidy::ParseInput(const std::string& bytes, bool progress)
{
	ParseOptions options;
	options.showWarnings = true;
	Page* reader = page;
	// The progress is drawn by the visual window, which the parsing thread
	// locks: when the caller holds it (a reading started by the window
	// itself), the parse shows none rather than wait for it for ever.
	if (progress && !page->VisualWindow()->IsLocked()) {
		options.progress = [reader](int32 percent) {
			reader->VisualWindow()->ShowProgress(static_cast<float>(percent), "Loading…");
		};
	}
	options.stopRequested = [reader]() { return reader->IsStopProcessing(); };
	return PageParser::Parse(bytes, options);
}

void Tidy::Report(const ParsedPage& reading)
{
	for (const ParseReport& report : reading.Reports())
		page->HTMLError(report.start, report.finish, report.text.c_str(), report.kind);
}

bool Tidy::Parse()
{
	if (input.InitCheck() != B_OK)
		return false;
	Lock();
	std::string bytes;
	if (!ReadInput(bytes)) {
		Unlock();
		return false;
	}
	HTMLError_Window* errors = page->HTMLErrorWindow();
	page->VisualWindow()->Working();
	errors->BlockRefresh();
	page->Engine()->Empty();
	FreeTree();

	parsed = ParseInput(bytes, loadProgress);
	encoding = parsed->Encoding();
	if (loadProgress)
		page->VisualWindow()->ShowProgress(100, "Loading finished");
	Report(*parsed);
	bool result = parsed->Succeeded();
	errors->UnblockRefresh();
	errors->ShowResult();

	if (parsed->Status() != B_OK || Document() == nullptr || Document()->type != RootNode) {
		EndWorking();
		Unlock();
		return false;
	}
	bool built = BuildVisualContent();
	Unlock();
	return result && built;
}

// Builds the elements from the tree: the visual view takes no refresh and
// the engine stays locked until every node is in.
bool Tidy::BuildVisualContent()
{
	Visual_Engine* engine = page->Engine();
	Visual_View* view = engine->View();
	if (loadProgress)
		page->VisualWindow()->ShowProgress(0, "Preparing processing");
	page->HTMLWindow()->Working();
	view->SetInsertMode(INSERT_BUILD);
	if (!page->Processing()) {
		view->Show();
		view->SetInsertMode(INSERT_EDIT);
		EndWorking();
		return false;
	}
	view->BlockRefresh();
	engine->Lock();
	page->SetBaseFont(nullptr);
	PageWalk walk(page, this, Document(), MyLexer());
	bool finished = walk.Run();
	engine->Unlock();
	view->UnblockRefresh();
	view->SetInsertMode(INSERT_EDIT);
	page->NotProcessing();
	EndWorking();
	if (!finished) {
		view->Show();
		return false;
	}
	page->VisualWindow()->ShowProgress(100, "Processing finished");
	engine->Refresh();
	return true;
}

void Tidy::EndWorking()
{
	page->HTMLWindow()->FinishedWorking();
	page->VisualWindow()->FinishedWorking();
}

void Tidy::CheckHTML()
{
	Lock();
	std::string bytes;
	if (ReadInput(bytes)) {
		std::unique_ptr<ParsedPage> check = ParseInput(bytes, false);
		Report(*check);
	}
	Unlock();
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
