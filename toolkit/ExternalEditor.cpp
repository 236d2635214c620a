#include "ExternalEditor.h"

#include <dirent.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

#include <FindDirectory.h>
#include <Path.h>

#include "ProgramCommand.h"

namespace {

std::string Variable(const char* name)
{
	const char* value = getenv(name);
	return value != nullptr ? value : "";
}

std::string BaseName(const std::string& path)
{
	size_t slash = path.rfind('/');
	return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The program an Exec line starts: its first word, quotes taken off.
std::string ExecProgram(const std::string& exec)
{
	if (!exec.empty() && exec[0] == '"') {
		size_t end = exec.find('"', 1);
		return exec.substr(1, end == std::string::npos ? std::string::npos : end - 1);
	}
	return exec.substr(0, exec.find(' '));
}

// What a desktop entry says of a program named program: whether it runs in
// a terminal; nothing when the entry starts another program.
std::optional<bool> EntrySays(const std::string& path, const std::string& program)
{
	std::ifstream file(path);
	bool inMainGroup = false;
	bool starts = false;
	bool terminal = false;
	for (std::string line; std::getline(file, line);) {
		if (!line.empty() && line[0] == '[') {
			inMainGroup = line == "[Desktop Entry]";
			continue;
		}
		if (!inMainGroup)
			continue;
		if (line.starts_with("Exec="))
			starts = BaseName(ExecProgram(line.substr(5))) == program;
		else if (line.starts_with("Terminal="))
			terminal = line.substr(9) == "true";
	}
	return starts ? std::optional<bool>(terminal) : std::nullopt;
}

// The folders desktop entries are found in, the user's first.
std::vector<std::string> EntryFolders()
{
	std::vector<std::string> folders;
	BPath home;
	if (find_directory(B_USER_DATA_DIRECTORY, &home) == B_OK)
		folders.push_back(std::string(home.Path()) + "/applications");
	std::string system = Variable("XDG_DATA_DIRS");
	if (system.empty())
		system = "/usr/local/share:/usr/share";
	std::stringstream list(system);
	for (std::string folder; std::getline(list, folder, ':');) {
		if (!folder.empty())
			folders.push_back(folder + "/applications");
	}
	return folders;
}

} // namespace

ExternalEditor::Environment ExternalEditor::OfProcess()
{
	return Environment{Variable("VISUAL"), Variable("EDITOR"), Variable("TERMINAL"),
		IsTerminalProgram};
}

std::vector<std::string> ExternalEditor::CommandFor(const char* configured,
	const std::string& file, const Environment& environment)
{
	if (configured != nullptr && configured[0] != '\0')
		return {configured, file};
	std::vector<std::string> editor = ProgramCommand::Words(environment.visual);
	if (editor.empty())
		editor = ProgramCommand::Words(environment.editor);
	if (editor.empty())
		return {"xdg-open", file};
	editor.push_back(file);
	if (environment.isTerminalProgram && !environment.isTerminalProgram(editor[0]))
		return editor;
	std::vector<std::string> command = ProgramCommand::Words(environment.terminal);
	if (command.empty())
		command.push_back("x-terminal-emulator");
	command.push_back("-e");
	command.insert(command.end(), editor.begin(), editor.end());
	return command;
}

bool ExternalEditor::IsTerminalProgram(const std::string& program)
{
	std::string name = BaseName(program);
	for (const std::string& folder : EntryFolders()) {
		DIR* directory = opendir(folder.c_str());
		if (directory == nullptr)
			continue;
		std::optional<bool> said;
		while (dirent* entry = readdir(directory)) {
			std::string file = entry->d_name;
			if (file.ends_with(".desktop"))
				said = EntrySays(folder + "/" + file, name);
			if (said)
				break;
		}
		closedir(directory);
		if (said)
			return *said;
	}
	return true;
}

status_t ExternalEditor::Open(const char* configured, const std::string& file,
	std::string* program)
{
	std::vector<std::string> command = CommandFor(configured, file, OfProcess());
	if (program != nullptr)
		*program = command[0];
	return ProgramCommand::Start(command);
}
