#include <Window.h>

#include <algorithm>
#include <cmath>

#include <AppPrivate.h>
#include <Button.h>
#include <DisplayServer.h>
#include <Message.h>
#include <Screen.h>
#include <View.h>
#include <WindowPrivate.h>

#include "window_support/EventMessages.h"
#include "window_support/InputRouting.h"
#include "window_support/UpdateDrawing.h"
#include "window_support/ViewAttachment.h"
#include "window_support/WindowFeels.h"
#include "window_support/ViewTree.h"
#include "window_support/WindowAccess.h"
#include "window_support/WindowDirectory.h"
#include "window_support/WindowPulse.h"
#include "window_support/WindowSurface.h"

using BPrivate::DisplayServer;
using BPrivate::WindowData;
using BPrivate::WindowDirectory;

namespace {

// How long the display waits for room in a full queue before it drops an
// event: a hung window must not stall every other window.
const bigtime_t kEventPostTimeout = 100000;

thread_local BWindow* sDispatchingWindow = nullptr;

window_look LookOf(window_type type)
{
	switch (type) {
		case B_MODAL_WINDOW: return B_MODAL_WINDOW_LOOK;
		case B_DOCUMENT_WINDOW: return B_DOCUMENT_WINDOW_LOOK;
		case B_BORDERED_WINDOW: return B_BORDERED_WINDOW_LOOK;
		case B_FLOATING_WINDOW: return B_FLOATING_WINDOW_LOOK;
		default: return B_TITLED_WINDOW_LOOK;
	}
}

window_feel FeelOf(window_type type)
{
	switch (type) {
		case B_MODAL_WINDOW: return B_MODAL_APP_WINDOW_FEEL;
		case B_FLOATING_WINDOW: return B_FLOATING_APP_WINDOW_FEEL;
		default: return B_NORMAL_WINDOW_FEEL;
	}
}

} // namespace

// Construction and the end.

BWindow::BWindow(BRect frame, const char* title, window_type type, uint32 flags,
	uint32 workspace)
	: BLooper(title),
	  fData(std::make_unique<WindowData>())
{
	_Init(frame, title, LookOf(type), FeelOf(type), flags, workspace);
}

BWindow::BWindow(BRect frame, const char* title, window_look look, window_feel feel,
	uint32 flags, uint32 workspace)
	: BLooper(title),
	  fData(std::make_unique<WindowData>())
{
	_Init(frame, title, look, feel, flags, workspace);
}

void BWindow::_Init(BRect frame, const char* title, window_look look, window_feel feel,
	uint32 flags, uint32 workspace)
{
	WindowData& data = *fData;
	data.title = title != nullptr ? title : "";
	data.frame = frame;
	data.look = look;
	data.feel = feel;
	data.flags = flags;
	data.workspaces = workspace;

	BMessenger self(this);
	const BWindow* key = this;  // compared by the catchers, never followed
	data.display = DisplayServer::Default()->OpenWindow(BPrivate::SpecOf(this),
		[self, key](const BPrivate::DisplayEvent& event) {
			BMessage message = BPrivate::MessageForEvent(event);
			if (BPrivate::CatchInput(key, message))
				return;
			self.SendMessage(&message, static_cast<BHandler*>(nullptr), kEventPostTimeout);
		});
	WindowDirectory::Enter(this, self, data.display);
	WindowDirectory::SetFrame(this, frame);
	WindowDirectory::SetFeel(this, feel, data.subset);

	data.topView = std::make_unique<BView>(Bounds(), "_topview_", B_FOLLOW_ALL,
		B_WILL_DRAW);
	BPrivate::AttachTree(data.topView.get(), this);

	// The editing shortcuts every BeOS window has.
	AddShortcut('X', B_COMMAND_KEY, new BMessage(B_CUT), nullptr);
	AddShortcut('C', B_COMMAND_KEY, new BMessage(B_COPY), nullptr);
	AddShortcut('V', B_COMMAND_KEY, new BMessage(B_PASTE), nullptr);
	AddShortcut('A', B_COMMAND_KEY, new BMessage(B_SELECT_ALL), nullptr);
	if ((flags & B_NOT_CLOSABLE) == 0)
		AddShortcut('W', B_COMMAND_KEY, new BMessage(B_QUIT_REQUESTED), this);
	BPrivate::RegisterWindowLooper(this);
}

