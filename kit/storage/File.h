#ifndef _FILE_H
#define _FILE_H

#include <DataIO.h>
#include <Node.h>

// An open regular file: a node whose data can be read and written.
// openMode is one of B_READ_ONLY, B_WRITE_ONLY, B_READ_WRITE, with any of
// B_CREATE_FILE, B_ERASE_FILE, B_FAIL_IF_EXISTS, B_OPEN_AT_END. Links are
// followed. Errors are the platform's status codes (B_NO_MORE_FDS when the
// process may open no more files); reading a file not opened for reading,
// or writing one not opened for writing, gives B_NOT_ALLOWED.
class BFile : public BNode, public BPositionIO {
public:
	BFile();
	BFile(const BFile& file);
	BFile(const entry_ref* ref, uint32 openMode);
	BFile(const BEntry* entry, uint32 openMode);
	BFile(const char* path, uint32 openMode);
	BFile(const BDirectory* dir, const char* path, uint32 openMode);
	~BFile() override;

	status_t SetTo(const entry_ref* ref, uint32 openMode);
	status_t SetTo(const BEntry* entry, uint32 openMode);
	status_t SetTo(const char* path, uint32 openMode);
	status_t SetTo(const BDirectory* dir, const char* path, uint32 openMode);
	void Unset();

	bool IsReadable() const;
	bool IsWritable() const;

	ssize_t Read(void* buffer, size_t size) override;
	ssize_t ReadAt(off_t location, void* buffer, size_t size) override;
	ssize_t Write(const void* buffer, size_t size) override;
	ssize_t WriteAt(off_t location, const void* buffer, size_t size) override;
	off_t Seek(off_t position, uint32 seekMode) override;
	off_t Position() const override;
	// Cuts or extends the file; the position does not move.
	status_t SetSize(off_t size) override;
	status_t GetSize(off_t* size) const override;

	BFile& operator=(const BFile& file);

private:
	uint32 fMode = 0;
};

#endif
