#include "RunArchive.h"

#include <algorithm>
#include <cstring>
#include <string>

#include <Message.h>

#include "Element_List.h"
#include "EndLine.h"
#include "NodeTree.h"
#include "Page_Element.h"
#include "StyleGroup.h"
#include "UnsupportedTag.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"
#include "engine_support/PairWalk.h"

namespace {

const char* const kTextClass = "text";

} // namespace

RunArchive::RunArchive(Visual_Engine& engine, Kind kind)
	:
	fEngine(engine),
	fList(*engine.ElementList()),
	fKind(kind),
	fArchive(nullptr),
	fCount(0),
	fStatus(B_OK)
{
}

status_t RunArchive::Write(BMessage* archive, int32 start, int32 finish, unsigned long extra)
{
	fArchive = archive;
	fCount = 0;
	fStatus = B_OK;
	fWritten.clear();
	if (fKind == SELF_CONTAINED) {
		fPartners = PairWalk::Partners(fList);
		WriteOpenAtStart(start);
	}
	for (int32 offset = start; offset < finish && fStatus == B_OK;) {
		WriteElementsAt(offset);
		int32 textFrom = offset + OwnedLengthAt(offset);
		unsigned long next = fList.FirstIndexAbove(offset);
		int32 nextElement = next <= fList.LastIndex() ? fList[next].offset : finish;
		int32 textTo = std::min(std::max(nextElement, textFrom), finish);
		WriteText(textFrom, textTo);
		offset = std::max(textTo, offset + 1);
	}
	if (fKind == SELF_CONTAINED)
		WriteClosingAtEnd();
	for (unsigned long index = fList.FirstIndexAtOrAbove(finish);
			extra > 0 && index <= fList.LastIndex() && fList[index].offset == finish; index++) {
		if (index > 0) {
			WriteElement(index, false);
			extra--;
		}
	}
	fArchive = nullptr;
	return fStatus;
}

// The styles open at the start: the innermost member of each group,
// outermost first, as the list has them.
void RunArchive::WriteOpenAtStart(int32 start)
{
	std::vector<PairWalk::Open> open
		= PairWalk::OpenBefore(fList, fList.FirstIndexAtOrAbove(start));
	OpenTags tags;
	for (const PairWalk::Open& pair : open) {
		style_group group = StyleGroups::GroupOf(pair.element);
		if (group != GROUP_NONE)
			tags.slot[group] = pair.element;
	}
	std::vector<unsigned long> indexes;
	for (const PairWalk::Open& pair : open) {
		style_group group = StyleGroups::GroupOf(pair.element);
		if (group != GROUP_NONE && tags.slot[group] == pair.element)
			indexes.push_back(pair.index);
	}
	std::sort(indexes.begin(), indexes.end());
	for (unsigned long index : indexes)
		WriteElement(index, true);
}

// A closing tag whose opening is not in the run closes formatting from
// before it, and unsupported tags are markup the run does not carry.
void RunArchive::WriteElementsAt(int32 offset)
{
	for (unsigned long index = fList.FirstIndexAtOrAbove(offset);
			index <= fList.LastIndex() && fList[index].offset == offset; index++) {
		const Visual_Element* element = fList[index].element;
		if (index == 0)
			continue;
		if (fKind == EXACT) {
			WriteElement(index, false);
			continue;
		}
		if (dynamic_cast<const UnsupportedTag*>(element) != nullptr)
			continue;
		unsigned long partner = index < fPartners.size() ? fPartners[index] : 0;
		if (IsClosing(element) && (partner == 0 || fWritten.count(partner) == 0))
			continue;
		WriteElement(index, false);
	}
}

void RunArchive::WriteText(int32 from, int32 to)
{
	if (from >= to || fStatus != B_OK)
		return;
	BMessage piece;
	piece.AddString("class", kTextClass);
	// A range of the text, not Text(), which would move the text view's gap
	// across the page at every deletion.
	std::string scratch;
	std::string text(fEngine.View()->TextRange(from, to, scratch));
	piece.AddString("text", text.c_str());
	fStatus = fArchive->AddMessage(std::to_string(fCount++).c_str(), &piece);
}

