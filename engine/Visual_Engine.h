#ifndef VELMORA_VISUAL_ENGINE_H
#define VELMORA_VISUAL_ENGINE_H

#include <atomic>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <Rect.h>
#include <SupportDefs.h>

#include "Element_List.h"
#include "Environment.h"
#include "InsertMode.h"
#include "OpenTags.h"
#include "StyleGroup.h"

class Anchor;
class BFont;
class BMessage;
class BScrollView;
class BView;
class BWindow;
class EnginePage;
class FormattingCheckpoints;
class List;
class Page_Element;
class ShownViews;
class Visual_Element;
class Visual_Text;
class VLooper;
class WImage;
struct ViewPlacement;
struct _node;
struct _tagdict;
struct entry_ref;

// Keeps one page's three representations in step: the element list, the
// styled text of the visual view and the page's HTML. It makes, moves,
// clones and deletes elements together with the characters they own,
// makes room for non-text elements, computes the formatting at any offset
// and runs the page's commands on its own looper.
//
// Locking: Lock() is the lock of the window that shows the engine's text
// (the text's looper lock), so the engine lock and the view's looper lock
// are one lock and can be taken in no wrong order. Whoever walks or
// changes the element list, or changes the visual text, holds it; take it
// with BAutolock.
class Visual_Engine {
public:
	// The engine's text goes into a scroll view of frame's size, which the
	// window puts where it shows it (ScrollView()).
	Visual_Engine(BRect frame, BWindow* window, EnginePage* page);
	~Visual_Engine();
	Visual_Engine(const Visual_Engine&) = delete;
	Visual_Engine& operator=(const Visual_Engine&) = delete;

	Element_List* ElementList() const { return elementList.get(); }
	Element_List_Item ElementList(long index) const { return (*elementList)[index]; }
	Visual_Text* View() const { return view.get(); }
	BScrollView* ScrollView() const { return scrollView.get(); }
	BWindow* Window() const { return window; }
	VLooper* Looper() const { return looper; }
	EnginePage* MyPage() const { return page; }
	status_t PostMessage(uint32 what);
	status_t PostMessage(BMessage* message);
	long ContainsElement(long from, long to) const;
	long InNullCharactersAt(long offset) const;
	void Remove(Visual_Element* element);
	long AddAfter(long offset, Visual_Element* element);
	long AddBefore(long offset, Visual_Element* element);
	long TextHTML(long from, long to) const;
	long ReadText(const char* text);
	void InsertText(const char* text, long length, long offset);
	void Refresh();
	bool Lock();
	// Only by the thread that holds the lock.
	void Unlock();
	bool IsLocked() const;
	// Ends the looper; the page does it before its windows go, so that no
	// command can wait on a window that is being destroyed.
	void StopLooper();

	// While a Building lives the engine builds: it is locked, its text takes
	// no refresh, and insertions leave the elements that sit exactly at the
	// insertion offset in front of the new text. The insert mode in force
	// before is restored.
	class Building {
	public:
		explicit Building(Visual_Engine& engine);
		~Building();
		Building(const Building&) = delete;
		Building& operator=(const Building&) = delete;

	private:
		Visual_Engine& fEngine;
		bool fLocked;
		insert_mode fMode;
	};

	// Makes an element: it enters the list and the text itself, and the
	// list adopts it. Null when it did not enter the list.
	template <class Element, class... Arguments>
	Element* Make(Arguments&&... arguments)
	{
		auto element = std::make_unique<Element>(std::forward<Arguments>(arguments)...);
		return static_cast<Element*>(elementList->Adopt(std::move(element)));
	}

	// Element operations; the results say how much the text grew or shrank.
	long Delete(Visual_Element* element);
	// Elements that own no characters, deleted together (see
	// Element_List::Delete).
	void Delete(const std::vector<Visual_Element*>& elements);
	long MoveBefore(long offset, Visual_Element* element);
	long MoveAfter(long offset, Visual_Element* element);
	Page_Element* CloneAt(long offset, Page_Element* element, long* length, insert_mode mode);
	static void SortMinIndexFirst(Page_Element** array, long count);
	static void SortMaxIndexFirst(Page_Element** array, long count);

	long InsertParagraph(Visual_Element* element, long offset, long* from, long* to);
	long DeleteParagraph(Visual_Element* element);

