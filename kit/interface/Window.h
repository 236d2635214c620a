#ifndef _WINDOW_H
#define _WINDOW_H

#include <memory>

#include <InterfaceDefs.h>
#include <Looper.h>
#include <Rect.h>

class BButton;
class BMessage;
class BView;

namespace BPrivate {
struct WindowData;
class WindowAccess;
}

enum window_type {
	B_UNTYPED_WINDOW = 0,
	B_TITLED_WINDOW = 1,
	B_MODAL_WINDOW = 3,
	B_DOCUMENT_WINDOW = 11,
	B_BORDERED_WINDOW = 20,
	B_FLOATING_WINDOW = 21
};

enum window_look {
	B_BORDERED_WINDOW_LOOK = 20,
	B_NO_BORDER_WINDOW_LOOK = 19,
	B_TITLED_WINDOW_LOOK = 1,
	B_DOCUMENT_WINDOW_LOOK = 11,
	B_MODAL_WINDOW_LOOK = 3,
	B_FLOATING_WINDOW_LOOK = 7
};

// Of a fixed type, so that the kit's own feels (such as menus') beyond
// these are values of it too.
enum window_feel : int32 {
	B_NORMAL_WINDOW_FEEL = 0,
	B_MODAL_SUBSET_WINDOW_FEEL = 2,
	B_MODAL_APP_WINDOW_FEEL = 1,
	B_MODAL_ALL_WINDOW_FEEL = 3,
	B_FLOATING_SUBSET_WINDOW_FEEL = 5,
	B_FLOATING_APP_WINDOW_FEEL = 4,
	B_FLOATING_ALL_WINDOW_FEEL = 6
};

enum {
	B_NOT_MOVABLE = 0x00000001,
	B_NOT_CLOSABLE = 0x00000020,
	B_NOT_ZOOMABLE = 0x00000040,
	B_NOT_MINIMIZABLE = 0x00004000,
	B_NOT_RESIZABLE = 0x00000002,
	B_NOT_H_RESIZABLE = 0x00000004,
	B_NOT_V_RESIZABLE = 0x00000008,
	B_AVOID_FRONT = 0x00000080,
	B_AVOID_FOCUS = 0x00002000,
	B_WILL_ACCEPT_FIRST_CLICK = 0x00000010,
	B_OUTLINE_RESIZE = 0x00001000,
	B_NO_WORKSPACE_ACTIVATION = 0x00000100,
	B_NOT_ANCHORED_ON_ACTIVATE = 0x00020000,
	B_ASYNCHRONOUS_CONTROLS = 0x00080000,
	B_QUIT_ON_WINDOW_CLOSE = 0x00100000
};

// A looper with a tree of views and a drawing surface of its own. A window
// is created hidden and locked by its creator; the first Show() starts its
// thread. Frame() is the content area in screen coordinates, Bounds() the
// same area at (0, 0).
//
// Drawing: any thread holding the lock may draw through the views; the
// window thread draws pending updates (Invalidate) after every message, and
// then hands the changed pixels to the display. Between
// BeginViewTransaction and EndViewTransaction nothing is handed over.
//
// Input: keys go to the focus view (after the shortcuts), mouse messages to
// the view under the pointer (or the one that asked for pointer events);
// "where" is converted to that view's coordinates. A dropped message goes
// to the view under its drop point. A click activates an inactive window
// and is delivered too (first clicks are never swallowed). Input for a
// window that a shown modal window blocks activates the modal one instead.
//
// Locks: a window never takes another window's lock while it holds its
// own; it reaches other windows by messages only.
class BWindow : public BLooper {
public:
	BWindow(BRect frame, const char* title, window_type type, uint32 flags,
		uint32 workspace = B_CURRENT_WORKSPACE);
	BWindow(BRect frame, const char* title, window_look look, window_feel feel, uint32 flags,
		uint32 workspace = B_CURRENT_WORKSPACE);
	~BWindow() override;

	void Quit() override;
	void DispatchMessage(BMessage* message, BHandler* handler) override;
	void MessageReceived(BMessage* message) override;
	thread_id Run() override;

