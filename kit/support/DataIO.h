#ifndef _DATA_IO_H
#define _DATA_IO_H

#include <MallocBlock.h>
#include <SupportDefs.h>

// A stream of bytes. Read and Write return the number of bytes moved, or a
// negative error code.
class BDataIO {
public:
	virtual ~BDataIO();
	virtual ssize_t Read(void* buffer, size_t size);
	virtual ssize_t Write(const void* buffer, size_t size);

	// Loop until everything is moved; a short transfer is B_IO_ERROR.
	status_t ReadExactly(void* buffer, size_t size);
	status_t WriteExactly(const void* buffer, size_t size);
};

// A stream with a position that can be read and written anywhere.
class BPositionIO : public BDataIO {
public:
	ssize_t Read(void* buffer, size_t size) override;
	ssize_t Write(const void* buffer, size_t size) override;

	virtual ssize_t ReadAt(off_t position, void* buffer, size_t size) = 0;
	virtual ssize_t WriteAt(off_t position, const void* buffer, size_t size) = 0;
	virtual off_t Seek(off_t position, uint32 seekMode) = 0;
	virtual off_t Position() const = 0;
	virtual status_t SetSize(off_t size);
	virtual status_t GetSize(off_t* size) const;
};

// A growable buffer in memory. The bytes are always followed by a NUL byte
// that is not part of the data, so Buffer() may be read as a C string when
// the data holds no NUL itself.
class BMallocIO : public BPositionIO {
public:
	BMallocIO();
	~BMallocIO() override;

	ssize_t ReadAt(off_t position, void* buffer, size_t size) override;
	ssize_t WriteAt(off_t position, const void* buffer, size_t size) override;
	off_t Seek(off_t position, uint32 seekMode) override;
	off_t Position() const override { return fPosition; }
	status_t SetSize(off_t size) override;
	status_t GetSize(off_t* size) const override;

	void SetBlockSize(size_t blockSize);
	const void* Buffer() const;
	size_t BufferLength() const { return fLength; }

	// Not in the BeOS API: hands the bytes (with their NUL) to the caller
	// and leaves the buffer empty, so that a big text changes hands without
	// a copy. *length is the length of the data, *capacity the size of the
	// block returned, at least one more than the length; the block is null
	// when the buffer was never written.
	BPrivate::MallocBlock DetachBuffer(size_t* length, size_t* capacity);

private:
	// Makes room for size bytes and the NUL behind them; the room beyond
	// the data is left as the allocator gave it. False when there is no
	// memory for it.
	bool _Reserve(size_t size);
	bool _Resize(size_t size);

	BPrivate::MallocBlock fData;
	size_t fLength = 0;
	size_t fCapacity = 0;
	off_t fPosition = 0;
	size_t fBlockSize = 256;
};

// A fixed piece of memory that the caller owns; read-only when made from
// const memory.
class BMemoryIO : public BPositionIO {
public:
	BMemoryIO(void* data, size_t length);
	BMemoryIO(const void* data, size_t length);

	ssize_t ReadAt(off_t position, void* buffer, size_t size) override;
	ssize_t WriteAt(off_t position, const void* buffer, size_t size) override;
	off_t Seek(off_t position, uint32 seekMode) override;
	off_t Position() const override { return fPosition; }
	status_t SetSize(off_t size) override;

private:
	char* fData;
	size_t fLength;     // bytes in use
	size_t fCapacity;   // bytes the caller gave
	bool fReadOnly;
	off_t fPosition = 0;
};

#endif
