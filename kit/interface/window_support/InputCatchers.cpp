#include <WindowPrivate.h>

#include <map>
#include <mutex>

namespace BPrivate {

namespace {

struct Catchers {
	// Held while a catcher runs, so that removing one waits for it.
	std::mutex lock;
	std::map<const BWindow*, InputCatcher> byWindow;
};

Catchers& TheCatchers()
{
	static Catchers* catchers = new Catchers;
	return *catchers;
}

} // namespace

void SetInputCatcher(const BWindow* window, InputCatcher catcher)
{
	Catchers& catchers = TheCatchers();
	std::lock_guard<std::mutex> guard(catchers.lock);
	if (catcher)
		catchers.byWindow[window] = std::move(catcher);
	else
		catchers.byWindow.erase(window);
}

bool CatchInput(const BWindow* window, const BMessage& input)
{
	Catchers& catchers = TheCatchers();
	std::lock_guard<std::mutex> guard(catchers.lock);
	auto found = catchers.byWindow.find(window);
	return found != catchers.byWindow.end() && found->second(input);
}

} // namespace BPrivate
