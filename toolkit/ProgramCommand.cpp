#include "ProgramCommand.h"

namespace {

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

} // namespace

namespace ProgramCommand {

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

} // namespace ProgramCommand
