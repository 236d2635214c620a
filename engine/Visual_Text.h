#ifndef VELMORA_VISUAL_TEXT_H
#define VELMORA_VISUAL_TEXT_H

#include <atomic>
#include <memory>
#include <string>

#include <TextView.h>

#include "InsertMode.h"

class BClipboard;
class BMessage;
class Element_List;
class Visual_Element;
class Visual_Engine;

// What one step of the user's undo takes back: a deletion (the run that
// went is kept), an insertion (its range), the making of an element, or a
// range rewritten by a command (the run as it was, and the range's end
// now).
enum undo_action : int32 {
	UNDO_DELETE = 0,
	UNDO_INSERT = 1,
	UNDO_ELEMENT = 2,
	UNDO_REWRITE = 3
};

// What became of an undo.
enum undo_outcome : int32 {
	UNDO_DONE = 0,
	UNDO_NOTHING_RECORDED = 1,
	// The step's elements are gone or its offsets lie past the text:
	// nothing was changed.
	UNDO_NOT_POSSIBLE = 2
};

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

	// The run archive of [start, finish): B_ERROR for no message, a
	// negative start, a finish beyond the text or before start; otherwise
	// the first error of adding an entry, or B_OK. Takes the engine lock.
	status_t ArchiveRun(BMessage* archive, int32 start, int32 finish) const;
	// Makes a run archive's stretch again at offset (clamped to the text)
	// and records its insertion; the offset its end stands at. An archive
	// with an entry this program cannot make (an unknown class or tag
	// name) is refused whole: -1, and nothing changes. Takes the engine
	// lock; the run is restyled by a refresh.
	int32 UnarchiveRun(const BMessage* archive, int32 offset);

	// The one step the user's undo takes back. Recording a step replaces
	// the one before. An insertion records its range, a deletion the run it
	// takes (as a run archive), an element made the element; any other
	// action records nothing.
	virtual void SetUndo(undo_action action, int32 from, int32 to);
	virtual void SetUndo(undo_action action, Visual_Element* element);
	void ClearUndo();
	const BMessage& UndoRecord() const { return *undoMessage; }
	// A command of many changes in [from, to) that is to be taken back as
	// one step (a formatting command, a replacement of every match):
	// nothing between the two calls records, and the end records the range
	// rewritten with its old run. The range is widened to whole lines and
	// to every pair open at its ends, and its new end is found from the
	// text behind it, which the command leaves alone. Groups nest; the
	// outermost records. Take the engine lock around the whole command.
	void BeginUndoGroup(int32 from, int32 to);
	void EndUndoGroup();
	// Takes back the recorded step and records the step that takes back
	// the undo, so that a second undo redoes. Takes the engine lock.
	undo_outcome UndoLastStep();
	void Undo(BClipboard* clipboard) override;
	// The store of element-level undo keeps nothing: the archives handed
	// to it are accepted and dropped.
	bool AddToClipboard(int32 kind, BMessage* archive);
	bool ReadClipboard(int32 kind, BMessage** archive, int32 index);
	void PurgeClipboard(int32 kind);

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
	// Nothing while the refresh is blocked.
	void _Refresh(int32 start, int32 finish);
	// Restyles as _Refresh() does, blocked or not: for a text that is
	// complete while a build still holds the refresh back.
	void Restyle(int32 start, int32 finish);

	Visual_Engine* Engine() const { return engine; }
	// Counts the changes of the text, so that a caller can tell whether
	// what it did changed anything.
	uint32 EditCount() const { return editCount; }

	// The characters the element of list record index owns from its offset
	// on: its space, or the line feed of a line break.
	long OwnedLength(unsigned long index) const;

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
	// The step just recorded was typed: the key presses that follow it
	// extend it, as they extend a typed insertion.
	void ContinueStepByTyping() { typedRecord = true; }

private:
	// Recording calls inside an edit that records itself (a key press's
	// insertion or deletion, an undo, a run made again) leave the record
	// alone; any other change of the text outside the undo suppression
	// clears it, since its offsets would no longer fit.
	class RecordedEdit;

	void RecordTyping(int32 from, int32 to);
	void BeginStep(int32 from, int32 to);
	void WholeElements(int32* from, int32* to) const;
	void BeginDeletionStep(int32 start, int32 finish);
	void FinishStep(undo_action action);
	void ClearUnlessRecorded();
	long ElementsIn(int32 from, int32 to) const;
	long ElementsAt(int32 offset) const;
	undo_outcome ReplaceRange(int32 from, int32 to, int32 kept, bool withRun);
	void TakeOut(int32 from, int32 to, int32 kept);
	undo_outcome UndoElement();
	// Widens a range a command rewrites to take in every pair that is
	// open at its ends and the element on either side of it.
	void WidenToWholePairs(int32* from, int32* to) const;
	// The base view's change of the text, which moves no element.
	void InsertBaseText(const char* text, int32 length, int32 offset,
		const text_run_array* runs);
	void DeleteBaseText(int32 start, int32 finish);
	bool IsEngineLocked() const;
	void PostRefresh(int32 start, int32 finish, bool withFinish) const;
	bool IsLineBreakOfElement(int32 offset) const;
	long NextElementOffset(const Element_List* list, long offset) const;
	void DeleteBetweenElements(int32 start, int32* finish, unsigned long first,
		unsigned long last);
	void RemoveElements(int32* start, int32* finish, unsigned long first, unsigned long last);
	void AppendHTML(std::string& html, int32 from, int32 to) const;

	bool undoSuppression;
	std::unique_ptr<BMessage> undoMessage;
	std::unique_ptr<BMessage> spareUndoMessage;
	// Whether a key press made the record, so that the next press's
	// insertion behind it extends it: a word typed goes back as one.
	bool typedRecord;
	int32 recordedEditDepth;
	int32 undoGroupDepth;
	bool undoGroupSuppression;
	// The step a change under way will record: its exact old run (null
	// when it could not be kept), where it starts, how far its end is from
	// the text's end, and the elements in it and in the list.
	std::unique_ptr<BMessage> pendingStep;
	int32 pendingFrom;
	int32 pendingTail;
	long pendingElements;
	unsigned long pendingLast;
	uint32 editCount;
	Visual_Engine* engine;	// not owned: the engine owns the text
	std::atomic<int32> refreshBlockCount;
	int32 insertionShift;
	insert_mode insertMode;
};

#endif