BWindow::~BWindow()
{
	WindowData& data = *fData;
	data.pulseRunner.reset();
	if (data.topView != nullptr) {
		BPrivate::DetachTree(data.topView.get());
		data.topView.reset();
	}
	DisplayServer::Default()->CloseWindow(data.display);
	BPrivate::SetInputCatcher(this, BPrivate::InputCatcher());
	WindowDirectory::Leave(this);
	BPrivate::UnregisterWindowLooper(this);
}

thread_id BWindow::Run()
{
	thread_id thread = BLooper::Run();
	if (thread >= 0 && Lock()) {
		BPrivate::RefreshPulse(this);
		Unlock();
	}
	return thread;
}

void BWindow::Quit()
{
	if (!IsLocked() && !Lock())
		return;
	while (!IsHidden())
		Hide();
	fData->pulseRunner.reset();
	BLooper::Quit();
}

// Messages.

void BWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	BWindow* outer = sDispatchingWindow;
	sDispatchingWindow = this;
	WindowData& data = *fData;
	bool handled = false;
	if (handler == this) {
		handled = true;
		switch (message->what) {
			case BPrivate::kUpdateMessage:
				data.updatePending = false;
				break;
			case B_WINDOW_ACTIVATED:
			{
				bool active = false;
				if (message->FindBool("active", &active) == B_OK && active != data.active) {
					data.active = active;
					if (active)
						WindowDirectory::BringToFront(this);
					WindowActivated(active);
					BPrivate::ForEachView(data.topView.get(),
						[active](BView* view) { view->WindowActivated(active); });
				}
				break;
			}
			case B_WINDOW_RESIZED:
			{
				float width = 0;
				float height = 0;
				if (message->FindFloat("width", &width) == B_OK
					&& message->FindFloat("height", &height) == B_OK) {
					BPrivate::ApplyWindowSize(this, width, height);
					FrameResized(width, height);
				}
				break;
			}
			case B_WINDOW_MOVED:
			{
				BPoint where;
				if (message->FindPoint("where", &where) == B_OK) {
					data.frame.OffsetTo(where);
					WindowDirectory::SetFrame(this, data.frame);
					data.display->SetSpec(BPrivate::SpecOf(this));
					FrameMoved(where);
				}
				break;
			}
			case B_PULSE:
				BPrivate::PulseViews(this);
				break;
			case B_ZOOM:
				Zoom(Frame().LeftTop(), Frame().Width(), Frame().Height());
				break;
			case B_MINIMIZE:
			{
				bool minimize = true;
				message->FindBool("minimize", &minimize);
				Minimize(minimize);
				break;
			}
			default:
				handled = BPrivate::RouteInput(this, message);
				break;
		}
	}
	if (!handled)
		BLooper::DispatchMessage(message, handler);
	// Drawing after every one of a burst of messages would redraw the same
	// pixels many times over; the last of the burst draws them once.
	if (!IsMessageWaiting() || BPrivate::FrameIsDue(this))
		UpdateIfNeeded();
	sDispatchingWindow = outer;
}

void BWindow::MessageReceived(BMessage* message)
{
	BLooper::MessageReceived(message);
}

// Hooks.

void BWindow::FrameMoved(BPoint) {}
void BWindow::FrameResized(float, float) {}
void BWindow::WindowActivated(bool) {}
void BWindow::WorkspacesChanged(uint32, uint32) {}
void BWindow::MenusBeginning() {}
void BWindow::MenusEnded() {}

void BWindow::Zoom(BPoint, float, float)
{
	// Zooming fills the screen, as BeOS's default does.
	if (fData->flags & B_NOT_ZOOMABLE)
		return;
	BRect screen = BScreen(this).Frame();
	MoveTo(screen.LeftTop() + BPoint(5, 25));
	ResizeTo(screen.Width() - 10, screen.Height() - 30);
}

