#ifndef _APP_FILE_INFO_H
#define _APP_FILE_INFO_H

#include <NodeInfo.h>

class BFile;
class BMessage;

// What a program file says about itself: its application signature (a
// MIME type such as "application/x-vnd.Velmora") and the file types it
// opens. Both are kept as extended attributes of the file, "user.app_signature"
// and "user.app_supported_types" (one type per line), and are ignored, like
// the file type, where the file system has none.
class BAppFileInfo : public BNodeInfo {
public:
	BAppFileInfo();
	BAppFileInfo(BFile* file);
	~BAppFileInfo() override;

	// The file is not owned and must outlive this object.
	status_t SetTo(BFile* file);

	// signature holds B_MIME_TYPE_LENGTH bytes. B_ENTRY_NOT_FOUND without one.
	status_t GetSignature(char* signature) const;
	// Must be a valid MIME type; null removes it.
	status_t SetSignature(const char* signature);

	// The types as the strings of the field "types", which is replaced.
	status_t GetSupportedTypes(BMessage* types) const;
	// Every "types" string must be a valid MIME type; null removes them all.
	status_t SetSupportedTypes(const BMessage* types);
	// True when a supported type is type or its supertype, or is
	// "application/octet-stream", which stands for every type.
	bool IsSupportedType(const char* type) const;
};

#endif
