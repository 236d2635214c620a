#ifndef VELMORA_HTMLERROR_WINDOW_H
#define VELMORA_HTMLERROR_WINDOW_H

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include <Bitmap.h>
#include <Message.h>
#include <Messenger.h>

#include "KListWindow.h"
#include "VudavMessageType.h"

class KWindow;
class Visual_Element;
struct _node;

// The page's error list: the errors, warnings and notes the parser
// reports, each row with the icon of its kind. Each entry carries a
// message saying what it refers to: a range of the HTML window's text
// ("start", "finish"), a parsed node ("Node*") or an element
// ("Visual_Element*"). Invoking an entry selects its place in the HTML
// text through the range selector the page gives the list. Entries arrive
// as posted messages, so any thread may report.
class HTMLError_Window : public KListWindow {
public:
	// The span of HTML an element (or the element of a node) wrote last:
	// false when there is none. The element may be gone.
	using SpanFinder = std::function<bool(const Visual_Element* element, const _node* node,
		int32* start, int32* finish)>;
	using RangeSelector = std::function<void(int32 start, int32 finish)>;

	explicit HTMLError_Window(BRect frame);
	~HTMLError_Window() override;

	// Set before the window takes messages.
	void SetSpanFinder(SpanFinder finder) { spanFinder = std::move(finder); }
	void SetRangeSelector(RangeSelector selector) { rangeSelector = std::move(selector); }

	void MessageReceived(BMessage* message) override;

	void Add(long start, long finish, const char* text, VUDAV_message_type kind);
	void Add(const _node* node, const char* text, VUDAV_message_type kind);
	void Add(const Visual_Element* element, const char* text, VUDAV_message_type kind);
	void Remove(long start, long finish);
	void Remove(const _node* node);
	void Remove(const Visual_Element* element);

	// While blocked, new entries neither show the window nor move the
	// selection; they are held and posted together when the block ends (a
	// big page reports thousands at once).
	void BlockRefresh();
	void UnblockRefresh();
	bool IsRefreshBlocked() const { return refreshBlocked.load() > 0; }
	// Brings the window forward with the parser's count line selected.
	void ShowResult();
	// Empties the list, and selects and invokes the first entry that is an
	// error; both are posted, so they come in order with the entries
	// reported before them, whatever thread asks.
	void EmptyList();
	// Reports and results no longer bring the window forward.
	void StayHidden();
	void InvokeFirstError();
	// Once what was asked before is done, brings the window to the front:
	// the window the user works in gets the keyboard back from the list.
	void HandFrontTo(KWindow* window);

	// The list; called with the window locked.
	const char* ItemText(int32 index) const;
	const BMessage* ItemData(int32 index) const;
	VUDAV_message_type ItemKind(int32 index) const;
	// The icon the entry shows; null when it shows none.
	const BBitmap* ItemIcon(int32 index) const;
	int32 CurrentSelection() const;
	void InvokeItem(int32 index);
	// Selects the entry's place in the HTML window.
	void Invoked(const BMessage* data) override;

private:
	void LoadIcons();
	const BBitmap* IconOf(VUDAV_message_type kind) const;
	void Post(BMessage* data, const char* text, VUDAV_message_type kind);
	static void AppendEntry(BMessage& entries, BMessage* data, const char* text,
		VUDAV_message_type kind);
	// Under heldLock.
	void PostHeld();
	void RemoveMatching(const BMessage& data);
	void AddEntry(const BMessage* message);
	void SelectResultLine();

	static constexpr uint32 kSelectLast = 'slst';
	static constexpr int32 kHeldAtMost = 256;

	SpanFinder spanFinder;
	RangeSelector rangeSelector;
	std::atomic<int32> refreshBlocked;	// changes under heldLock
	std::mutex heldLock;
	std::unique_ptr<BMessage> held;	// the entries reported while blocked
	int32 heldCount = 0;
	std::mutex frontLock;
	BMessenger frontWindow;	// guarded by frontLock
	bool selectLastPending = false;	// on the window's thread
	bool stayHidden = false;		// under the window's lock
	// The rows point at these; null when the program's resources lack one.
	std::unique_ptr<BBitmap> errorIcon;
	std::unique_ptr<BBitmap> warningIcon;
	std::unique_ptr<BBitmap> noteIcon;
};

#endif