void BWindow::Minimize(bool minimize)
{
	if (minimize == fData->minimized)
		return;
	fData->minimized = minimize;
	if (minimize)
		Hide();
	else
		Show();
}

// Showing.

void BWindow::Show()
{
	if (!Lock())
		return;
	WindowData& data = *fData;
	if (--data.showLevel == 0) {
		data.display->SetSpec(BPrivate::SpecOf(this));
		WindowDirectory::SetShown(this, true);
		DisplayServer::Default()->UpdateWindow(data.display);
		DisplayServer::Default()->ShowWindow(data.display, true);
		// A hidden window draws nothing: all of it is due now.
		BPrivate::AddDirty(this, BRegion(Bounds()));
		data.changed.Include(Bounds());
	}
	bool running = Thread() >= 0;
	Unlock();
	if (!running)
		Run();
}

void BWindow::Hide()
{
	if (!Lock())
		return;
	WindowData& data = *fData;
	if (++data.showLevel == 1) {
		WindowDirectory::SetShown(this, false);
		DisplayServer::Default()->ShowWindow(data.display, false);
	}
	Unlock();
}

bool BWindow::IsHidden() const
{
	return fData->showLevel > 0;
}

bool BWindow::IsMinimized() const
{
	return fData->minimized;
}

void BWindow::Activate(bool active)
{
	if (IsHidden())
		return;
	if (active)
		WindowDirectory::BringToFront(this);
	DisplayServer::Default()->ActivateWindow(fData->display, active);
}

bool BWindow::IsActive() const
{
	return fData->active;
}

// Title, frame and kind.

void BWindow::SetTitle(const char* title)
{
	fData->title = title != nullptr ? title : "";
	SetName(fData->title.c_str());
	fData->display->SetSpec(BPrivate::SpecOf(this));
	DisplayServer::Default()->UpdateWindow(fData->display);
}

const char* BWindow::Title() const
{
	return fData->title.c_str();
}

BRect BWindow::Frame() const
{
	return fData->frame;
}

BRect BWindow::Bounds() const
{
	return fData->frame.OffsetToCopy(B_ORIGIN);
}

void BWindow::MoveTo(BPoint point)
{
	if (point == fData->frame.LeftTop())
		return;
	fData->frame.OffsetTo(point);
	WindowDirectory::SetFrame(this, fData->frame);
	fData->display->SetSpec(BPrivate::SpecOf(this));
	DisplayServer::Default()->UpdateWindow(fData->display);
}

void BWindow::MoveTo(float x, float y)
{
	MoveTo(BPoint(x, y));
}

void BWindow::MoveBy(float dx, float dy)
{
	MoveTo(fData->frame.LeftTop() + BPoint(dx, dy));
}

void BWindow::ResizeTo(float width, float height)
{
	WindowData& data = *fData;
	width = std::clamp(width, data.minWidth, std::max(data.minWidth, data.maxWidth));
	height = std::clamp(height, data.minHeight, std::max(data.minHeight, data.maxHeight));
	if (width == data.frame.Width() && height == data.frame.Height())
		return;
	BPrivate::ApplyWindowSize(this, width, height);
	data.display->SetSpec(BPrivate::SpecOf(this));
	DisplayServer::Default()->UpdateWindow(data.display);
}

void BWindow::ResizeBy(float dx, float dy)
{
	ResizeTo(fData->frame.Width() + dx, fData->frame.Height() + dy);
}

void BWindow::CenterOnScreen()
{
	BRect screen = BScreen(this).Frame();
	BRect frame = Frame();
	MoveTo(std::floor(screen.left + (screen.Width() - frame.Width()) / 2),
		std::floor(screen.top + (screen.Height() - frame.Height()) / 2));
}

void BWindow::SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight)
{
	WindowData& data = *fData;
	data.minWidth = std::max(minWidth, 0.0f);
	data.maxWidth = std::max(maxWidth, data.minWidth);
	data.minHeight = std::max(minHeight, 0.0f);
	data.maxHeight = std::max(maxHeight, data.minHeight);
	data.display->SetSpec(BPrivate::SpecOf(this));
	DisplayServer::Default()->UpdateWindow(data.display);
}

