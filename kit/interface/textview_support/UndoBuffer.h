#ifndef _VELMORA_UNDO_BUFFER_H
#define _VELMORA_UNDO_BUFFER_H

#include <string>
#include <vector>

#include "TextRuns.h"

namespace BPrivate {

// Text with its style runs (offsets relative to the text).
struct StyledPiece {
	std::string text;
	std::vector<text_run> runs;
};

// One change of a step: at offset, the pieces (the text that stood there,
// in order) were replaced by insertedLength new bytes.
struct UndoEdit {
	int32 offset;
	std::vector<StyledPiece> removed;
	int32 insertedLength;

	// The removed text as one piece, its runs placed after one another.
	StyledPiece JoinedRemoved() const;
};

// The one undoable step of a text view. While a step is open, every change
// that reaches the view's own insert and delete hooks is recorded, whoever
// made it (the view, or a subclass reacting to it), so that undoing brings
// back exactly the text before the step. Changes that touch or overlap the
// last edit are folded into it: typing a word, or backspacing over it, is
// one edit however many keys it took.
//
// kind and redo are the text view's undo_state and "is redo" flag; the
// buffer only keeps them.
class UndoBuffer {
public:
	// Opens a new step, dropping the one recorded before. Steps nest: an
	// action taken inside another one belongs to the outer step.
	void Begin(int32 kind, bool redo);
	// Reopens the recorded step when it is of this kind, not a redo, and
	// nothing changed the view since it was closed at stamp.
	bool Continue(int32 kind, uint32 stamp);
	void End(uint32 stamp);
	bool IsOpen() const { return fDepth > 0; }
	// Drops the recorded step: the text changed behind its back.
	void Forget();

	void RecordInsert(int32 offset, int32 length);
	void RecordDelete(int32 offset, StyledPiece removed);

	// The recorded step (kind 0 when there is none or it changes nothing).
	int32 Kind(bool* redo) const;
	// Hands the edits of the recorded step over and forgets it; false when
	// there is none.
	bool Take(int32* kind, bool* redo, std::vector<UndoEdit>* edits);

private:
	void _Fold(UndoEdit& last, int32 start, StyledPiece& removed);

	int32 fKind = 0;
	bool fRedo = false;
	int32 fDepth = 0;
	uint32 fStamp = 0;
	std::vector<UndoEdit> fEdits;
};

} // namespace BPrivate

#endif
