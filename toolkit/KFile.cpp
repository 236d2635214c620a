#include "KFile.h"

#include <cstring>
#include <vector>

#include <Directory.h>
#include <Path.h>

#include "ErrorAlert.h"
#include "StringHelpers.h"

const char* const KFile::kTooManyOpenFiles
	= "Error: You have exceeded the maximum number of open files that Linux allows for a program.";

namespace {

// Bytes moved per step of CopyTo.
const size_t kCopyChunk = 64 * 1024;

} // namespace

KFile::KFile() = default;

KFile::KFile(const char* path, uint32 openMode)
{
	SetTo(path, openMode);
}

KFile::KFile(const BEntry* entry, uint32 openMode)
{
	SetTo(entry, openMode);
}

KFile::KFile(const entry_ref* ref, uint32 openMode)
{
	SetTo(ref, openMode);
}

KFile::KFile(const BDirectory* dir, const char* path, uint32 openMode)
{
	SetTo(dir, path, openMode);
}

KFile::~KFile() = default;

status_t KFile::SetTo(const char* path, uint32 openMode)
{
	return Init(BEntry(path, true), openMode);
}

status_t KFile::SetTo(const BEntry* entry, uint32 openMode)
{
	BPath path;
	if (entry == nullptr || entry->GetPath(&path) != B_OK) {
		Forget();
		return Fail(entry == nullptr ? B_BAD_VALUE : entry->InitCheck());
	}
	return SetTo(path.Path(), openMode);
}

status_t KFile::SetTo(const entry_ref* ref, uint32 openMode)
{
	return Init(BEntry(ref, true), openMode);
}

status_t KFile::SetTo(const BDirectory* dir, const char* path, uint32 openMode)
{
	return Init(BEntry(dir, path, true), openMode);
}

void KFile::Unset()
{
	BFile::Unset();
	Forget();
}

void KFile::Forget()
{
	fRef = entry_ref();
	fPieces = Pieces();
}

status_t KFile::Init(const BEntry& entry, uint32 openMode)
{
	Forget();
	status_t status = entry.InitCheck();
	status = status == B_OK ? BFile::SetTo(&entry, openMode) : Fail(status);
	BPath path;
	if (status == B_OK)
		status = entry.GetRef(&fRef);
	if (status == B_OK)
		status = entry.GetPath(&path);
	if (status != B_OK) {
		if (status == B_NO_MORE_FDS)
			ErrorAlert(kTooManyOpenFiles);
		Forget();
		return Fail(status);
	}
	fPieces = Split(path.Path());
	return B_OK;
}

KFile::Pieces KFile::Split(const std::string& fullPath)
{
	Pieces pieces;
	pieces.fullPath = fullPath;
	size_t slash = fullPath.rfind('/');
	pieces.path = slash != std::string::npos ? fullPath.substr(0, slash) : "";
	std::string fileName = slash != std::string::npos ? fullPath.substr(slash + 1) : fullPath;
	pieces.fileName = fileName;

	size_t dot = fileName.rfind('.');
	if (dot == std::string::npos) {
		pieces.name = fileName;
		return pieces;
	}
	pieces.extension = fileName.substr(dot + 1);
	if (dot > 0)
		pieces.name = fileName.substr(0, dot);
	return pieces;
}

char* KFile::NewPieceOf(const BEntry* entry, Piece piece)
{
	BPath path;
	if (entry == nullptr || !entry->Exists() || entry->GetPath(&path) != B_OK)
		return nullptr;
	Pieces pieces = Split(path.Path());
	const std::optional<std::string>& text = pieces.*piece;
	return text ? newtext(text->c_str()) : nullptr;
}

char* KFile::NewPieceOf(const entry_ref* ref, Piece piece)
{
	if (ref == nullptr)
		return nullptr;
	BEntry entry(ref);
	return NewPieceOf(&entry, piece);
}

const char* KFile::PieceOfFile(Piece piece) const
{
	const std::optional<std::string>& text = fPieces.*piece;
	return InitCheck() == B_OK && text ? text->c_str() : nullptr;
}

const char* KFile::FullPath() const { return PieceOfFile(&Pieces::fullPath); }
const char* KFile::Path() const { return PieceOfFile(&Pieces::path); }
const char* KFile::FileName() const { return PieceOfFile(&Pieces::fileName); }
const char* KFile::Name() const { return PieceOfFile(&Pieces::name); }
const char* KFile::Extension() const { return PieceOfFile(&Pieces::extension); }

const entry_ref* KFile::EntryRef() const
{
	return InitCheck() == B_OK ? &fRef : nullptr;
}

char* KFile::FullPathOf(const BEntry* entry) { return NewPieceOf(entry, &Pieces::fullPath); }
char* KFile::PathOf(const BEntry* entry) { return NewPieceOf(entry, &Pieces::path); }
char* KFile::FileNameOf(const BEntry* entry) { return NewPieceOf(entry, &Pieces::fileName); }
char* KFile::NameOf(const BEntry* entry) { return NewPieceOf(entry, &Pieces::name); }
char* KFile::ExtensionOf(const BEntry* entry) { return NewPieceOf(entry, &Pieces::extension); }
char* KFile::FullPathOf(const entry_ref* ref) { return NewPieceOf(ref, &Pieces::fullPath); }
char* KFile::PathOf(const entry_ref* ref) { return NewPieceOf(ref, &Pieces::path); }
char* KFile::FileNameOf(const entry_ref* ref) { return NewPieceOf(ref, &Pieces::fileName); }
char* KFile::NameOf(const entry_ref* ref) { return NewPieceOf(ref, &Pieces::name); }
char* KFile::ExtensionOf(const entry_ref* ref) { return NewPieceOf(ref, &Pieces::extension); }

status_t KFile::Delete()
{
	if (InitCheck() != B_OK)
		return InitCheck();
	BEntry entry(&fRef);
	status_t status = entry.Remove();
	if (status == B_OK)
		Unset();
	return status;
}

status_t KFile::CopyTo(BFile* target, off_t start, off_t length)
{
	if (target == nullptr || start < 0)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK || target->InitCheck() != B_OK)
		return InitCheck() != B_OK ? InitCheck() : target->InitCheck();
	if (!IsReadable() || !target->IsWritable())
		return B_NOT_ALLOWED;
	off_t size, targetSize;
	status_t status = GetSize(&size);
	if (status == B_OK)
		status = target->GetSize(&targetSize);
	if (status != B_OK)
		return status;
	if (length < 0)
		length = start < size ? size - start : 0;
	if (start + length > size)
		return B_BAD_VALUE;

	off_t targetPosition = target->Position();
	std::vector<char> buffer(kCopyChunk);
	off_t done = 0;
	while (status == B_OK && done < length) {
		size_t step = static_cast<size_t>(min_c(static_cast<off_t>(buffer.size()), length - done));
		ssize_t read = ReadAt(start + done, buffer.data(), step);
		if (read < 0)
			status = static_cast<status_t>(read);
		else if (read == 0)
			status = B_IO_ERROR;  // the file shrank under us
		else
			status = target->WriteExactly(buffer.data(), read);
		if (status == B_OK)
			done += read;
	}
	if (status != B_OK) {
		// Leave no partial tail: the target gets back its old size and place.
		target->SetSize(targetSize);
		target->Seek(targetPosition, SEEK_SET);
	}
	return status;
}