void BWindow::GetSizeLimits(float* minWidth, float* maxWidth, float* minHeight,
	float* maxHeight) const
{
	if (minWidth != nullptr)
		*minWidth = fData->minWidth;
	if (maxWidth != nullptr)
		*maxWidth = fData->maxWidth;
	if (minHeight != nullptr)
		*minHeight = fData->minHeight;
	if (maxHeight != nullptr)
		*maxHeight = fData->maxHeight;
}

window_look BWindow::Look() const
{
	return fData->look;
}

window_feel BWindow::Feel() const
{
	return fData->feel;
}

uint32 BWindow::Flags() const
{
	return fData->flags;
}

status_t BWindow::SetLook(window_look look)
{
	fData->look = look;
	fData->display->SetSpec(BPrivate::SpecOf(this));
	DisplayServer::Default()->UpdateWindow(fData->display);
	return B_OK;
}

status_t BWindow::SetFeel(window_feel feel)
{
	fData->feel = feel;
	WindowDirectory::SetFeel(this, feel, fData->subset);
	fData->display->SetSpec(BPrivate::SpecOf(this));
	DisplayServer::Default()->UpdateWindow(fData->display);
	return B_OK;
}

status_t BWindow::SetFlags(uint32 flags)
{
	fData->flags = flags;
	fData->display->SetSpec(BPrivate::SpecOf(this));
	DisplayServer::Default()->UpdateWindow(fData->display);
	return B_OK;
}

uint32 BWindow::Workspaces() const
{
	return fData->workspaces;
}

void BWindow::SetWorkspaces(uint32 workspaces)
{
	uint32 before = fData->workspaces;
	fData->workspaces = workspaces;
	if (before != workspaces)
		WorkspacesChanged(before, workspaces);
}

status_t BWindow::AddToSubset(BWindow* window)
{
	WindowData& data = *fData;
	if (window == nullptr || window == this
		|| (data.feel != B_MODAL_SUBSET_WINDOW_FEEL && data.feel != B_FLOATING_SUBSET_WINDOW_FEEL))
		return B_BAD_VALUE;
	if (std::find(data.subset.begin(), data.subset.end(), window) == data.subset.end())
		data.subset.push_back(window);
	WindowDirectory::SetFeel(this, data.feel, data.subset);
	return B_OK;
}

status_t BWindow::RemoveFromSubset(BWindow* window)
{
	WindowData& data = *fData;
	auto found = std::find(data.subset.begin(), data.subset.end(), window);
	if (found == data.subset.end())
		return B_BAD_VALUE;
	data.subset.erase(found);
	WindowDirectory::SetFeel(this, data.feel, data.subset);
	return B_OK;
}

bool BWindow::IsModal() const
{
	return BPrivate::IsModalFeel(fData->feel);
}

bool BWindow::IsFloating() const
{
	return BPrivate::IsFloatingFeel(fData->feel);
}

// Views.

void BWindow::AddChild(BView* child, BView* before)
{
	fData->topView->AddChild(child, before);
}

bool BWindow::RemoveChild(BView* child)
{
	return fData->topView->RemoveChild(child);
}

int32 BWindow::CountChildren() const
{
	return fData->topView->CountChildren();
}

BView* BWindow::ChildAt(int32 index) const
{
	return fData->topView->ChildAt(index);
}

BView* BWindow::FindView(const char* name) const
{
	return fData->topView->FindView(name);
}

BView* BWindow::FindView(BPoint point) const
{
	BView* view = BPrivate::ViewAt(fData->topView.get(), point);
	return view == fData->topView.get() ? nullptr : view;
}

BView* BWindow::CurrentFocus() const
{
	return fData->focus;
}

BView* BWindow::LastMouseMovedView() const
{
	return fData->mouseView;
}

void BWindow::ConvertToScreen(BPoint* point) const
{
	*point = ConvertToScreen(*point);
}

