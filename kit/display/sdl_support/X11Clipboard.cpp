#include "X11Clipboard.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <vector>

#include <OS.h>

#include "ClipboardHTML.h"

namespace BPrivate {

namespace {

// How long a read waits for the owner's answer, and for each further piece
// of an incremental answer.
const bigtime_t kAnswerWait = 1000000;

// Properties are read in pieces of this many 32-bit units.
const long kReadUnits = 1 << 16;

Bool IsEventOf(Display*, XEvent* event, XPointer type)
{
	return event->type == static_cast<int>(reinterpret_cast<intptr_t>(type)) ? True : False;
}

} // namespace

std::unique_ptr<X11Clipboard> X11Clipboard::Open()
{
	Display* display = XOpenDisplay(nullptr);
	if (display == nullptr)
		return nullptr;
	XSetWindowAttributes attributes;
	attributes.event_mask = PropertyChangeMask;
	Window window = XCreateWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0,
		CopyFromParent, InputOnly, CopyFromParent, CWEventMask, &attributes);
	return std::unique_ptr<X11Clipboard>(new X11Clipboard(display, window));
}

X11Clipboard::X11Clipboard(Display* display, Window window)
	:
	fDisplay(display),
	fWindow(window),
	fClipboard(Intern("CLIPBOARD")),
	fTargets(Intern("TARGETS")),
	fTimestamp(Intern("TIMESTAMP")),
	fUtf8(Intern("UTF8_STRING")),
	fPlainUtf8(Intern("text/plain;charset=utf-8")),
	fHTML(Intern("text/html")),
	fIncr(Intern("INCR")),
	fTransfer(Intern("VELMORA_CLIPBOARD_TRANSFER")),
	fClock(Intern("VELMORA_CLIPBOARD_CLOCK"))
{
}

X11Clipboard::~X11Clipboard()
{
	XDestroyWindow(fDisplay, fWindow);
	XCloseDisplay(fDisplay);
}

Atom X11Clipboard::Intern(const char* name) const
{
	return XInternAtom(fDisplay, name, False);
}

// The selection is taken with the server's time, as the conventions ask:
// an empty append to a property of our window comes back with it.
Time X11Clipboard::ServerTime()
{
	unsigned char nothing = 0;
	XChangeProperty(fDisplay, fWindow, fClock, XA_STRING, 8, PropModeAppend, &nothing, 0);
	XEvent event;
	do {
		if (!WaitFor(PropertyNotify, &event))
			return CurrentTime;
	} while (event.xproperty.atom != fClock);
	return event.xproperty.time;
}

void X11Clipboard::Set(const std::string& text, const std::string& html)
{
	fText = text;
	fHTMLText = html;
	fOwnedSince = ServerTime();
	XSetSelectionOwner(fDisplay, fClipboard, fWindow, fOwnedSince);
	fOwned = XGetSelectionOwner(fDisplay, fClipboard) == fWindow;
	XFlush(fDisplay);
}

bool X11Clipboard::GetText(std::string* text)
{
	// Another program may have taken the selection since.
	Service();
	if (fOwned) {
		*text = fText;
		return true;
	}
	return Read(fUtf8, text) || Read(fPlainUtf8, text);
}

bool X11Clipboard::GetHTML(std::string* html)
{
	Service();
	if (fOwned) {
		*html = fHTMLText;
		return !fHTMLText.empty();
	}
	std::string data;
	if (!Read(fHTML, &data))
		return false;
	*html = ClipboardHTML::AsUtf8(data);
	return true;
}

void X11Clipboard::Service()
{
	while (XPending(fDisplay) > 0) {
		XEvent event;
		XNextEvent(fDisplay, &event);
		Handle(event);
	}
}

// Asks the owner to convert the selection into a property of our window
// and takes the property; an owner that sends it in pieces is followed.
// Without an owner the server itself answers at once, with no property.
bool X11Clipboard::Read(Atom target, std::string* data)
{
	XDeleteProperty(fDisplay, fWindow, fTransfer);
	XConvertSelection(fDisplay, fClipboard, target, fTransfer, fWindow, CurrentTime);
	XEvent event;
	if (!WaitFor(SelectionNotify, &event) || event.xselection.property == None)
		return false;
	Atom type = None;
	if (!ReadProperty(fTransfer, data, &type))
		return false;
	if (type == fIncr)
		return ReadIncrementally(fTransfer, data);
	return true;
}

