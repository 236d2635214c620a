#include "KFinder.h"

#include <algorithm>
#include <string>
#include <vector>

#include <Autolock.h>
#include <Beep.h>
#include <CheckBox.h>
#include <Message.h>
#include <TextControl.h>
#include <TextView.h>
#include <UTF8.h>

#include "KBottomBar.h"
#include "KFinderView.h"
#include "PageWindow.h"

namespace UTF8 = BPrivate::UTF8;

namespace {

// Where the finder first shows; its view sizes it to its controls.
const BRect kFrame(80, 40, 484, 145);

bool IsOn(const BCheckBox* box)
{
	return box->Value() == B_CONTROL_ON;
}

struct Match {
	int32 start;
	int32 end;
};

} // namespace

KFinder::KFinder(BWindow* editor)
	:
	KWindow(kFrame, "Finder", B_FLOATING_WINDOW_LOOK, B_FLOATING_SUBSET_WINDOW_FEEL,
		B_NOT_ZOOMABLE | B_NOT_RESIZABLE | B_ASYNCHRONOUS_CONTROLS),
	parent(editor),
	view(new KFinderView()),
	once(true),
	replacing(false),
	caseSensitive(false),
	wholeWord(false),
	wrap(false),
	matchEnd(0)
{
	if (parent != nullptr)
		AddToSubset(parent);
	AddChild(view);
}

// Enter in "Find:" only finds: a replacement typed before must not be
// typed over the first match by a key meant to search. A field also sends
// its message when it loses the keyboard with new text: Tab on to a button
// is no command.
void KFinder::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case 'find':
			Command(true, false);
			break;
		case 'ftxt':
			if (HasKeyboard(view->FindField()))
				Command(true, false);
			break;
		case 'repl':
			Command(true, true);
			break;
		case 'rtxt':
			if (HasKeyboard(view->ReplaceField()))
				Command(true, true);
			break;
		case 'rall':
			Command(false, true);
			break;
		case 'xcas':
			caseSensitive = IsOn(view->CaseCheckBox());
			break;
		case 'whwr':
			wholeWord = IsOn(view->WholeWordCheckBox());
			break;
		case 'wrap':
			wrap = IsOn(view->WrapCheckBox());
			break;
		default:
			KWindow::MessageReceived(message);
	}
}

bool KFinder::HasKeyboard(const BTextControl* field) const
{
	return CurrentFocus() == static_cast<BView*>(field->TextView());
}

// The search is the editor window's: its thread edits the text.
void KFinder::Command(bool findOnce, bool replace)
{
	once = findOnce;
	replacing = replace;
	if (parent != nullptr)
		parent->PostMessage(kFindFirst);
}

bool KFinder::QuitRequested()
{
	if (!IsHidden())
		Hide();
	return false;
}

void KFinder::Quit()
{
	Lock();
	BWindow::Quit();
}

// #pragma mark - Searching

std::string KFinder::FindText() const
{
	BAutolock lock(const_cast<KFinder*>(this));
	return view->FindField()->Text();
}

std::string KFinder::ReplaceText() const
{
	BAutolock lock(const_cast<KFinder*>(this));
	return view->ReplaceField()->Text();
}

FindPattern KFinder::Compare() const
{
	BAutolock lock(const_cast<KFinder*>(this));
	FindPattern pattern(view->FindField()->Text(), caseSensitive, wholeWord);
	AdaptPattern(pattern);
	return pattern;
}

KFinder::Request KFinder::TakeRequest() const
{
	BAutolock lock(const_cast<KFinder*>(this));
	return Request{Compare(), view->ReplaceField()->Text(), once, replacing, wrap};
}

void KFinder::Reset()
{
	matchEnd = 0;
}

bool KFinder::FindFirst()
{
	Reset();
	if (Lock()) {
		if (!IsHidden())
			Hide();
		Unlock();
	}
	return Find();
}

bool KFinder::FindAgain()
{
	return Find();
}

BLooper* KFinder::TextLooper() const
{
	return SearchedView()->Window();
}

std::string_view KFinder::SearchedText() const
{
	BTextView* view = SearchedView();
	return std::string_view(view->Text(), view->TextLength());
}

int32 KFinder::SearchedLength() const
{
	return SearchedView()->TextLength();
}

