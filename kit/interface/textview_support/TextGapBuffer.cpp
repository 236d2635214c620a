#include "TextGapBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

#include <UTF8.h>

namespace BPrivate {

namespace {

// A character is at most four bytes long: its lead lies at most three
// bytes back and its end at most three bytes ahead.
const int32 kMaxCharLength = 4;

// Room up to this size stays with a buffer that is emptied.
const size_t kRoomKeptWhenEmptied = 64 * 1024;

int32 Clamp(int32 value, int32 low, int32 high)
{
	return std::max(low, std::min(value, high));
}

} // namespace

void TextGapBuffer::_MoveGapTo(int32 offset)
{
	if (offset == fGapStart)
		return;
	char* buffer = fBuffer.get();
	int32 gap = _GapLength();
	if (offset < fGapStart)
		memmove(buffer + offset + gap, buffer + offset, fGapStart - offset);
	else
		memmove(buffer + fGapStart, buffer + fGapStart + gap, offset - fGapStart);
	fGapStart = offset;
}

// Grows the buffer by half again its size so that a run of insertions costs
// amortised O(1) per byte; one byte more than the text always stays free for
// the NUL that RealText() writes. The buffer is grown in place: a big one is
// remapped by the allocator rather than copied to fresh memory, which on a
// page of megabytes built by appending touched three times the text's size.
// Only the text behind the gap moves, to the new end.
void TextGapBuffer::_MakeRoom(int32 length)
{
	int32 gap = _GapLength();
	if (gap > length)
		return;
	size_t newSize = std::max<size_t>(fSize + fSize / 2, fLength + length + 1) + 64;
	// As a failed new would.
	if (!ResizeBlock(fBuffer, newSize))
		std::abort();
	char* buffer = fBuffer.get();
	int32 tail = fLength - fGapStart;
	if (tail > 0)
		memmove(buffer + newSize - tail, buffer + fSize - tail, tail);
	fSize = newSize;
}

void TextGapBuffer::InsertText(const char* text, int32 length, int32 offset)
{
	if (text == nullptr || length <= 0)
		return;
	// Bytes taken from this buffer (RealText() + n) would move or vanish
	// when it grows or its gap moves: insert a copy of them.
	std::less<const char*> before;
	if (!before(text, fBuffer.get()) && before(text, fBuffer.get() + fSize)) {
		std::string copy(text, length);
		InsertText(copy.data(), length, offset);
		return;
	}
	offset = Clamp(offset, 0, fLength);
	_MakeRoom(length);
	_MoveGapTo(offset);
	memcpy(fBuffer.get() + offset, text, length);
	fGapStart += length;
	fLength += length;
}

void TextGapBuffer::RemoveRange(int32 start, int32 end)
{
	start = Clamp(start, 0, fLength);
	end = Clamp(end, start, fLength);
	if (start == end)
		return;
	// Removing widens the gap: with the gap at end, the bytes before start
	// are already in place.
	_MoveGapTo(end);
	fGapStart = start;
	fLength -= end - start;
	// A view emptied to take a new big text would otherwise hold the old
	// text's room while the new one is made.
	if (fLength == 0 && fSize >= kRoomKeptWhenEmptied) {
		fBuffer.reset();
		fSize = 0;
		fGapStart = 0;
	}
}

void TextGapBuffer::SetText(const char* text, int32 length)
{
	fLength = 0;
	fGapStart = 0;
	InsertText(text, length, 0);
}

void TextGapBuffer::Adopt(MallocBlock block, int32 length, size_t size)
{
	length = std::max(length, 0);
	if (block == nullptr || static_cast<size_t>(length) >= size) {
		SetText(block.get(), length);
		return;
	}
	fBuffer = std::move(block);
	fSize = size;
	fLength = length;
	fGapStart = length;
}

std::string_view TextGapBuffer::Range(int32 from, int32 to, std::string& scratch) const
{
	from = Clamp(from, 0, fLength);
	to = Clamp(to, from, fLength);
	const char* buffer = fBuffer.get();
	if (to <= fGapStart)
		return std::string_view(buffer + from, to - from);
	if (from >= fGapStart)
		return std::string_view(buffer + from + _GapLength(), to - from);
	scratch.assign(buffer + from, fGapStart - from);
	scratch.append(buffer + fGapStart + _GapLength(), to - fGapStart);
	return scratch;
}

std::string TextGapBuffer::Copy(int32 from, int32 to) const
{
	std::string scratch;
	return std::string(Range(from, to, scratch));
}

const char* TextGapBuffer::RealText()
{
	_MakeRoom(0);
	_MoveGapTo(fLength);
	fBuffer.get()[fLength] = '\0';
	return fBuffer.get();
}

// Copies the bytes around offset that can take part in the character there,
// so that the UTF-8 helpers can run on a plain string.
std::string_view TextGapBuffer::_Window(int32 offset, char* window, int32* windowStart) const
{
	int32 from = std::max(0, offset - (kMaxCharLength - 1));
	int32 to = std::min(fLength, offset + kMaxCharLength);
	for (int32 i = from; i < to; i++)
		window[i - from] = RealCharAt(i);
	*windowStart = from;
	return std::string_view(window, to - from);
}

int32 TextGapBuffer::CharBoundary(int32 offset) const
{
	offset = Clamp(offset, 0, fLength);
	if (offset == fLength || !UTF8::IsContinuation(RealCharAt(offset)))
		return offset;
	char window[2 * kMaxCharLength];
	int32 start;
	std::string_view text = _Window(offset, window, &start);
	return start + static_cast<int32>(UTF8::Boundary(text, offset - start));
}

int32 TextGapBuffer::CharLengthAt(int32 offset) const
{
	if (offset < 0 || offset >= fLength)
		return 0;
	if (static_cast<unsigned char>(RealCharAt(offset)) < 0x80)
		return 1;
	char window[2 * kMaxCharLength];
	int32 start;
	std::string_view text = _Window(offset, window, &start);
	return static_cast<int32>(UTF8::CharLength(text, offset - start));
}

int32 TextGapBuffer::NextCharOffset(int32 offset) const
{
	offset = CharBoundary(offset);
	return std::min(fLength, offset + std::max<int32>(1, CharLengthAt(offset)));
}

int32 TextGapBuffer::PreviousCharOffset(int32 offset) const
{
	offset = Clamp(offset, 0, fLength);
	if (offset == 0)
		return 0;
	return CharBoundary(offset - 1);
}

uint32 TextGapBuffer::CharAt(int32 offset, int32* length) const
{
	if (length != nullptr)
		*length = 0;
	if (offset < 0 || offset >= fLength)
		return 0;
	char window[2 * kMaxCharLength];
	int32 start;
	std::string_view text = _Window(offset, window, &start);
	size_t charLength = 0;
	uint32 code = UTF8::Decode(text, offset - start, &charLength);
	if (length != nullptr)
		*length = static_cast<int32>(charLength);
	return code;
}

} // namespace BPrivate
