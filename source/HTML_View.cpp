#include "HTML_View.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include <Clipboard.h>
#include <Message.h>
#include <OS.h>
#include <Window.h>

#include "HWindow.h"
#include "WindowedPage.h"
#include "page_support/PageText.h"

namespace {

const uint32 kColorSlice = 'hcsl';
// Ranges up to this long are coloured at once, longer ones a slice at a
// time.
constexpr int32 kColorAtOnce = 16 << 10;
constexpr int32 kSliceBytes = 16 << 10;
// How long one slice may keep the window from its other messages.
constexpr bigtime_t kSliceTime = 4000;
constexpr float kInset = 5;

// The view's text as the colouring reads it: in ranges, so that colouring
// after a keystroke does not move the text about.
class ViewText : public SourceColorizer::Text {
public:
	explicit ViewText(const BTextView& view) : fView(view) {}

	int32 Length() const override { return fView.TextLength(); }
	std::string_view Range(int32 from, int32 to, std::string& scratch) const override
	{
		return fView.TextRange(from, to, scratch);
	}

private:
	const BTextView& fView;
};

BRect TextRectIn(float width, float height)
{
	return BRect(kInset, kInset, width - kInset, height - kInset);
}

} // namespace

HTML_View::HTML_View(BRect frame, HWindow* window)
	:
	BTextView(frame, "HTML text view", TextRectIn(frame.Width(), frame.Height()),
		B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_NAVIGABLE),
	htmlWindow(window),
	colors(SourceColorTable::Default()),
	blockCount(0),
	blockedFrom(-1),
	slicePosted(false),
	takingFileText(false)
{
	SetStylable(true);
	SetDoesUndo(true);
	BFont font(be_fixed_font);
	SetFontAndColor(&font, B_FONT_ALL, &colors[SOURCE_TEXT]);
}

// #pragma mark - Keys

void HTML_View::KeyDown(const char* bytes, int32 numBytes)
{
	if (bytes == nullptr || numBytes <= 0)
		return;
	BMessage* message = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
	const char* pressed = nullptr;
	bool fromKey = message != nullptr && message->what == B_KEY_DOWN
		&& message->FindString("bytes", &pressed) == B_OK
		&& strlen(pressed) == static_cast<size_t>(numBytes)
		&& memcmp(pressed, bytes, numBytes) == 0;
	int32 modifiers = 0;
	if (fromKey)
		message->FindInt32("modifiers", &modifiers);

	if (bytes[0] == B_FUNCTION_KEY) {
		int32 key = 0;
		if (fromKey && message->FindInt32("key", &key) == B_OK && key == B_F10_KEY)
			Window()->PostMessage('shww');
		return;
	}
	if (bytes[0] == B_INSERT && numBytes == 1) {
		if ((modifiers & B_CONTROL_KEY) != 0)
			Copy(be_clipboard);
		else if ((modifiers & B_SHIFT_KEY) != 0)
			Paste(be_clipboard);
		return;
	}
	BTextView::KeyDown(bytes, numBytes);
}

bool HTML_View::CanEndLine(int32 offset)
{
	uint8 byte = ByteAt(offset);
	return byte == ' ' || byte == '\t' || byte == '\n';
}

// Lines wrap to the view's width.
void HTML_View::FrameResized(float width, float height)
{
	SetTextRect(TextRectIn(width, height));
	BTextView::FrameResized(width, height);
}

void HTML_View::MessageReceived(BMessage* message)
{
	if (message->what == kColorSlice) {
		ColorizeSlice();
		return;
	}
	BTextView::MessageReceived(message);
}

// #pragma mark - Edits

// Text comes in as plain source: styles brought along are dropped, and
// CR LF and lone CR line ends (from other programs, from old Mac files)
// become LF.
void HTML_View::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array*)
{
	if (text == nullptr || length <= 0)
		return;
	std::string_view incoming(text, length);
	std::string lines;
	if (incoming.find('\r') != std::string_view::npos) {
		lines = PageText::NormalizeLineEnds(incoming);
		incoming = lines;
	}
	int32 before = TextLength();
	offset = std::clamp(offset, 0, before);
	bool settled = IsSettledAtUnlessBlocked(offset);
	BTextView::InsertText(incoming.data(), static_cast<int32>(incoming.size()), offset, nullptr);
	int32 inserted = TextLength() - before;
	if (inserted <= 0)
		return;
	backlog.Inserted(offset, inserted);
	Edited();
	ColorizeEdit(offset, offset + inserted, settled);
}

void HTML_View::DeleteText(int32 start, int32 finish)
{
	int32 before = TextLength();
	start = std::clamp(start, 0, before);
	finish = std::clamp(finish, start, before);
	if (start >= finish)
		return;
	bool settled = IsSettledAtUnlessBlocked(finish);
	BTextView::DeleteText(start, finish);
	int32 removed = before - TextLength();
	if (removed <= 0)
		return;
	backlog.Removed(start, start + removed);
	Edited();
	ColorizeEdit(start, start, settled);
}

void HTML_View::SetFileText(const std::string& text)
{
	takingFileText = true;
	SetText(text.c_str(), static_cast<int32>(text.size()));
	takingFileText = false;
}

void HTML_View::Edited()
{
	if (htmlWindow != nullptr && !takingFileText)
		htmlWindow->Changed();
}

