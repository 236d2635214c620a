#ifndef VELMORA_PAGE_WALK_H
#define VELMORA_PAGE_WALK_H

#include <functional>

#include <SupportDefs.h>

class EnginePage;
struct _node;
struct _lexer;

// Hands the nodes of a parsed page to the visual engine in document order.
// The page keeps the parts it writes itself (the first title, BODY,
// BASEFONT, the author and generator META lines); the HTML, HEAD and document-type nodes
// are left out; what stands in the head is marked to be written back there.
// Run with the engine locked.
class PageWalk {
public:
	// progress: where the walk reports how far it got (may be empty).
	PageWalk(EnginePage* page, _node* document, const _lexer* lexer,
		std::function<void(float, const char*)> progress);

	// False when a stop request of the page ended the walk.
	bool Run();

private:
	// Notes too whether the page wrote anything at all.
	int32 CountNodes();
	// Takes what the page models; true when the node is not passed on.
	bool TakeForPage(_node* node, bool closing);
	void TakeBody(const _node* body);
	void Pass(_node* node, bool closing);
	void ShowProgress();

	EnginePage* fPage;		// not owned
	_node* fDocument;		// not owned: the page's tree
	const _lexer* fLexer;	// not owned
	long fPosition = 0;
	bool fInHead = true;
	bool fTitleTaken = false;
	bool fPageWritten = false;
	bool fDocumentTypeRead = false;
	int32 fCounter = 0;
	int32 fStep = 1;
	std::function<void(float, const char*)> fProgress;
};

#endif