// Waits for an event of the type on our connection, answering requests
// that come in meanwhile; false after a second without it.
bool X11Clipboard::WaitFor(int type, XEvent* event)
{
	XFlush(fDisplay);
	bigtime_t deadline = system_time() + kAnswerWait;
	while (true) {
		while (XPending(fDisplay) > 0) {
			if (XCheckIfEvent(fDisplay, event, IsEventOf,
					reinterpret_cast<XPointer>(static_cast<intptr_t>(type))))
				return true;
			XEvent other;
			XNextEvent(fDisplay, &other);
			Handle(other);
		}
		bigtime_t left = deadline - system_time();
		if (left <= 0)
			return false;
		pollfd connection = {ConnectionNumber(fDisplay), POLLIN, 0};
		poll(&connection, 1, static_cast<int>(left / 1000) + 1);
	}
}

bool X11Clipboard::ReadProperty(Atom property, std::string* data, Atom* type)
{
	data->clear();
	long offset = 0;
	while (true) {
		int format = 0;
		unsigned long count = 0;
		unsigned long after = 0;
		unsigned char* bytes = nullptr;
		if (XGetWindowProperty(fDisplay, fWindow, property, offset, kReadUnits, False,
				AnyPropertyType, type, &format, &count, &after, &bytes) != Success)
			return false;
		if (bytes != nullptr) {
			// Xlib hands 32-bit items as longs; only 8-bit data is text.
			if (format == 8)
				data->append(reinterpret_cast<char*>(bytes), count);
			XFree(bytes);
		}
		if (after == 0 || format != 8)
			break;
		offset += static_cast<long>(count / 4);
	}
	XDeleteProperty(fDisplay, fWindow, property);
	XFlush(fDisplay);
	return true;
}

// Each piece arrives as a new value of the property, which we delete to
// ask for the next; an empty piece ends the transfer.
bool X11Clipboard::ReadIncrementally(Atom property, std::string* data)
{
	data->clear();
	while (true) {
		XEvent event;
		do {
			if (!WaitFor(PropertyNotify, &event))
				return false;
		} while (event.xproperty.atom != property || event.xproperty.state != PropertyNewValue);
		std::string piece;
		Atom type = None;
		if (!ReadProperty(property, &piece, &type))
			return false;
		if (piece.empty())
			return true;
		data->append(piece);
	}
}

void X11Clipboard::Handle(XEvent& event)
{
	switch (event.type) {
		case SelectionRequest:
			Answer(event.xselectionrequest);
			break;
		case SelectionClear:
			if (event.xselectionclear.selection == fClipboard
					&& event.xselectionclear.window == fWindow) {
				fOwned = false;
				fText.clear();
				fHTMLText.clear();
			}
			break;
		default:
			break;
	}
}

// A requestor that names no property is an old one: the target's name is
// used. What cannot be given is refused with property None.
void X11Clipboard::Answer(const XSelectionRequestEvent& request)
{
	Atom property = request.property != None ? request.property : request.target;
	bool given = fOwned && request.selection == fClipboard
		&& Offer(request, request.target, property);
	XEvent reply;
	reply.xselection.type = SelectionNotify;
	reply.xselection.display = fDisplay;
	reply.xselection.requestor = request.requestor;
	reply.xselection.selection = request.selection;
	reply.xselection.target = request.target;
	reply.xselection.property = given ? property : None;
	reply.xselection.time = request.time;
	XSendEvent(fDisplay, request.requestor, False, NoEventMask, &reply);
	XFlush(fDisplay);
}

// Writes one target into the requestor's property. Data beyond the
// largest request the server takes is refused rather than sent in pieces:
// with big requests that is many megabytes of HTML.
bool X11Clipboard::Offer(const XSelectionRequestEvent& request, Atom target, Atom property)
{
	if (target == fTargets) {
		std::vector<Atom> targets = {fTargets, fTimestamp, fUtf8, fPlainUtf8};
		if (!fHTMLText.empty())
			targets.push_back(fHTML);
		XChangeProperty(fDisplay, request.requestor, property, XA_ATOM, 32, PropModeReplace,
			reinterpret_cast<unsigned char*>(targets.data()), static_cast<int>(targets.size()));
		return true;
	}
	if (target == fTimestamp) {
		long since = static_cast<long>(fOwnedSince);
		XChangeProperty(fDisplay, request.requestor, property, XA_INTEGER, 32, PropModeReplace,
			reinterpret_cast<unsigned char*>(&since), 1);
		return true;
	}
	const std::string* data = nullptr;
	if (target == fUtf8 || target == fPlainUtf8)
		data = &fText;
	else if (target == fHTML && !fHTMLText.empty())
		data = &fHTMLText;
	long limit = XExtendedMaxRequestSize(fDisplay);
	if (limit == 0)
		limit = XMaxRequestSize(fDisplay);
	// The limit counts 4-byte units and the request has a header of its own.
	if (data == nullptr || static_cast<long>(data->size()) > (limit - 64) * 4)
		return false;
	XChangeProperty(fDisplay, request.requestor, property, target, 8, PropModeReplace,
		reinterpret_cast<const unsigned char*>(data->data()), static_cast<int>(data->size()));
	return true;
}

} // namespace BPrivate