// The partners of the openings written whose closings were not: innermost
// first, which is list order.
void RunArchive::WriteClosingAtEnd()
{
	std::vector<unsigned long> closings;
	for (unsigned long index : fWritten) {
		unsigned long partner = index < fPartners.size() ? fPartners[index] : 0;
		if (partner > index && fWritten.count(partner) == 0
				&& !IsClosing(fList[index].element))
			closings.push_back(partner);
	}
	std::sort(closings.begin(), closings.end());
	for (unsigned long index : closings)
		WriteElement(index, false);
}

void RunArchive::WriteElement(unsigned long index, bool relative)
{
	if (fStatus != B_OK)
		return;
	BMessage entry;
	fList[index].element->Archive(&entry);
	if (relative)
		entry.AddInt32("relative_offset", 0);
	fWritten.insert(index);
	fStatus = fArchive->AddMessage(std::to_string(fCount++).c_str(), &entry);
}

int32 RunArchive::OwnedLengthAt(int32 offset) const
{
	int32 owned = 0;
	for (unsigned long index = fList.FirstIndexAtOrAbove(offset);
			index <= fList.LastIndex() && fList[index].offset == offset; index++) {
		if (index > 0)
			owned = std::max(owned, static_cast<int32>(fEngine.View()->OwnedLength(index)));
	}
	return owned;
}

bool RunArchive::IsClosing(const Visual_Element* element) const
{
	const HTML_Element* html = dynamic_cast<const HTML_Element*>(element);
	return html != nullptr && html->PairTag() && !html->OpenTag();
}

// #pragma mark - Reading

bool RunArchive::IsRestorable(const BMessage* archive)
{
	if (archive == nullptr)
		return false;
	BMessage entry;
	for (int32 index = 0;
			archive->FindMessage(std::to_string(index).c_str(), &entry) == B_OK; index++) {
		const char* className = nullptr;
		if (entry.FindString("class", &className) != B_OK)
			return true;
		const char* text = nullptr;
		bool isText = std::string(className) == kTextClass
			&& entry.FindString("text", &text) == B_OK;
		if (!isText && !Visual_Engine::IsInstantiable(&entry))
			return false;
	}
	return true;
}

unsigned long RunArchive::ClosingTagsAt(int32 offset) const
{
	unsigned long count = 0;
	for (unsigned long index = fList.FirstIndexAtOrAbove(offset);
			index <= fList.LastIndex() && fList[index].offset == offset; index++) {
		if (index == 0)
			continue;
		if (!IsClosing(fList[index].element))
			break;
		count++;
	}
	return count;
}

// A placeholder keeps the elements that begin at offset behind the run:
// inserted while editing, it takes every element there (with its
// characters) along, and the closing tags that end formatting before the
// run go back in front of it. The run is then built in front of the
// placeholder, which goes last.
int32 RunArchive::Read(const BMessage* archive, int32 offset)
{
	Visual_Text* view = fEngine.View();
	std::vector<Visual_Element*> inFront;
	unsigned long first = fList.FirstIndexAtOrAbove(offset);
	unsigned long closings = fKind == SELF_CONTAINED ? ClosingTagsAt(offset) : 0;
	for (unsigned long index = std::max<unsigned long>(first, 1);
			inFront.size() < closings && index <= fList.LastIndex(); index++)
		inFront.push_back(fList[index].element);
	insert_mode mode = view->InsertMode();
	view->SetInsertMode(INSERT_EDIT);
	view->BInsertText("x", 1, offset, nullptr);
	for (Visual_Element* element : inFront)
		fEngine.MoveAfter(offset, element);
	view->SetInsertMode(INSERT_BUILD);
	int32 current = offset;
	BMessage entry;
	for (int32 index = 0;
			archive->FindMessage(std::to_string(index).c_str(), &entry) == B_OK; index++) {
		const char* className = nullptr;
		if (entry.FindString("class", &className) != B_OK)
			break;
		int32 length = view->TextLength();
		const char* text = nullptr;
		if (std::string(className) == kTextClass && entry.FindString("text", &text) == B_OK)
			view->BInsertText(text, static_cast<int32>(strlen(text)), current, nullptr);
		else {
			// An entry stands where the run has come to, whatever offset
			// its writer meant.
			entry.RemoveName("relative_offset");
			fEngine.Instantiate(&entry, current);
		}
		current += view->TextLength() - length;
	}
	view->SetInsertMode(mode);
	view->BDeleteText(current, current + 1);
	return current;
}