void KFinder::ShowMatch(int32 start, int32 end)
{
	BTextView* view = SearchedView();
	view->Select(start, end);
	view->ScrollToSelection();
}

void KFinder::TakeCommand(uint32 command)
{
	if (command == 'find')
		ShowInFront();
	else if (command == kFindFirst)
		FindFirst();
	else if (command == 'fnda')
		FindAgain();
}

bool KFinder::Find()
{
	Request request = TakeRequest();
	BAutolock lock(TextLooper());
	if (!lock.IsLocked())
		return false;
	bool found = !request.once && request.replacing ? ReplaceAll(request) : FindOne(request);
	if (!found)
		NotFound();
	return found;
}

// One match from the end of the last one, or with wrap on, from the top
// when there is none below it.
bool KFinder::FindOne(const Request& request)
{
	std::string_view text = SearchedText();
	int32 start = 0;
	int32 end = 0;
	bool found = NextMatch(text, matchEnd, request.pattern, &start, &end);
	if (!found && request.wrap && matchEnd > 0) {
		Reset();
		found = NextMatch(text, 0, request.pattern, &start, &end);
	}
	if (!found)
		return false;
	matchEnd = end;
	ShowMatch(start, end);
	if (request.replacing) {
		BeginReplacing(start, end);
		matchEnd = TypeOver(start, end, request.replacement);
		EndReplacing(start, matchEnd);
		ShowMatch(matchEnd, matchEnd);
	}
	return true;
}

// The matches are those of the text as it stands: found in one pass from
// the end of the last match to the end of the text, then typed over from
// the last to the first, so that the offsets of those still to be typed
// over stay as they were found. No match is looked for in a replacement,
// however often it holds the searched text, and none is replaced twice.
bool KFinder::ReplaceAll(const Request& request)
{
	std::vector<Match> matches;
	std::string_view text = SearchedText();
	for (int32 from = matchEnd, start = 0, end = 0;
			NextMatch(text, from, request.pattern, &start, &end); from = end)
		matches.push_back(Match{start, end});
	if (matches.empty())
		return false;
	BeginReplacing(matches.front().start, matches.back().end);
	int32 lastEnd = 0;
	int32 growthBefore = 0;
	for (auto match = matches.rbegin(); match != matches.rend(); ++match) {
		int32 length = SearchedLength();
		int32 end = TypeOver(match->start, match->end, request.replacement);
		if (match == matches.rbegin())
			lastEnd = end;
		else
			growthBefore += SearchedLength() - length;
	}
	lastEnd += growthBefore;
	EndReplacing(matches.front().start, lastEnd);
	matchEnd = lastEnd;
	ShowMatch(lastEnd, lastEnd);
	std::string count = std::to_string(matches.size()) + " replaced";
	Tell(count.c_str());
	return true;
}

// The first match at or after from that the text allows there. The
// boundary before each position is carried along, not read back.
bool KFinder::NextMatch(std::string_view text, int32 from, const FindPattern& pattern,
	int32* start, int32* end) const
{
	if (pattern.IsEmpty() || from < 0)
		return false;
	size_t offset = UTF8::Boundary(text, std::min(static_cast<size_t>(from), text.size()));
	bool wordBefore = pattern.IsWordCharacterBefore(text, offset);
	while (offset < text.size()) {
		int32 length = pattern.Compare(text, offset, !wordBefore);
		if (length > 0 && MayMatch(static_cast<int32>(offset), static_cast<int32>(offset) + length)) {
			*start = static_cast<int32>(offset);
			*end = static_cast<int32>(offset) + length;
			return true;
		}
		size_t characterLength = 0;
		wordBefore = FindPattern::IsWordCharacter(pattern.CharacterAt(text, offset,
			&characterLength));
		offset += characterLength;
	}
	return false;
}

bool KFinder::MayMatch(int32, int32) const
{
	return true;
}

void KFinder::AdaptPattern(FindPattern&) const
{
}

// The beep stays: the status bar may be out of sight.
void KFinder::NotFound()
{
	beep();
	Tell("not found");
}

void KFinder::Tell(const char* text) const
{
	auto* window = dynamic_cast<PageWindow*>(parent);
	if (window == nullptr || !window->Lock())
		return;
	window->BottomBar()->SetText(text);
	window->Unlock();
}
