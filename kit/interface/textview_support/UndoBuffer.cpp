#include "UndoBuffer.h"

#include <algorithm>
#include <climits>

namespace BPrivate {

namespace {

// The runs of piece that cover from .. to, relative to from.
std::vector<text_run> SliceRuns(const std::vector<text_run>& runs, int32 from, int32 to)
{
	std::vector<text_run> slice;
	for (size_t i = 0; i < runs.size(); i++) {
		int32 start = runs[i].offset;
		int32 end = i + 1 < runs.size() ? runs[i + 1].offset : INT32_MAX;
		if (end <= from || start >= to)
			continue;
		text_run run = runs[i];
		run.offset = std::max(start, from) - from;
		slice.push_back(run);
	}
	return slice;
}

StyledPiece Slice(const StyledPiece& piece, int32 from, int32 to)
{
	return StyledPiece{piece.text.substr(from, to - from), SliceRuns(piece.runs, from, to)};
}

} // namespace

StyledPiece UndoEdit::JoinedRemoved() const
{
	StyledPiece joined;
	for (const StyledPiece& piece : removed) {
		int32 shift = static_cast<int32>(joined.text.size());
		for (text_run run : piece.runs) {
			run.offset += shift;
			joined.runs.push_back(run);
		}
		joined.text += piece.text;
	}
	return joined;
}

void UndoBuffer::Begin(int32 kind, bool redo)
{
	if (fDepth++ > 0)
		return;
	fEdits.clear();
	fKind = kind;
	fRedo = redo;
}

bool UndoBuffer::Continue(int32 kind, uint32 stamp)
{
	if (fDepth > 0) {
		fDepth++;
		return true;
	}
	if (fKind != kind || fRedo || fEdits.empty() || fStamp != stamp)
		return false;
	fDepth = 1;
	return true;
}

void UndoBuffer::End(uint32 stamp)
{
	if (fDepth == 0 || --fDepth > 0)
		return;
	fStamp = stamp;
	if (fEdits.empty())
		fKind = 0;
}

void UndoBuffer::Forget()
{
	fEdits.clear();
	fKind = 0;
	fRedo = false;
}

void UndoBuffer::RecordInsert(int32 offset, int32 length)
{
	if (fDepth == 0 || length <= 0)
		return;
	if (!fEdits.empty()) {
		UndoEdit& last = fEdits.back();
		if (offset >= last.offset && offset <= last.offset + last.insertedLength) {
			last.insertedLength += length;
			return;
		}
	}
	fEdits.push_back(UndoEdit{offset, {}, length});
}

void UndoBuffer::RecordDelete(int32 offset, StyledPiece removed)
{
	int32 end = offset + static_cast<int32>(removed.text.size());
	if (fDepth == 0 || end <= offset)
		return;
	if (!fEdits.empty()) {
		UndoEdit& last = fEdits.back();
		if (offset <= last.offset + last.insertedLength && end >= last.offset) {
			_Fold(last, offset, removed);
			return;
		}
	}
	fEdits.push_back(UndoEdit{offset, {std::move(removed)}, 0});
}

// A deletion that touches or overlaps the last edit's new text: what it
// removes of that text needs no record, what it removes before or after
// it was original text and joins the edit's removed pieces.
void UndoBuffer::_Fold(UndoEdit& last, int32 start, StyledPiece& removed)
{
	int32 length = static_cast<int32>(removed.text.size());
	int32 newEnd = last.offset + last.insertedLength;
	int32 before = std::max(0, last.offset - start);
	int32 after = std::max(0, start + length - newEnd);
	if (before > 0)
		last.removed.insert(last.removed.begin(), Slice(removed, 0, before));
	if (after > 0)
		last.removed.push_back(Slice(removed, length - after, length));
	last.insertedLength -= length - before - after;
	last.offset = std::min(start, last.offset);
	// Typing a character and taking it back again leaves nothing to undo.
	if (last.insertedLength == 0 && last.removed.empty())
		fEdits.pop_back();
}

int32 UndoBuffer::Kind(bool* redo) const
{
	if (redo != nullptr)
		*redo = fRedo;
	return fEdits.empty() ? 0 : fKind;
}

bool UndoBuffer::Take(int32* kind, bool* redo, std::vector<UndoEdit>* edits)
{
	if (fDepth > 0 || fEdits.empty())
		return false;
	*kind = fKind;
	*redo = fRedo;
	*edits = std::move(fEdits);
	Forget();
	return true;
}

} // namespace BPrivate
