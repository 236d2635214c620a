#include "ErrorAlert.h"

#include <atomic>
#include <cstdio>
#include <string>

#include <Alert.h>

namespace {

void WriteToStandardError(const char* text)
{
	fprintf(stderr, "%s\n", text);
}

std::atomic<error_alert_handler> sHandler{WriteToStandardError};

void ShowInAlertWindow(const char* text)
{
	(new BAlert("Alert", text, "OK", nullptr, nullptr, B_WIDTH_AS_USUAL, B_WARNING_ALERT))->Go();
}

} // namespace

void ErrorAlert(const char* piece1, const char* piece2, const char* piece3, const char* piece4,
	const char* piece5, const char* piece6, const char* piece7, const char* piece8)
{
	std::string text;
	for (const char* piece : {piece1, piece2, piece3, piece4, piece5, piece6, piece7, piece8}) {
		if (piece != nullptr)
			text += piece;
	}
	sHandler.load()(text.c_str());
}

error_alert_handler SetErrorAlertHandler(error_alert_handler handler)
{
	return sHandler.exchange(handler != nullptr ? handler : WriteToStandardError);
}

void UseAlertWindowsForErrors()
{
	SetErrorAlertHandler(ShowInAlertWindow);
}