// #pragma mark - Colouring

void HTML_View::BlockColorize()
{
	if (!LockLooper())
		return;
	blockCount++;
	UnlockLooper();
}

void HTML_View::UnblockColorize()
{
	if (!LockLooper())
		return;
	if (blockCount > 0 && --blockCount == 0) {
		if (blockedFrom >= 0)
			backlog.Add(std::min(blockedFrom, TextLength()), TextLength());
		blockedFrom = -1;
		if (!backlog.IsEmpty()) {
			ColorizeVisible();
			ScheduleSlice();
		}
	}
	UnlockLooper();
}

void HTML_View::Colorize(int32 from, int32 to)
{
	ColorizeEdit(from, to, false);
}

// What an edit leaves behind it may be coloured anew as far as the next
// tag; while colouring is blocked, everything behind it waits.
void HTML_View::ColorizeEdit(int32 from, int32 to, bool settled)
{
	if (IsStopping() || !LockLooper())
		return;
	int32 length = TextLength();
	from = std::clamp(from, 0, length);
	to = std::clamp(to, from, length);
	if (blockCount > 0) {
		blockedFrom = blockedFrom < 0 ? from : std::min(blockedFrom, from);
	} else if (to - from <= kColorAtOnce) {
		ColorizeNow(from, to, settled);
	} else {
		// A long insertion waits to be coloured a slice at a time; what
		// it changed around it is coloured right away: the tag or entity
		// before it, as far as into the insertion's first tag, and the
		// text behind it.
		backlog.Add(from, to);
		ColorizeNow(from, from, false);
		ColorizeNow(to, to, settled);
		ColorizeVisible();
		ScheduleSlice();
	}
	UnlockLooper();
}

// While colouring is blocked an edit is only remembered: the look back
// for the construct it is in, as long as the text before it has no tag,
// would make every edit of a long series cost the text before it.
bool HTML_View::IsSettledAtUnlessBlocked(int32 offset) const
{
	return blockCount == 0 && IsSettledAt(offset);
}

bool HTML_View::IsSettledAt(int32 offset) const
{
	ViewText text(*this);
	return SourceColorizer(text).IsSettledAt(offset);
}

void HTML_View::ColorizeNow(int32 from, int32 to, bool settled)
{
	ViewText text(*this);
	SourceColorizer::Stretch stretch = SourceColorizer(text).Colorize(from, to, settled,
		sourceRuns);
	backlog.Remove(stretch.start, stretch.end);
	if (stretch.start >= stretch.end)
		return;
	colorRuns.clear();
	for (const SourceColorRun& run : sourceRuns)
		colorRuns.push_back(color_run{run.offset - stretch.start, colors[run.color]});
	SetColorRuns(stretch.start, stretch.end, colorRuns.data(),
		static_cast<int32>(colorRuns.size()));
}

void HTML_View::ColorizeVisible()
{
	int32 first = 0;
	int32 last = 0;
	VisibleRange(&first, &last);
	int32 from = 0;
	int32 to = 0;
	while (backlog.Next(first, last, kSliceBytes, &from, &to) && from < last && to > first)
		ColorizeNow(from, to, true);
}

// One slice: what is in view first, then the rest in order, for a few
// milliseconds; then the window's other messages come before the next.
void HTML_View::ColorizeSlice()
{
	slicePosted = false;
	if (blockCount > 0 || IsStopping() || IsHidden())
		return;
	bigtime_t deadline = system_time() + kSliceTime;
	int32 first = 0;
	int32 last = 0;
	VisibleRange(&first, &last);
	int32 from = 0;
	int32 to = 0;
	while (backlog.Next(first, last, kSliceBytes, &from, &to)) {
		ColorizeNow(from, to, true);
		if (system_time() >= deadline)
			break;
	}
	if (!backlog.IsEmpty())
		ScheduleSlice();
}

// A big page's source is coloured while the user looks at it, not while
// the page is being built behind a window nobody has opened.
void HTML_View::ColorizeWaiting()
{
	if (blockCount > 0 || backlog.IsEmpty())
		return;
	ColorizeVisible();
	ScheduleSlice();
}

void HTML_View::ScheduleSlice()
{
	if (slicePosted)
		return;
	if (Window() == nullptr) {
		int32 from = 0;
		int32 to = 0;
		while (backlog.Next(0, 0, kSliceBytes, &from, &to))
			ColorizeNow(from, to, true);
		return;
	}
	slicePosted = Window()->PostMessage(kColorSlice, this) == B_OK;
}

// The text in view; none while the view is hidden (its lines are not
// wrapped then, and nobody sees it).
void HTML_View::VisibleRange(int32* first, int32* last) const
{
	*first = *last = 0;
	if (Window() == nullptr || IsHidden())
		return;
	BRect bounds = Bounds();
	*first = OffsetAt(bounds.LeftTop());
	int32 line = LineAt(BPoint(bounds.right, bounds.bottom));
	*last = line + 1 < CountLines() ? OffsetAt(line + 1) : TextLength();
}

bool HTML_View::IsStopping() const
{
	WindowedPage* page = htmlWindow != nullptr ? htmlWindow->MyPage() : nullptr;
	return page != nullptr && page->IsStopProcessing();
}
