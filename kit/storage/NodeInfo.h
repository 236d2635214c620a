#ifndef _NODE_INFO_H
#define _NODE_INFO_H

#include <string>

#include <Node.h>

// The file type of a node, kept as the extended attribute "user.mime_type"
// (the desktop's convention; no terminator is stored). On a file system
// without extended attributes a type cannot be kept: SetType is ignored
// there and GetType finds none.
class BNodeInfo {
public:
	BNodeInfo();
	BNodeInfo(BNode* node);
	virtual ~BNodeInfo();

	// The node is not owned and must outlive this object.
	status_t SetTo(BNode* node);
	status_t InitCheck() const { return fCStatus; }

	// type holds B_MIME_TYPE_LENGTH bytes. B_ENTRY_NOT_FOUND without a type.
	virtual status_t GetType(char* type) const;
	// A null type removes it.
	virtual status_t SetType(const char* type);

protected:
	// Attribute helpers for the string values this class and its subclasses
	// keep; both ignore a file system without extended attributes as above.
	// A value longer than maxLength, or with an inner NUL, is B_BAD_DATA.
	status_t ReadString(const char* attribute, std::string* value, size_t maxLength) const;
	status_t ReadString(const char* attribute, char* buffer, size_t bufferSize) const;
	status_t WriteString(const char* attribute, const char* value);

	BNode* fNode = nullptr;  // not owned

private:
	status_t fCStatus = B_NO_INIT;
};

#endif
