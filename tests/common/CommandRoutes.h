#ifndef VELMORA_TESTS_COMMAND_ROUTES_H
#define VELMORA_TESTS_COMMAND_ROUTES_H

#include <initializer_list>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <AppPrivate.h>
#include <Looper.h>
#include <Message.h>

namespace PageTesting {

// Where the commands with the given codes go: each is noted with the
// looper it reached and kept from its handler, so that nothing is done.
class Routes {
public:
	using Seen = std::vector<std::pair<BLooper*, uint32>>;

	explicit Routes(std::set<uint32> codes)
		: fCodes(std::move(codes))
	{
		BPrivate::SetDispatchObserver([this](BLooper* looper, BMessage* message) {
			if (fCodes.count(message->what) == 0)
				return false;
			std::lock_guard<std::mutex> guard(fLock);
			fSeen.emplace_back(looper, message->what);
			return true;
		});
	}

	~Routes() { BPrivate::SetDispatchObserver(nullptr); }

	// What was noted since the last call, once the loopers are idle.
	Seen Take(std::initializer_list<BLooper*> loopers)
	{
		for (BLooper* looper : loopers)
			BPrivate::WaitForLooperIdle(looper, 5000000);
		std::lock_guard<std::mutex> guard(fLock);
		return std::exchange(fSeen, {});
	}

private:
	std::set<uint32> fCodes;
	std::mutex fLock;
	Seen fSeen;
};

// A command code as it is written: 'save'.
inline std::string Code(uint32 code)
{
	char text[5] = {char(code >> 24), char(code >> 16), char(code >> 8), char(code), 0};
	return text;
}

} // namespace PageTesting

#endif
