#ifndef _VELMORA_X11_CLIPBOARD_H
#define _VELMORA_X11_CLIPBOARD_H

#include <X11/Xlib.h>

#include <memory>
#include <string>

#include <SupportDefs.h>

namespace BPrivate {

// The X11 CLIPBOARD selection, with HTML beside the text: SDL offers only
// text. It runs on a connection of its own with an unmapped window of its
// own, so that SDL's event loop never sees its selection traffic and SDL's
// clipboard code, which is not used on X11 any more, cannot take the
// selection back. Owned, the selection answers TARGETS, TIMESTAMP,
// UTF8_STRING, "text/plain;charset=utf-8" and, when there is HTML,
// "text/html"; read, it asks another owner for the same.
//
// Used by the display thread only: Service() answers the requests that
// came in, and reads wait for their answer (a second at most) while
// answering requests of their own.
class X11Clipboard {
public:
	// Null when no X connection can be opened.
	static std::unique_ptr<X11Clipboard> Open();
	~X11Clipboard();

	X11Clipboard(const X11Clipboard&) = delete;
	X11Clipboard& operator=(const X11Clipboard&) = delete;

	// Takes the selection with these contents; an empty html offers no HTML.
	void Set(const std::string& text, const std::string& html);
	// False when nobody owns the selection or the owner has no such data.
	bool GetText(std::string* text);
	bool GetHTML(std::string* html);

	// Whether this process owns the selection: its requests must then be
	// answered soon.
	bool Owns() const { return fOwned; }
	// Answers every request that is waiting.
	void Service();

private:
	X11Clipboard(Display* display, Window window);
	Atom Intern(const char* name) const;
	Time ServerTime();
	bool Read(Atom target, std::string* data);
	bool WaitFor(int type, XEvent* event);
	bool ReadProperty(Atom property, std::string* data, Atom* type);
	bool ReadIncrementally(Atom property, std::string* data);
	void Handle(XEvent& event);
	void Answer(const XSelectionRequestEvent& request);
	bool Offer(const XSelectionRequestEvent& request, Atom target, Atom property);

	Display* fDisplay;
	Window fWindow;
	Atom fClipboard;
	Atom fTargets;
	Atom fTimestamp;
	Atom fUtf8;
	Atom fPlainUtf8;
	Atom fHTML;
	Atom fIncr;
	Atom fTransfer;
	Atom fClock;
	bool fOwned = false;
	Time fOwnedSince = CurrentTime;
	std::string fText;
	std::string fHTMLText;
};

} // namespace BPrivate

#endif
