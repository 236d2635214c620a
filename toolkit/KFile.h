#ifndef VELMORA_KFILE_H
#define VELMORA_KFILE_H

#include <optional>
#include <string>

#include <Entry.h>
#include <File.h>

class BDirectory;

// A file that remembers the entry it was opened on and the pieces of its
// path. Links are followed: the entry is the file actually opened. For
// "/site/archive.tar.gz":
//   FullPath   "/site/archive.tar.gz"
//   Path       "/site"             everything before the last "/"
//   FileName   "archive.tar.gz"    the last component
//   Name       "archive.tar"       before the last "."; the whole component
//                                  without "."; null when the only "." is
//                                  the first character (".profile")
//   Extension  "gz"                after the last "."; null without "."
// The accessors answer null while the file is not open.
//
// When the process may open no more files, the file says so through the
// error alert and stays unset (InitCheck() gives B_NO_MORE_FDS).
class KFile : public BFile {
public:
	KFile();
	KFile(const char* path, uint32 openMode);
	KFile(const BEntry* entry, uint32 openMode);
	KFile(const entry_ref* ref, uint32 openMode);
	KFile(const BDirectory* dir, const char* path, uint32 openMode);
	~KFile() override;

	status_t SetTo(const char* path, uint32 openMode);
	status_t SetTo(const BEntry* entry, uint32 openMode);
	status_t SetTo(const entry_ref* ref, uint32 openMode);
	status_t SetTo(const BDirectory* dir, const char* path, uint32 openMode);
	// Closes the file and forgets its entry.
	void Unset();

	// Removes the file from disk and closes it; on failure it stays open.
	status_t Delete();
	// Copies length bytes from start (a negative length: to the end) into
	// target at its position, which moves past them. B_OK only when every
	// byte arrived; a copy that fails leaves target at its old size and
	// position, so no partial tail is left behind (bytes it overwrote inside
	// the old size cannot be given back).
	status_t CopyTo(BFile* target, off_t start = 0, off_t length = -1);
	const entry_ref* EntryRef() const;

	const char* FullPath() const;
	const char* Path() const;
	const char* FileName() const;
	const char* Name() const;
	const char* Extension() const;

	// The same pieces for an existing entry, as new strings the caller
	// frees with delete[]; null when the entry does not exist.
	static char* FullPathOf(const BEntry* entry);
	static char* PathOf(const BEntry* entry);
	static char* FileNameOf(const BEntry* entry);
	static char* NameOf(const BEntry* entry);
	static char* ExtensionOf(const BEntry* entry);
	static char* FullPathOf(const entry_ref* ref);
	static char* PathOf(const entry_ref* ref);
	static char* FileNameOf(const entry_ref* ref);
	static char* NameOf(const entry_ref* ref);
	static char* ExtensionOf(const entry_ref* ref);

	// What the user is told when no more files can be opened.
	static const char* const kTooManyOpenFiles;

private:
	// Every piece is set for a file; name and extension may be none.
	struct Pieces {
		std::optional<std::string> fullPath;
		std::optional<std::string> path;
		std::optional<std::string> fileName;
		std::optional<std::string> name;
		std::optional<std::string> extension;
	};
	typedef std::optional<std::string> Pieces::*Piece;

	static Pieces Split(const std::string& fullPath);
	static char* NewPieceOf(const BEntry* entry, Piece piece);
	static char* NewPieceOf(const entry_ref* ref, Piece piece);
	const char* PieceOfFile(Piece piece) const;

	status_t Init(const BEntry& entry, uint32 openMode);
	void Forget();

	entry_ref fRef;
	Pieces fPieces;
};

#endif
