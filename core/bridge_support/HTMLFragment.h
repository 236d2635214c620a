#ifndef VELMORA_HTML_FRAGMENT_H
#define VELMORA_HTML_FRAGMENT_H

#include <string_view>
#include <vector>

class EnginePage;
class ParsedPage;
class Visual_Element;
struct _attval;
struct _node;

// HTML that another program put on the clipboard, read as a page is read
// and built into elements at an offset of the page's text. The fragment's
// tree lives only while it is built: every element gets a copy of its node
// that the page keeps (the page's own nodes live as long as its tree).
// What would act rather than show is left out: scripts, style sheets, the
// head's parts and the handlers and script links of attributes. Parser
// reports about the fragment are not the page's and are not shown.
class HTMLFragment {
public:
	HTMLFragment(EnginePage* page, std::string_view html);

	// Builds the fragment at offset (kept inside the text), records it as
	// one insertion for undo and asks for its refresh; returns the length
	// of text it added. Takes the engine lock.
	long InsertAt(long offset);

private:
	std::vector<Visual_Element*> OpeningTagsAt(long offset) const;
	long Build(const ParsedPage& parsed, long offset);
	bool IsLeftOut(const _node* node) const;
	bool IsTransparent(const _node* node) const;
	long Pass(const _node* node, bool closing, long offset);
	_node* PageCopy(const _node* node, bool closing) const;
	static _attval* HarmlessAttributes(const _attval* attributes);

	EnginePage* fPage;	// not owned
	std::string_view fHTML;
};

#endif
