#ifndef VELMORA_TESTS_SCOPED_ENVIRONMENT_H
#define VELMORA_TESTS_SCOPED_ENVIRONMENT_H

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Environment variables changed for as long as the object lives; what was
// there before is put back when it goes.
class ScopedEnvironment {
public:
	ScopedEnvironment() = default;
	ScopedEnvironment(const ScopedEnvironment&) = delete;
	ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

	~ScopedEnvironment()
	{
		for (auto saved = fSaved.rbegin(); saved != fSaved.rend(); ++saved) {
			if (saved->second)
				setenv(saved->first.c_str(), saved->second->c_str(), 1);
			else
				unsetenv(saved->first.c_str());
		}
	}

	void Set(const char* name, const std::string& value)
	{
		Save(name);
		setenv(name, value.c_str(), 1);
	}

	void Unset(const char* name)
	{
		Save(name);
		unsetenv(name);
	}

private:
	void Save(const char* name)
	{
		const char* value = getenv(name);
		fSaved.emplace_back(name, value != nullptr ? std::optional<std::string>(value)
			: std::nullopt);
	}

	std::vector<std::pair<std::string, std::optional<std::string>>> fSaved;
};

#endif
