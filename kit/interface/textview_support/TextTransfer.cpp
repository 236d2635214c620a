#include "TextTransfer.h"

#include <Message.h>
#include <TypeConstants.h>

namespace BPrivate {

const char* const kPlainTextType = "text/plain";
const char* const kTextRunsType = "application/x-vnd.Be-text_run_array";

status_t AddTextData(BMessage* message, const std::string& text, const text_run_array* runs)
{
	status_t status = message->AddData(kPlainTextType, B_MIME_TYPE, text.data(),
		static_cast<ssize_t>(text.size()));
	if (status != B_OK || runs == nullptr || runs->count <= 0)
		return status;
	std::string flat = FlattenRunArray(runs);
	return message->AddData(kTextRunsType, B_MIME_TYPE, flat.data(),
		static_cast<ssize_t>(flat.size()));
}

bool FindTextData(const BMessage* message, std::string* text, RunArrayPointer* runs)
{
	const void* data = nullptr;
	ssize_t size = 0;
	if (message == nullptr || message->FindData(kPlainTextType, B_MIME_TYPE, &data, &size) != B_OK
		|| size < 0)
		return false;
	text->assign(static_cast<const char*>(data), static_cast<size_t>(size));
	runs->reset();
	// A text view's text is a C string: NUL bytes from other programs go,
	// and with them the runs, whose offsets they would shift.
	size_t before = text->size();
	std::erase(*text, '\0');
	if (text->size() != before)
		return true;
	if (message->FindData(kTextRunsType, B_MIME_TYPE, &data, &size) == B_OK && size > 0)
		runs->reset(UnflattenRunArray(data, static_cast<size_t>(size)));
	return true;
}

} // namespace BPrivate
