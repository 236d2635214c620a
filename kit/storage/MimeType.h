#ifndef _MIME_TYPE_H
#define _MIME_TYPE_H

#include <string>

#include <StorageDefs.h>
#include <SupportDefs.h>

// A MIME type string such as "text/html", or a supertype alone ("text").
// Types compare without regard to letter case. Valid: shorter than
// B_MIME_TYPE_LENGTH, a non-empty supertype, at most one "/" followed by a
// non-empty subtype, and no blanks, controls or the characters
// ()<>@,;:\"[]?= .
class BMimeType {
public:
	BMimeType();
	BMimeType(const char* mimeType);
	virtual ~BMimeType();

	status_t SetTo(const char* mimeType);
	void Unset();
	status_t InitCheck() const { return fCStatus; }

	// Null when unset.
	const char* Type() const;
	bool IsValid() const { return fCStatus == B_OK; }
	static bool IsValid(const char* mimeType);
	bool IsSupertypeOnly() const;
	status_t GetSupertype(BMimeType* supertype) const;

	// "text" is the supertype of "text/html"; no type is its own supertype.
	bool IsSupertypeOf(const BMimeType* type) const;
	// Equal to type, or its supertype.
	bool Contains(const BMimeType* type) const;

	bool operator==(const BMimeType& type) const;
	bool operator==(const char* type) const;

private:
	std::string fType;
	status_t fCStatus = B_NO_INIT;
};

#endif
