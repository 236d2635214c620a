#ifndef _VELMORA_TEXT_GAP_BUFFER_H
#define _VELMORA_TEXT_GAP_BUFFER_H

#include <memory>
#include <string>
#include <string_view>

#include <MallocBlock.h>
#include <SupportDefs.h>

namespace BPrivate {

// The UTF-8 bytes of a text view, with a gap at the last edit so that
// typing anywhere in a large text moves only the bytes between two edits.
// Offsets are byte offsets; the character helpers treat a byte that is not
// part of a well-formed character as a character of its own.
class TextGapBuffer {
public:
	int32 Length() const { return fLength; }

	// The byte at offset, or 0 outside the text.
	char RealCharAt(int32 offset) const
	{
		if (offset < 0 || offset >= fLength)
			return '\0';
		return fBuffer.get()[offset < fGapStart ? offset : offset + _GapLength()];
	}

	void InsertText(const char* text, int32 length, int32 offset);
	void RemoveRange(int32 start, int32 end);
	void SetText(const char* text, int32 length);
	// The text becomes the first length bytes of the block of size bytes,
	// which the buffer takes over: a big text goes in without a copy. The
	// block needs a byte to spare; without it the text is copied.
	void Adopt(MallocBlock block, int32 length, size_t size);

	// A contiguous view of from .. to without moving the gap; when the
	// range straddles the gap its bytes are copied into scratch.
	std::string_view Range(int32 from, int32 to, std::string& scratch) const;
	std::string Copy(int32 from, int32 to) const;
	// The whole text, NUL-terminated; valid until the next edit. Moves the
	// gap to the end, so prefer Range() while the text is being edited.
	const char* RealText();

	int32 CharBoundary(int32 offset) const;
	int32 NextCharOffset(int32 offset) const;
	int32 PreviousCharOffset(int32 offset) const;
	int32 CharLengthAt(int32 offset) const;
	uint32 CharAt(int32 offset, int32* length = nullptr) const;

private:
	int32 _GapLength() const
		{ return static_cast<int32>(fSize) - fLength; }
	void _MoveGapTo(int32 offset);
	void _MakeRoom(int32 length);
	std::string_view _Window(int32 offset, char* window, int32* windowStart) const;

	// The text and the gap; the gap's bytes are never read, and are left as
	// the allocator gave them, so that a big gap takes no memory until text
	// goes into it.
	MallocBlock fBuffer;
	size_t fSize = 0;
	int32 fLength = 0;
	int32 fGapStart = 0;
};

} // namespace BPrivate

#endif
