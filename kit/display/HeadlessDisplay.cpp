#include <HeadlessDisplay.h>

namespace BPrivate {

void HeadlessDisplay::Run()
{
	std::unique_lock<std::mutex> lock(fLock);
	fQuitSignal.wait(lock, [this] { return fQuitPending; });
	fQuitPending = false;
}

void HeadlessDisplay::Quit()
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		fQuitPending = true;
	}
	fQuitSignal.notify_all();
}

void HeadlessDisplay::SetClipboardText(const std::string& text)
{
	std::lock_guard<std::mutex> lock(fLock);
	fClipboardText = text;
	fHasClipboardText = true;
}

bool HeadlessDisplay::GetClipboardText(std::string* text)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (!fHasClipboardText || text == nullptr)
		return false;
	*text = fClipboardText;
	return true;
}

void HeadlessDisplay::Beep()
{
	fBeeps++;
}

} // namespace BPrivate
