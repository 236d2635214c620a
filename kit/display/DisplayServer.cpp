#include <DisplayServer.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include <CommandLine.h>
#include <HeadlessDisplay.h>

#include "SdlDisplay.h"

namespace BPrivate {

namespace {

std::atomic<bool> sHeadlessRequested{false};

} // namespace

bool DisplayServer::HeadlessWanted()
{
	if (sHeadlessRequested.load())
		return true;
	const char* variable = getenv("VELMORA_DISPLAY");
	if (variable != nullptr && strcmp(variable, "headless") == 0)
		return true;
	for (const std::string& argument : ProcessArguments()) {
		if (argument == "--headless")
			return true;
	}
	return false;
}

namespace {

// The desktop backend, or null when it cannot reach a screen; the process
// then goes on headless and says why.
std::unique_ptr<DisplayServer> MakeDesktopDisplay()
{
	std::string error;
	std::unique_ptr<SdlDisplay> desktop = SdlDisplay::Open(&error);
	if (desktop == nullptr)
		fprintf(stderr, "No desktop display (%s): running without windows.\n", error.c_str());
	return desktop;
}

DisplayServer* ChooseBackend()
{
	if (!DisplayServer::HeadlessWanted()) {
		if (std::unique_ptr<DisplayServer> desktop = MakeDesktopDisplay())
			return desktop.release();
	}
	return new HeadlessDisplay();
}

} // namespace

DisplayServer::~DisplayServer() = default;

DisplayServer* DisplayServer::Default()
{
	static DisplayServer* sDefault = ChooseBackend();
	return sDefault;
}

void DisplayServer::UseHeadless()
{
	sHeadlessRequested = true;
}

} // namespace BPrivate

namespace BPrivate {

void DisplayServer::GetMouse(BPoint* screenPoint, uint32* buttons) const
{
	std::lock_guard<std::mutex> guard(fMouseLock);
	if (screenPoint != nullptr)
		*screenPoint = fMousePoint;
	if (buttons != nullptr)
		*buttons = fMouseButtons;
}

void DisplayServer::NoteMouse(BPoint screenPoint, uint32 buttons)
{
	std::lock_guard<std::mutex> guard(fMouseLock);
	fMousePoint = screenPoint;
	fMouseButtons = buttons;
}

} // namespace BPrivate
