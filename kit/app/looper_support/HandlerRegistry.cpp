#include "HandlerRegistry.h"

#include <map>
#include <mutex>

#include <Handler.h>

namespace BPrivate {

namespace {

struct Tables {
	std::mutex lock;
	std::map<int32, BHandler*> handlers;
	int32 nextToken = 1;
};

Tables& TheTables()
{
	static Tables* tables = new Tables;
	return *tables;
}

} // namespace

int32 HandlerRegistry::Add(BHandler* handler)
{
	Tables& tables = TheTables();
	std::lock_guard<std::mutex> lock(tables.lock);
	int32 token = tables.nextToken++;
	tables.handlers[token] = handler;
	return token;
}

void HandlerRegistry::Remove(int32 token)
{
	Tables& tables = TheTables();
	std::lock_guard<std::mutex> lock(tables.lock);
	tables.handlers.erase(token);
}

BHandler* HandlerRegistry::Find(int32 token)
{
	Tables& tables = TheTables();
	std::lock_guard<std::mutex> lock(tables.lock);
	auto found = tables.handlers.find(token);
	return found == tables.handlers.end() ? nullptr : found->second;
}

BHandler* HandlerRegistry::FindIn(int32 token, const BLooper* looper)
{
	Tables& tables = TheTables();
	std::lock_guard<std::mutex> lock(tables.lock);
	auto found = tables.handlers.find(token);
	if (found == tables.handlers.end() || found->second->Looper() != looper)
		return nullptr;
	return found->second;
}

} // namespace BPrivate
