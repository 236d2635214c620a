#ifndef VELMORA_VISUAL_TEXT_H
#define VELMORA_VISUAL_TEXT_H

#include <atomic>
#include <string>

#include <TextView.h>

#include "InsertMode.h"

class Element_List;
class Visual_Element;
class Visual_Engine;

// The engine's text: the page as styled text in which every element stands
// as its space, kept in step with the element list. Formatting comes from
// the elements through their environments: a refresh derives the styles
// again, and refresh requests are posted to the engine's looper, which
// runs _Refresh() in order with the page's commands.
//
// Every change of the text that must stay in step with the element list
// passes through BInsertText() and BDeleteText(), which shift the element
// offsets behind the change: the base view's own edits (typing, Insert(),
// Delete()) reach them through the InsertText() and DeleteText() hooks,
// the engine and the elements call them directly. Both run under the
// engine lock, which is the window's.
//
// The window shows the text through a subclass that adds what the user
// does with it (keys, mouse, drops, decorations).
class Visual_Text : public BTextView {
public:
	Visual_Text(BRect frame, Visual_Engine* engine);
	~Visual_Text() override;

	void FrameResized(float width, float height) override;
	void Show() override;
	void Hide() override;
	// A line may end after a line feed, and after a space or a tab that is
	// not part of an element's space: spaces are never broken.
	bool CanEndLine(int32 offset) override;

	// Inserts with the given runs and shifts the element offsets from
	// offset (plus the insertion shift) by length.
	void BInsertText(const char* text, int32 length, int32 offset, const text_run_array* runs);
	// Deletes and shifts the element offsets behind the deletion.
	void BDeleteText(int32 start, int32 finish);

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
	// Counts the changes of the text, so that a caller can tell whether
	// what it did changed anything.
	uint32 EditCount() const { return editCount; }

protected:
	// The base view's text-change hooks: insertion styled from the
	// environment at the offset (while editing); deletion snapped to whole
	// element spaces, taking the elements of the range that do not shape
	// the text around it.
	void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs) override;
	void DeleteText(int32 start, int32 finish) override;

	bool IsPlainSpace(int32 offset) const;
	// An offset past the start of an element's room, moved to the nearer
	// of its edges; text put there would belong to the element.
	int32 OutsideElementRoom(int32 offset) const;
	bool TakeStyleOfTextBefore(int32 offset, text_run* run) const;

private:
	// The base view's change of the text, which moves no element.
	void InsertBaseText(const char* text, int32 length, int32 offset,
		const text_run_array* runs);
	void DeleteBaseText(int32 start, int32 finish);
	bool IsEngineLocked() const;
	void PostRefresh(int32 start, int32 finish, bool withFinish) const;
	bool IsLineBreakOfElement(int32 offset) const;
	long NextElementOffset(const Element_List* list, long offset) const;
	long OwnedLength(unsigned long index) const;
	void DeleteBetweenElements(int32 start, int32* finish, unsigned long first,
		unsigned long last);
	void RemoveElements(int32* start, int32* finish, unsigned long first, unsigned long last);
	void AppendHTML(std::string& html, int32 from, int32 to) const;

	bool undoSuppression;
	uint32 editCount;
	Visual_Engine* engine;	// not owned: the engine owns the text
	std::atomic<int32> refreshBlockCount;
	int32 insertionShift;
	insert_mode insertMode;
};

#endif
