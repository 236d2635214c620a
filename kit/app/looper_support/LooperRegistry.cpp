#include "LooperRegistry.h"

#include <map>
#include <mutex>

namespace BPrivate {

namespace {

struct Entry {
	BLooper* looper;
	std::shared_ptr<LooperPort> port;
};

struct Tables {
	std::mutex lock;
	std::map<int32, Entry> byToken;
	std::map<const BLooper*, int32> tokenOf;
};

// Never destroyed: loopers may still leave it while the process exits.
Tables& TheTables()
{
	static Tables* tables = new Tables;
	return *tables;
}

} // namespace

void LooperRegistry::Add(BLooper* looper, int32 token, std::shared_ptr<LooperPort> port)
{
	Tables& tables = TheTables();
	std::lock_guard<std::mutex> lock(tables.lock);
	tables.byToken[token] = Entry{looper, std::move(port)};
	tables.tokenOf[looper] = token;
}

void LooperRegistry::Remove(const BLooper* looper)
{
	Tables& tables = TheTables();
	std::lock_guard<std::mutex> lock(tables.lock);
	auto found = tables.tokenOf.find(looper);
	if (found == tables.tokenOf.end())
		return;
	tables.byToken.erase(found->second);
	tables.tokenOf.erase(found);
}

std::shared_ptr<LooperPort> LooperRegistry::PortFor(const BLooper* looper)
{
	Tables& tables = TheTables();
	std::lock_guard<std::mutex> lock(tables.lock);
	auto found = tables.tokenOf.find(looper);
	if (found == tables.tokenOf.end())
		return nullptr;
	return tables.byToken[found->second].port;
}

std::shared_ptr<LooperPort> LooperRegistry::PortFor(int32 token, BLooper** looper)
{
	Tables& tables = TheTables();
	std::lock_guard<std::mutex> lock(tables.lock);
	auto found = tables.byToken.find(token);
	if (found == tables.byToken.end())
		return nullptr;
	if (looper != nullptr)
		*looper = found->second.looper;
	return found->second.port;
}

bool LooperRegistry::IsLooperValid(const BLooper* looper)
{
	Tables& tables = TheTables();
	std::lock_guard<std::mutex> lock(tables.lock);
	return tables.tokenOf.count(looper) != 0;
}

status_t LooperRegistry::Lock(const BLooper* looper, bigtime_t timeout)
{
	std::shared_ptr<LooperPort> port = PortFor(looper);
	if (port == nullptr)
		return B_BAD_VALUE;
	// The looper may be deleted while this thread waits: the port outlives
	// it and the wait then fails with B_BAD_VALUE.
	return port->lock.Acquire(timeout);
}

} // namespace BPrivate
