#ifndef VELMORA_RUN_ARCHIVE_H
#define VELMORA_RUN_ARCHIVE_H

#include <set>
#include <vector>

#include <SupportDefs.h>

class BMessage;
class Element_List;
class Visual_Element;
class Visual_Engine;
class Visual_Text;

// A stretch of the page as a message that re-creates it anywhere: undo
// keeps deleted runs in it and the clipboard carries copied ones, to this
// process or another. Its entries are sub-messages named "0", "1", ...:
// element archives and text pieces ("class" = "text", "text"). The styles
// open at the run's start are opened again at its start (archives with
// "relative_offset" = 0) and those open at its end are closed at its end,
// so that its formatting opens and closes inside it.
//
// An exact archive, which undo keeps, holds every element of the stretch
// as it stands (unsupported tags and closing tags of styles opened before
// it included) and nothing more: made again where it was taken out, it
// gives back the very list and text.
class RunArchive {
public:
	enum Kind {
		SELF_CONTAINED,
		EXACT
	};

	RunArchive(Visual_Engine& engine, Kind kind);

	// Writes [start, finish) of the engine's text, which the caller has
	// checked, into archive, and for an exact archive the first extra
	// elements at finish; the first error of adding an entry, or B_OK.
	// Under the engine lock.
	status_t Write(BMessage* archive, int32 start, int32 finish, unsigned long extra = 0);
	// Whether every entry of the archive can be made again here: nothing
	// is made of an archive with one that cannot (a class or tag name this
	// program does not know).
	static bool IsRestorable(const BMessage* archive);
	// Makes the run again at offset; the offset its end stands at. A
	// self-contained run goes in front of the formatting that begins there
	// and behind the formatting that ends there, an exact one in front of
	// every element there. Under the engine lock.
	int32 Read(const BMessage* archive, int32 offset);

private:
	void WriteOpenAtStart(int32 start);
	void WriteElementsAt(int32 offset);
	void WriteText(int32 from, int32 to);
	void WriteClosingAtEnd();
	void WriteElement(unsigned long index, bool relative);
	int32 OwnedLengthAt(int32 offset) const;
	// The elements at offset that must stay in front of a run put there:
	// the closing tags the elements there begin with.
	unsigned long ClosingTagsAt(int32 offset) const;
	bool IsClosing(const Visual_Element* element) const;

	Visual_Engine& fEngine;
	Element_List& fList;
	Kind fKind;
	BMessage* fArchive;		// not owned: the caller's, while Write() runs
	int32 fCount;
	status_t fStatus;
	std::vector<unsigned long> fPartners;
	std::set<unsigned long> fWritten;
};

#endif
