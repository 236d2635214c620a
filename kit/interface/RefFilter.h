#ifndef _REF_FILTER_H
#define _REF_FILTER_H

#include <sys/stat.h>

struct entry_ref;
class BNode;

// Decides which entries a file panel lists. Filter() is asked for every
// entry of the folder shown, folders too (a filter that turns a folder
// away keeps the user out of it); mimeType is the entry's file type, empty
// when it has none.
class BRefFilter {
public:
	virtual ~BRefFilter() = default;
	virtual bool Filter(const entry_ref* ref, BNode* node, struct stat* st,
		const char* mimeType) = 0;
};

#endif
