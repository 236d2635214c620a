#include "ProgramCommand.h"

#include <unistd.h>

#include <OS.h>

namespace ProgramCommand {

std::vector<std::string> Words(const std::string& command)
{
	std::vector<std::string> words;
	std::string word;
	bool inWord = false;
	char quote = '\0';
	for (size_t i = 0; i < command.size(); i++) {
		char c = command[i];
		if (quote != '\0') {
			if (c == quote)
				quote = '\0';
			else if (c == '\\' && quote == '"' && i + 1 < command.size())
				word += command[++i];
			else
				word += c;
		} else if (c == ' ' || c == '\t' || c == '\n') {
			if (inWord)
				words.push_back(word);
			word.clear();
			inWord = false;
		} else {
			inWord = true;
			if (c == '\'' || c == '"')
				quote = c;
			else if (c == '\\' && i + 1 < command.size())
				word += command[++i];
			else
				word += c;
		}
	}
	if (inWord)
		words.push_back(word);
	return words;
}

std::vector<std::string> Arguments(const std::string& command, const std::string& argument)
{
	std::vector<std::string> arguments = Words(command);
	if (arguments.empty())
		return arguments;
	bool placed = false;
	for (size_t i = 1; i < arguments.size(); i++) {
		if (arguments[i] == "%s") {
			arguments[i] = argument;
			placed = true;
		}
	}
	if (!placed)
		arguments.push_back(argument);
	return arguments;
}

status_t Start(const std::vector<std::string>& arguments)
{
	std::vector<const char*> argv;
	for (const std::string& argument : arguments)
		argv.push_back(argument.c_str());
	argv.push_back(nullptr);
	thread_id team = load_image(static_cast<int32>(arguments.size()), argv.data(),
		const_cast<const char**>(environ));
	if (team < 0)
		return team;
	return resume_thread(team);
}

} // namespace ProgramCommand