BPoint BWindow::ConvertToScreen(BPoint point) const
{
	return point + fData->frame.LeftTop();
}

void BWindow::ConvertFromScreen(BPoint* point) const
{
	*point = ConvertFromScreen(*point);
}

BPoint BWindow::ConvertFromScreen(BPoint point) const
{
	return point - fData->frame.LeftTop();
}

void BWindow::ConvertToScreen(BRect* rect) const
{
	*rect = ConvertToScreen(*rect);
}

BRect BWindow::ConvertToScreen(BRect rect) const
{
	return rect.OffsetByCopy(fData->frame.LeftTop());
}

void BWindow::ConvertFromScreen(BRect* rect) const
{
	*rect = ConvertFromScreen(*rect);
}

BRect BWindow::ConvertFromScreen(BRect rect) const
{
	return rect.OffsetByCopy(-fData->frame.LeftTop());
}

// Updates.

void BWindow::UpdateIfNeeded()
{
	if (!IsLocked())
		return;
	WindowData& data = *fData;
	if (data.updatesDisabled == 0 && !IsHidden() && !data.inUpdate)
		BPrivate::DrawUpdate(this);
	Flush();
}

bool BWindow::NeedsUpdate() const
{
	return fData->dirty.CountRects() > 0;
}

void BWindow::BeginViewTransaction()
{
	fData->transactions++;
}

void BWindow::EndViewTransaction()
{
	if (fData->transactions == 0)
		return;
	if (--fData->transactions == 0)
		Flush();
}

void BWindow::DisableUpdates()
{
	fData->updatesDisabled++;
}

void BWindow::EnableUpdates()
{
	if (fData->updatesDisabled == 0)
		return;
	if (--fData->updatesDisabled == 0)
		UpdateIfNeeded();
}

void BWindow::Flush() const
{
	BPrivate::PublishChanges(const_cast<BWindow*>(this));
}

void BWindow::Sync() const
{
	Flush();
}

// Pulses and shortcuts.

void BWindow::SetPulseRate(bigtime_t rate)
{
	fData->pulseRate = std::max<bigtime_t>(rate, 0);
	BPrivate::RefreshPulse(this);
}

bigtime_t BWindow::PulseRate() const
{
	return fData->pulseRate;
}

void BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message)
{
	AddShortcut(key, modifiers, message, nullptr);
}

void BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message, BHandler* target)
{
	if (message == nullptr)
		return;
	fData->shortcuts.Add(key, modifiers, message, target);
}

void BWindow::RemoveShortcut(uint32 key, uint32 modifiers)
{
	fData->shortcuts.Remove(key, modifiers);
}

bool BWindow::HasShortcut(uint32 key, uint32 modifiers)
{
	return fData->shortcuts.Has(key, modifiers);
}

void BWindow::SetDefaultButton(BButton* button)
{
	BButton* before = fData->defaultButton;
	if (button == before)
		return;
	fData->defaultButton = button;
	// Each button draws its ring from its own flag.
	if (before != nullptr)
		before->MakeDefault(false);
	if (button != nullptr)
		button->MakeDefault(true);
}

BButton* BWindow::DefaultButton() const
{
	return fData->defaultButton;
}

void BWindow::SetKeyMenuBar(BView* bar)
{
	fData->keyMenuBar = bar;
}

BView* BWindow::KeyMenuBar() const
{
	return fData->keyMenuBar;
}

// The private hooks.

BWindow* BPrivate::DispatchingWindow()
{
	return sDispatchingWindow;
}

status_t BPrivate::WaitKeepingWindowUpdated(const std::function<bool()>& done, bigtime_t timeout)
{
	BWindow* window = sDispatchingWindow;
	bigtime_t deadline = timeout == B_INFINITE_TIMEOUT ? B_INFINITE_TIMEOUT
		: system_time() + timeout;
	while (!done()) {
		if (system_time() >= deadline)
			return B_TIMED_OUT;
		if (window != nullptr)
			window->UpdateIfNeeded();
		snooze(20000);
	}
	return B_OK;
}
