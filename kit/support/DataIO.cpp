#include <DataIO.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

BDataIO::~BDataIO() = default;

ssize_t BDataIO::Read(void*, size_t)
{
	return B_NOT_ALLOWED;
}

ssize_t BDataIO::Write(const void*, size_t)
{
	return B_NOT_ALLOWED;
}

status_t BDataIO::ReadExactly(void* buffer, size_t size)
{
	char* out = static_cast<char*>(buffer);
	while (size > 0) {
		ssize_t read = Read(out, size);
		if (read < 0)
			return static_cast<status_t>(read);
		if (read == 0)
			return B_IO_ERROR;
		out += read;
		size -= read;
	}
	return B_OK;
}

status_t BDataIO::WriteExactly(const void* buffer, size_t size)
{
	const char* in = static_cast<const char*>(buffer);
	while (size > 0) {
		ssize_t written = Write(in, size);
		if (written < 0)
			return static_cast<status_t>(written);
		if (written == 0)
			return B_IO_ERROR;
		in += written;
		size -= written;
	}
	return B_OK;
}

ssize_t BPositionIO::Read(void* buffer, size_t size)
{
	off_t position = Position();
	ssize_t read = ReadAt(position, buffer, size);
	if (read > 0)
		Seek(position + read, SEEK_SET);
	return read;
}

ssize_t BPositionIO::Write(const void* buffer, size_t size)
{
	off_t position = Position();
	ssize_t written = WriteAt(position, buffer, size);
	if (written > 0)
		Seek(position + written, SEEK_SET);
	return written;
}

status_t BPositionIO::SetSize(off_t)
{
	return B_ERROR;
}

status_t BPositionIO::GetSize(off_t* size) const
{
	if (size == nullptr)
		return B_BAD_VALUE;
	// Seek is not const in the interface; measuring restores the position.
	BPositionIO* self = const_cast<BPositionIO*>(this);
	off_t current = Position();
	off_t end = self->Seek(0, SEEK_END);
	self->Seek(current, SEEK_SET);
	if (end < 0)
		return static_cast<status_t>(end);
	*size = end;
	return B_OK;
}

// #pragma mark - BMallocIO

BMallocIO::BMallocIO() = default;
BMallocIO::~BMallocIO() = default;

const void* BMallocIO::Buffer() const
{
	return fData != nullptr ? fData.get() : "";
}

ssize_t BMallocIO::ReadAt(off_t position, void* buffer, size_t size)
{
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if (static_cast<size_t>(position) >= fLength)
		return 0;
	size_t available = fLength - position;
	size_t count = size < available ? size : available;
	memcpy(buffer, fData.get() + position, count);
	return count;
}

// Grows to twice the room at least, so that writing a big buffer at its
// end costs amortised O(1) per byte. A big buffer grows with realloc,
// which moves its pages rather than holding it twice while it copies.
bool BMallocIO::_Reserve(size_t size)
{
	if (size < fCapacity)
		return true;
	size_t blocks = (size + 1 + fBlockSize - 1) / fBlockSize;
	size_t capacity = std::max(blocks * fBlockSize, 2 * fCapacity);
	if (!BPrivate::ResizeBlock(fData, capacity))
		return false;
	fCapacity = capacity;
	return true;
}

// Bytes the data gains are zeros.
bool BMallocIO::_Resize(size_t size)
{
	if (!_Reserve(size))
		return false;
	if (size > fLength)
		memset(fData.get() + fLength, 0, size - fLength);
	fLength = size;
	fData.get()[fLength] = '\0';
	return true;
}

ssize_t BMallocIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	size_t end = position + size;
	if (end > fLength && !_Resize(end))
		return B_NO_MEMORY;
	memcpy(fData.get() + position, buffer, size);
	return size;
}

off_t BMallocIO::Seek(off_t position, uint32 seekMode)
{
	off_t base = seekMode == SEEK_CUR ? fPosition : seekMode == SEEK_END ? static_cast<off_t>(fLength) : 0;
	if (seekMode != SEEK_SET && seekMode != SEEK_CUR && seekMode != SEEK_END)
		return B_BAD_VALUE;
	if (base + position < 0)
		return B_BAD_VALUE;
	fPosition = base + position;
	return fPosition;
}

status_t BMallocIO::SetSize(off_t size)
{
	if (size < 0)
		return B_BAD_VALUE;
	if (!_Resize(size))
		return B_NO_MEMORY;
	if (fPosition > size)
		fPosition = size;
	return B_OK;
}

status_t BMallocIO::GetSize(off_t* size) const
{
	if (size == nullptr)
		return B_BAD_VALUE;
	*size = fLength;
	return B_OK;
}

void BMallocIO::SetBlockSize(size_t blockSize)
{
	fBlockSize = blockSize > 0 ? blockSize : 1;
}

BPrivate::MallocBlock BMallocIO::DetachBuffer(size_t* length, size_t* capacity)
{
	*length = fLength;
	*capacity = fCapacity;
	fLength = 0;
	fCapacity = 0;
	fPosition = 0;
	return std::move(fData);
}

// #pragma mark - BMemoryIO

BMemoryIO::BMemoryIO(void* data, size_t length)
	: fData(static_cast<char*>(data)), fLength(length), fCapacity(length), fReadOnly(false)
{
}

BMemoryIO::BMemoryIO(const void* data, size_t length)
	: fData(static_cast<char*>(const_cast<void*>(data))), fLength(length), fCapacity(length),
	  fReadOnly(true)
{
}

ssize_t BMemoryIO::ReadAt(off_t position, void* buffer, size_t size)
{
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if (static_cast<size_t>(position) >= fLength)
		return 0;
	size_t count = size < fLength - position ? size : fLength - position;
	memcpy(buffer, fData + position, count);
	return count;
}

ssize_t BMemoryIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (fReadOnly)
		return B_NOT_ALLOWED;
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if (static_cast<size_t>(position) >= fCapacity)
		return 0;
	size_t count = size < fCapacity - position ? size : fCapacity - position;
	memcpy(fData + position, buffer, count);
	if (position + count > fLength)
		fLength = position + count;
	return count;
}

off_t BMemoryIO::Seek(off_t position, uint32 seekMode)
{
	off_t base = seekMode == SEEK_CUR ? fPosition : seekMode == SEEK_END ? static_cast<off_t>(fLength) : 0;
	if (seekMode != SEEK_SET && seekMode != SEEK_CUR && seekMode != SEEK_END)
		return B_BAD_VALUE;
	if (base + position < 0)
		return B_BAD_VALUE;
	fPosition = base + position;
	return fPosition;
}

status_t BMemoryIO::SetSize(off_t size)
{
	if (fReadOnly)
		return B_NOT_ALLOWED;
	if (size < 0 || static_cast<size_t>(size) > fCapacity)
		return B_BAD_VALUE;
	fLength = size;
	return B_OK;
}
