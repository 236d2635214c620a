#ifndef VELMORA_VISUAL_VIEW_H
#define VELMORA_VISUAL_VIEW_H

#include <atomic>

#include <TextView.h>

#include "InsertMode.h"

class Element_List;
class Visual_Element;
class Visual_Engine;

// The page as styled text. Every element stands in the text as its space;
// formatting comes from the elements through their environments. Every
// insertion and deletion of the text passes through InsertText() and
// DeleteText(), which keep the element offsets in step with the text.
//
// Styles are not kept by editing: a refresh derives them again from the
// elements. Refresh requests are posted to the engine's looper, which runs
// _Refresh() in order with the page's commands.
class Visual_View : public BTextView {
public:
	Visual_View(BRect frame, Visual_Engine* engine);
	~Visual_View() override;

	void AttachedToWindow() override;
	// The text, then what styled text cannot show: the rules.
	void Draw(BRect updateRect) override;
	void FrameResized(float width, float height) override;
	void Show() override;
	void Hide() override;
	// A line may end after a line feed, and after a space or a tab that is
	// not part of an element's space: spaces are never broken.
	bool CanEndLine(int32 offset) override;

	// The text-change hooks. Public: the engine and the elements insert
	// through them.
	void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs) override;
	void DeleteText(int32 start, int32 finish) override;

	// The engine's insertion path: the given runs, the element offsets
	// shifted behind the text.
	void BInsertText(const char* text, int32 length, int32 offset, const text_run_array* runs);
	// Deletes and shifts the element offsets behind the deletion.
	void BDeleteText(int32 start, int32 finish);
	// The base view's own change of the text: no hook of this view runs and
	// no element moves.
	void InsertBaseText(const char* text, int32 length, int32 offset,
		const text_run_array* runs);
	void DeleteBaseText(int32 start, int32 finish);

	insert_mode InsertMode() const { return insertMode; }
	// Building (mode 1) leaves the elements that sit exactly at an insertion
	// offset in front of the new text; values of 2 and more are ignored.
	void SetInsertMode(insert_mode mode);
	int32 InsertionShift() const { return insertionShift; }
	void SuppressUndo(bool suppress) { undoSuppression = suppress; }
	bool IsUndoSuppressed() const { return undoSuppression; }

	// Empties the page.
	virtual void Clear();

	// Writes the HTML of the text between two offsets into the page's HTML
	// output; returns the bytes written.
	long TextHTML(int32 from, int32 to) const;
	// Appends parsed text, turning the entities the view shows as
	// characters into them; returns the bytes appended.
	long ReadText(const char* text);

	void BlockRefresh();
	void UnblockRefresh();
	bool IsRefreshBlocked() const { return refreshBlockCount.load() > 0; }
	void Refresh(int32 start, int32 finish) const;
	void Refresh(int32 start) const;
	void Refresh(const Visual_Element* element) const;
	// Restyles [start, finish) from the elements; run by the engine's looper.
	void _Refresh(int32 start, int32 finish);

	Visual_Engine* Engine() const { return engine; }

private:
	void DrawRules(BRect updateRect);
	void DrawRule(int32 offset);
	void PostRefresh(int32 start, int32 finish, bool withFinish) const;
	bool IsPlainSpace(int32 offset) const;
	bool IsLineBreakOfElement(int32 offset) const;
	long NextElementOffset(const Element_List* list, long offset) const;
	long OwnedLength(unsigned long index) const;
	void DeleteBetweenElements(int32 start, int32* finish, unsigned long first,
		unsigned long last);
	void RemoveElements(int32* start, int32* finish, unsigned long first, unsigned long last);

	bool undoSuppression;
	Visual_Engine* engine;	// not owned: the engine owns the view
	std::atomic<int32> refreshBlockCount;
	int32 insertionShift;
	insert_mode insertMode;
};

#endif
