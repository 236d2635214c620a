#ifndef VELMORA_PAGE_WALK_H
#define VELMORA_PAGE_WALK_H

#include <functional>

#include <OS.h>
#include <SupportDefs.h>

class EnginePage;
struct _node;
struct _lexer;

// Hands the nodes of a parsed page to the visual engine in document order.
// The page keeps the parts it writes itself (the first title, BODY,
// BASEFONT, the author and generator META lines); the HTML, HEAD and document-type nodes
// are left out; what stands in the head is marked to be written back there.
// A walk can be taken in slices, so that a big page is shown before its
// end is built: it keeps its place in the tree between slices and appends
// at the end of the engine's text, so edits made between slices before
// that end do not move it. The tree must outlive the walk. Step with
// the engine locked.
class PageWalk {
public:
	// progress: where the walk reports how far it got (may be empty).
	PageWalk(EnginePage* page, _node* document, const _lexer* lexer,
		std::function<void(float, const char*)> progress);

	// Walks at most nodes nodes (INT32_MAX: to the end), and no longer than until deadline (a
	// system time; B_INFINITE_TIMEOUT for none); true when the walk is at
	// its end. A stop request of the page ends the walk too (Stopped()).
	bool Step(int32 nodes, bigtime_t deadline);
	bool IsDone() const { return fDone; }
	bool Stopped() const { return fStopped; }
	// How far the walk got, from 0 to 1.
	float Done() const;

private:
	// Notes too whether the page wrote anything at all.
	int32 CountNodes();
	// Takes what the page models; true when the node is not passed on.
	bool TakeForPage(_node* node, bool closing);
	void TakeBody(const _node* body);
	void Pass(_node* node, bool closing);
	void ShowProgress();
	void Start();
	// Hands one node on and moves to the next one.
	void Visit();
	void Finish();

	EnginePage* fPage;		// not owned
	_node* fDocument;		// not owned: the page's tree
	const _lexer* fLexer;	// not owned
	// Where the walk stands: the node, whether it is the node's end, and
	// whether the walk goes into its content.
	_node* fNode = nullptr;
	bool fClosing = false;
	bool fDescend = true;
	bool fStarted = false;
	bool fDone = false;
	bool fStopped = false;
	// The walk appends this many characters before the end of the text.
	long fTail = 0;
	int32 fTotal = 0;
	bool fInHead = true;
	bool fTitleTaken = false;
	bool fPageWritten = false;
	bool fDocumentTypeRead = false;
	int32 fCounter = 0;
	int32 fStep = 1;
	std::function<void(float, const char*)> fProgress;
};

#endif