	virtual void FrameMoved(BPoint newPosition);
	virtual void FrameResized(float newWidth, float newHeight);
	virtual void WindowActivated(bool active);
	virtual void WorkspacesChanged(uint32 oldWorkspaces, uint32 newWorkspaces);
	virtual void MenusBeginning();
	virtual void MenusEnded();
	virtual void Zoom(BPoint origin, float width, float height);
	virtual void Minimize(bool minimize);

	// Nested: n Hide() calls take n Show() calls to undo.
	virtual void Show();
	virtual void Hide();
	bool IsHidden() const;
	bool IsMinimized() const;
	void Activate(bool active = true);
	bool IsActive() const;

	void SetTitle(const char* title);
	const char* Title() const;
	BRect Frame() const;
	BRect Bounds() const;
	void MoveTo(BPoint point);
	void MoveTo(float x, float y);
	void MoveBy(float dx, float dy);
	void ResizeTo(float width, float height);
	void ResizeBy(float dx, float dy);
	void CenterOnScreen();
	void SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight);
	void GetSizeLimits(float* minWidth, float* maxWidth, float* minHeight,
		float* maxHeight) const;

	window_look Look() const;
	window_feel Feel() const;
	uint32 Flags() const;
	status_t SetLook(window_look look);
	status_t SetFeel(window_feel feel);
	status_t SetFlags(uint32 flags);
	uint32 Workspaces() const;
	void SetWorkspaces(uint32 workspaces);
	// Subset windows: what a modal subset window blocks and what a floating
	// subset window floats over.
	status_t AddToSubset(BWindow* window);
	status_t RemoveFromSubset(BWindow* window);
	bool IsModal() const;
	bool IsFloating() const;

	void AddChild(BView* child, BView* before = NULL);
	bool RemoveChild(BView* child);
	int32 CountChildren() const;
	BView* ChildAt(int32 index) const;
	BView* FindView(const char* name) const;
	BView* FindView(BPoint point) const;
	BView* CurrentFocus() const;
	BView* LastMouseMovedView() const;

	void ConvertToScreen(BPoint* point) const;
	BPoint ConvertToScreen(BPoint point) const;
	void ConvertFromScreen(BPoint* point) const;
	BPoint ConvertFromScreen(BPoint point) const;
	void ConvertToScreen(BRect* rect) const;
	BRect ConvertToScreen(BRect rect) const;
	void ConvertFromScreen(BRect* rect) const;
	BRect ConvertFromScreen(BRect rect) const;

	// Draws pending updates now; from the window's thread (or a thread
	// holding its lock).
	void UpdateIfNeeded();
	bool NeedsUpdate() const;
	void BeginViewTransaction();
	void EndViewTransaction();
	void DisableUpdates();
	void EnableUpdates();
	// Hand what was drawn to the display (Sync also waits until it has it).
	void Flush() const;
	void Sync() const;

	// B_PULSE goes to every B_PULSE_NEEDED view at this rate (0: never).
	void SetPulseRate(bigtime_t rate);
	bigtime_t PulseRate() const;

	// Command-key shortcuts (Ctrl on Linux; a shortcut naming the control
	// key too takes Ctrl+Shift). The message goes to the target, or with a
	// null target to the focus view (the window when none). Every window
	// has Ctrl+X, C, V, A (B_CUT ... to the focus view) and, unless
	// B_NOT_CLOSABLE, Ctrl+W (B_QUIT_REQUESTED to itself).
	void AddShortcut(uint32 key, uint32 modifiers, BMessage* message);
	void AddShortcut(uint32 key, uint32 modifiers, BMessage* message, BHandler* target);
	void RemoveShortcut(uint32 key, uint32 modifiers);
	bool HasShortcut(uint32 key, uint32 modifiers);

	// The button that Enter invokes wherever the focus is (unless a
	// modifier is held or the button is disabled); null for none.
	void SetDefaultButton(BButton* button);
	BButton* DefaultButton() const;

	// The menu bar whose items' shortcuts the window answers.
	void SetKeyMenuBar(BView* bar);
	BView* KeyMenuBar() const;

private:
	friend class BView;
	friend class BPrivate::WindowAccess;

	void _Init(BRect frame, const char* title, window_look look, window_feel feel,
		uint32 flags, uint32 workspace);

	std::unique_ptr<BPrivate::WindowData> fData;
};

#endif