	// The formatting in force at offset: every element up to and including
	// those at offset applied in list order. What the walk learns is kept
	// until the list's order changes or the formatting of the elements is
	// refreshed (FormattingChanged), so a change of an element's formatting
	// that leaves the list as it was is followed by a refresh of its text.
	std::unique_ptr<Environment> EnvironmentAt(long offset) const;
	// The same, but tags that close exactly at offset are still open.
	std::unique_ptr<Environment> EnvironmentAtUnclosed(long offset) const;
	// The elements from offset on may format differently (a refresh from
	// there is under way).
	void FormattingChanged(long offset);
	const List* CurrentList(long offset) const;
	const Anchor* CurrentAnchor(long offset) const;
	bool SameEffect(const _tagdict* tag, const structTagEffects* effects) const;
	// The effects open over list entries fromIndex..toIndex: an opening and
	// a closing tag of one kind cancel out.
	structTagEffects TagEffectsAt(unsigned long fromIndex, unsigned long toIndex) const;
	// The same over the entries whose offsets lie in [from, to).
	structTagEffects TagEffectsAt(long from, long to) const;

	// The command of the window's menus and tool bars: a style, heading,
	// paragraph or link over the selection; a quote, centring or list of
	// its paragraphs; a line break, rule or image where it ends.
	void Insert(const _tagdict* tag, const entry_ref* file, insertflag flag);
	// A file name whose extension is that of a picture the page can show.
	static bool IsImageName(const char* name);
	void Empty();
	void Test();

	// Formatting. A style lies on the text as a pair of elements, an
	// opening one where it starts and a closing one where it ends. The
	// commands keep every pair nested in every other, at most one member of
	// a style group over the text they format, and no style around a
	// block. The results say where the range ends now, or how much the
	// text grew.
	void OpenTagsAt(long offset, OpenTags& tags) const;
	// The open element the tag would collide with: the open member of its
	// group. A tag of no group (P, an unsupported tag) collides with none.
	const Page_Element* OpenInGroup(const _tagdict* tag, const OpenTags& tags) const;
	// Whether an element of exactly this tag is open: the slots in their
	// order, then the unsupported tags.
	bool IsTagOpen(const _tagdict* tag, const OpenTags& tags, Page_Element** found) const;
	// The nearest opening style of the tag before offset, the nearest
	// closing one behind it; -1 when there is none.
	long FindOpeningTagIndex(long offset, const _tagdict* tag) const;
	long FindClosingTagIndex(long offset, const _tagdict* tag) const;
	long FindOpeningTagOffset(long offset, const _tagdict* tag) const;
	long FindClosingTagOffset(long offset, const _tagdict* tag) const;
	// Gives the range the node's tag: a style replaces the other members
	// of its group there; a heading or P makes the range's paragraphs
	// headings or paragraphs; no tag takes every style off. created gets
	// the (first) opening element made.
	long Format(long start, long end, const _node* node, Page_Element** created);
	// Ends the pair of an opening (or closing) element at end, nests it
	// with every other pair and clears the code around it; result gets
	// its opening element, or the one that took its place.
	long CloseTag(Page_Element* element, long end, Page_Element** result);
	// Takes the styles of the masked groups (or of the tag) off the range.
	void UntagArea(long* start, long* end, tag_mask mask, const _tagdict* tag);
	void ClearCode(long from, long to, Page_Element* tracked, Page_Element** trackedOut);
	// Writes the styles around [from, to] anew (StyleRewrite), taking those
	// that picks selects off the range, and clears the code where that
	// changed anything.
	void RewriteStyles(long from, long to,
		const std::function<bool(const Page_Element&)>& picks = nullptr);
	// Wraps the selected paragraphs in a quote, centring or list, or takes
	// such a block off the paragraphs again.
	void WrapParagraphs(long start, long end, const _tagdict* tag);
	// Puts an element's record in front of another's (behind the last one
	// for null) at the element's offset; records behind it that stand
	// inside its characters move behind them.
	void PlaceBefore(Visual_Element* element, const Visual_Element* before);

