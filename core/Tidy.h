#ifndef VELMORA_TIDY_H
#define VELMORA_TIDY_H

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include <File.h>
#include <OS.h>

#include "NodeTree.h"
#include "TextEncoding.h"

class EnginePage;
class PageWalk;
class ParsedPage;

// The page's bridge to the HTML parser, bound to the page's scratch file.
// It parses the file, routes every report of the parser into the page's
// error list, and walks the finished tree to hand its nodes, in document
// order, to the visual engine, which makes elements of them. The tree is
// the page's until the next parse: every element that stands for a tag
// points into it. Nodes that the program makes itself (NewNode) live as
// long as the tree. What the windows do around a parse is the page's.
class Tidy {
public:
	Tidy(EnginePage* page, const char* path);
	~Tidy();
	Tidy(const Tidy&) = delete;
	Tidy& operator=(const Tidy&) = delete;

	// The bridge is held by one thread at a time; the holder may lock it
	// again, and one Unlock() frees it however often it was locked. Only
	// the holder unlocks. Hold it with a Holder.
	void Lock();
	void Unlock();

	// Holds the bridge for a scope. A Holder of the thread that holds the
	// bridge already leaves the release to the outer one.
	class Holder {
	public:
		explicit Holder(Tidy& tidy);
		~Holder();
		Holder(const Holder&) = delete;
		Holder& operator=(const Holder&) = delete;

	private:
		Tidy& fTidy;
		bool fAcquired;
	};

	// Parses the scratch file and rebuilds the visual content. True when
	// the page had no errors. With firstNodes, only so many nodes of the
	// page are built and styled at once (enough for its first screen): the
	// rest is built by BuildMore(), and is built at once by FinishBuild()
	// before anything that needs the whole page. meanwhile is run once
	// before it returns, while the library parses if it does
	// (ParseOptions::meanwhile).
	bool Parse(int32 firstNodes = INT32_MAX, const std::function<void()>& meanwhile = nullptr);
	// True while a page is only built in part. From any thread.
	bool IsBuilding() const { return building.load(); }
	// Builds at most nodes more nodes of the page, for no longer than
	// until deadline, and styles the text they added; true when the page
	// is complete (or no build is under way). Takes the engine lock.
	bool BuildMore(int32 nodes, bigtime_t deadline);
	// Builds the rest of the page now; nothing when it is complete.
	void FinishBuild();
	// Gives up building the rest of the page; the page keeps the part that
	// is built, and the text of the tree's nodes, which only the build
	// reads, goes. Called before the tree the build walks goes.
	void DropBuild();
	// How much of the page is built, from 0 to 1.
	float BuildDone() const;
	// Parses and reports as Parse() does, on a tree of its own; the visual
	// content and the page's values stay as they are.
	void CheckHTML();

	_lexer* MyLexer() const;
	_node* Document() const;
	// The encoding of the page file read last.
	const TextEncoding& Encoding() const { return encoding; }
	// Binds the bridge to another scratch file (the page's after Save As).
	status_t SetPath(const char* newPath);
	const char* Path() const { return path.c_str(); }
	// Where reading and building report their progress (value, label).
	void SetProgress(std::function<void(float, const char*)> show);
	// While set, reading the page reports its progress too.
	void SetLoadProgress(bool on) { loadProgress = on; }
	// Told with true when, in a build in parts of a big page, the start of
	// the page is built and styled while the whole page is still read, so
	// that it is shown meanwhile (the engine unlocked); told with false,
	// with the engine locked, before that start goes for the whole page.
	void SetStartShown(std::function<void(bool)> shown);

	// A zeroed, unlinked text node that lives as long as the current tree.
	_node* NewNode();
	// Frees a node made by NewNode().
	void FreeNode(_node* node);

	static void ReadAttribute(char** out, const _node* node, const _attribute* attr);
	static _attval* FindAttribute(const _node* node, const _attribute* attr);
	static void ReadUnsupportedAttributes(char** out, const _node* node,
		const _attribute* a1 = nullptr, const _attribute* a2 = nullptr,
		const _attribute* a3 = nullptr, const _attribute* a4 = nullptr,
		const _attribute* a5 = nullptr, const _attribute* a6 = nullptr);
	static bool IsValidNode(const _node* node);
	static bool IsPairTag(const _tagdict* tag);
	static _node* LogicalNextNode(const _node* node, bool& closing, bool& descend);

private:
	// Lock(), telling whether this call took the bridge.
	bool Acquire();
	bool ReadInput(std::string& bytes);
	std::function<bool()> StopRequested() const;
	std::unique_ptr<ParsedPage> ParseInput(std::string&& bytes, bool progress,
		const std::function<void()>& meanwhile = nullptr);
	void Report(const ParsedPage& parsed);
	bool BuildVisualContent(int32 firstNodes);
	// The start of a page big enough to show it first, cut before a tag;
	// empty for a smaller page.
	std::string StartOf(const std::string& bytes) const;
	bool ShowStart(std::string_view bytes);
	void DropStart();
	// What the page needs once every node is in: the count of pictures it
	// could not read, and, built in one go, its look refreshed.
	void BuildFinished(bool inOneGo);
	int32 RestyleStart(int32 partStart) const;
	void ShowProgress(float value, const char* label) const;

	EnginePage* page;	// not owned: the page owns the bridge
	std::string path;
	BFile input;
	TextEncoding encoding;
	std::atomic<bool> loadProgress;
	std::function<void(float, const char*)> progress;
	std::function<void(bool)> startShown;
	// The walk of a page that is only built in part, and whether it is
	// under way (that also for threads that do not hold the engine lock).
	// It points into the page's tree: it goes before the tree.
	std::unique_ptr<PageWalk> walk;
	std::atomic<bool> building;

	std::mutex lock;
	std::condition_variable released;
	bool locked;
	thread_id owner;
};

#endif
