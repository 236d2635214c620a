#ifndef VELMORA_KFINDER_H
#define VELMORA_KFINDER_H

#include <string>
#include <string_view>

#include "FindPattern.h"
#include "KWindow.h"

class BTextControl;
class BTextView;
class KFinderView;

// The find-and-replace window of an editor window: a small window that
// floats over the window that made it, with the fields, options and
// buttons of its view. Closing it only hides it. The options follow their
// check boxes.
//
// The search runs on the editor window's thread, where its text is
// edited: the buttons set what to do and post kFindFirst to the editor
// window, which calls FindFirst() (and FindAgain() for its own "Find
// again"). Find() reads the fields and options under the finder's lock,
// taken after the editor window's. A replacement is typed into the view
// there, by the view's own rules; "Replace all" is one undo step.
//
// Subclasses bind the finder to a text: they give the text to search,
// say where a match may not lie, show a match and type over it.
class KFinder : public KWindow {
public:
	// Posted to the editor window: it calls FindFirst().
	static constexpr uint32 kFindFirst = 'fnd1';

	// parent: the editor window; the finder floats over it.
	explicit KFinder(BWindow* parent);

	void MessageReceived(BMessage* message) override;
	bool QuitRequested() override;
	void Quit() override;

	// On the editor window's thread. Searches from the end of the last
	// match; true when a match was found (and, when replacing, replaced).
	// "Replace all" replaces every match from there to the end of the text
	// in one pass, never wrapping, and says in the editor window's status
	// bar how many it replaced; a search that finds nothing beeps and says
	// "not found" there.
	virtual bool Find();
	// Forgets the last match: the next search starts at the top.
	virtual void Reset();
	// Reset(), hide the finder, Find().
	bool FindFirst();
	bool FindAgain();
	// On the editor window's thread, for its commands: 'find' shows the
	// finder, kFindFirst and 'fnda' search.
	void TakeCommand(uint32 command);

	std::string FindText() const;
	std::string ReplaceText() const;
	// The matching rule with the options as they stand now.
	FindPattern Compare() const;

	KFinderView* View() const { return view; }
	bool IsCaseSensitive() const { return caseSensitive; }
	bool IsWholeWord() const { return wholeWord; }
	bool Wraps() const { return wrap; }

protected:
	// The view whose text is searched; its window's lock guards the text.
	virtual BTextView* SearchedView() const = 0;
	BLooper* TextLooper() const;
	// The searched text, valid until it changes, and its length, which
	// costs nothing while the text is edited.
	std::string_view SearchedText() const;
	int32 SearchedLength() const;
	// Whether [start, end) may be a match; any by default.
	virtual bool MayMatch(int32 start, int32 end) const;
	virtual void AdaptPattern(FindPattern& pattern) const;
	// Selects the match and scrolls it into view.
	void ShowMatch(int32 start, int32 end);
	// Types the replacement over [start, end) as the view types text, and
	// returns the offset behind what was typed.
	virtual int32 TypeOver(int32 start, int32 end, const std::string& replacement) = 0;
	// Around every replacement, and around all of those of "Replace all":
	// one undo step. from..to: the stretch the matches lie in, before;
	// changedFrom..changedTo: the stretch the replacements took, after.
	virtual void BeginReplacing(int32 from, int32 to) = 0;
	virtual void EndReplacing(int32 changedFrom, int32 changedTo) = 0;
	// Shows a text in the editor window's status bar.
	void Tell(const char* text) const;

	BWindow* parent;	// not owned: the editor window

private:
	struct Request {
		FindPattern pattern;
		std::string replacement;
		bool once;
		bool replacing;
		bool wrap;
	};

	Request TakeRequest() const;
	bool HasKeyboard(const BTextControl* field) const;
	void Command(bool once, bool replacing);
	bool NextMatch(std::string_view text, int32 from, const FindPattern& pattern,
		int32* start, int32* end) const;
	bool FindOne(const Request& request);
	bool ReplaceAll(const Request& request);
	void NotFound();

	KFinderView* view;	// a child of the window
	bool once;
	bool replacing;
	bool caseSensitive;
	bool wholeWord;
	bool wrap;
	// The last match's end; read and written on the editor window's thread.
	int32 matchEnd;
};

#endif
