#ifndef VELMORA_ERROR_ALERT_H
#define VELMORA_ERROR_ALERT_H

// The program's error alert: a modal alert titled "Alert" with one "OK"
// button, whose text is the given pieces joined in order, null pieces left
// out (so a missing name simply disappears from the message).
//
// The toolkit only joins the text; showing it is up to the handler the
// application installs (the windowed program shows an alert). Until one is
// installed, and after SetErrorAlertHandler(nullptr), the text goes to
// standard error followed by a newline, which is what batch commands want.
// Any thread may call ErrorAlert; the handler runs on the calling thread.

typedef void (*error_alert_handler)(const char* text);

void ErrorAlert(const char* piece1, const char* piece2 = nullptr, const char* piece3 = nullptr,
	const char* piece4 = nullptr, const char* piece5 = nullptr, const char* piece6 = nullptr,
	const char* piece7 = nullptr, const char* piece8 = nullptr);

// Installs handler (null: the default) and returns the one it replaces.
error_alert_handler SetErrorAlertHandler(error_alert_handler handler);

// What the windowed program calls at start: from then on every error is a
// modal alert titled "Alert" with one button "OK", and ErrorAlert returns
// when the user has dismissed it (a calling window keeps drawing).
void UseAlertWindowsForErrors();

#endif