	// Elements from parsed nodes and archives, and the HTML written back.
	long InsertAt(long offset, _node* node, insert_mode mode, const entry_ref* file);
	// Inserts a new tag (type StartTag or EndTag) at offset, behind the
	// elements there; its element, null when none came of it.
	Page_Element* InsertTagAt(long offset, const _tagdict* tag, uint32 type, insert_mode mode);
	Page_Element* Instantiate(const BMessage* archive, long offset);
	// Whether Instantiate() can make an element of the archive: a class it
	// knows, a node type and a tag the class may carry. Archives come from
	// other processes too, and are checked before anything is made of them.
	static bool IsInstantiable(const BMessage* archive);
	long HTML(long position);
	long InsertHTMLHead(long position) const;
	// Pictures that could not be read: each one counts itself, and whoever
	// reads a page takes the count to tell the user once.
	void CountUnreadImage() { unreadImages++; }
	long TakeUnreadImages() { return unreadImages.exchange(0); }

	// Room in the text for non-text elements.
	long CreateSpace(long at, Visual_Element* element, long elementOffset, long* from,
		long* to, float width, float height, float unused);
	long CreateSpace(long from, long to, const BFont* font, Visual_Element* element, long at);
	long DeleteSpace(Visual_Element* element);
	void Place(long from, long to);
	// After an edit that changed the text from editStart to editEnd (the
	// text behind it only moved), its relayouts begun at generation
	// (the view's LayoutGeneration()): the views behind the edit follow
	// the text, measuring again only those on lines the edit reached.
	void PlaceAfterEdit(long editStart, long editEnd, uint32 generation);
	void SetBackgroundBitmap(const char* path);

private:
	void WholeCharacters(long* start, long* end) const;
	void ClearCodeKeepingUndo();
	// The element of an archive's class for the node; null for a class
	// that is none of the elements'.
	Page_Element* MakeOfClass(const char* className, _node* node, long offset,
		const BMessage* archive);
	long FormatStyle(long start, long end, const _tagdict* tag, Page_Element** created);
	// Ends the pair of opening at end (with closing, or a closing tag found
	// or made there); also takes the styles removes picks off the range, and
	// keeps the pair when it holds only blanks.
	long ClosePair(Page_Element* opening, Page_Element* closing, long end,
		Page_Element** result, const std::function<bool(const Page_Element&)>& removes,
		bool keepBlanks);
	void InsertBlank(long offset);
	Page_Element* ClosingFor(Page_Element* opening) const;
	_node* NewTagNode(const _tagdict* tag, uint32 type);
	long FindTagIndex(long offset, const _tagdict* tag, bool opening) const;
	long MoveElement(long offset, Visual_Element* element, bool after);
	// Takes an element's view, if it shows one, out of the text view.
	void RemoveViewOf(Visual_Element* element);
	std::unique_ptr<Environment> WalkEnvironment(long offset, bool unclosed) const;
	bool IsPlainSpace(long offset) const;
	void SizeSpace(long start, long end, const BFont* font);
	// The edit after which views are placed, when they are.
	struct PlacedEdit {
		long end;
		uint32 generation;
		// Views from here on lie on lines the edit did not wrap again,
		// which it moved down by keptShift.
		long keptFrom;
		float keptShift;
	};
	void PlaceViews(long from, long to, const PlacedEdit* edit);
	void PlaceView(const Element_List_Item& item, const PlacedEdit* edit);
	static bool OnUnmovedLine(const Element_List_Item& item, const PlacedEdit& edit);
	bool MovedWithItsLine(const ViewPlacement& placement, const PlacedEdit& edit, int32 start,
		const BView* elementView) const;
	static bool StillMeasured(const ViewPlacement& placement, const PlacedEdit& edit,
		int32 start, int32 end, int32 lineStart, float lineLeft);
	void ShowImage(WImage* image);

	EnginePage* page;			// not owned: the page owns the window that owns the engine
	BWindow* window;			// not owned: the engine's owner; its lock is the engine's
	std::unique_ptr<Visual_Text> view;			// a child of the scroll view
	std::unique_ptr<BScrollView> scrollView;	// a child of a view of the window
	// What walks of the list learnt; goes after the list, which tells it of
	// changes until it goes.
	std::unique_ptr<FormattingCheckpoints> formatting;
	std::unique_ptr<Element_List> elementList;
	// The elements shown as views, in the list's order.
	std::unique_ptr<ShownViews> shownViews;
	VLooper* looper;			// runs until StopLooper(); deletes itself when it quits
	std::atomic<long> unreadImages = 0;
};

#endif
