#ifndef VELMORA_EXTERNAL_EDITOR_H
#define VELMORA_EXTERNAL_EDITOR_H

#include <functional>
#include <string>
#include <vector>

#include <SupportDefs.h>

// The program a page is handed to for editing elsewhere. The editor the
// settings name is started with the file. Without one, the user's own
// editor ($VISUAL, else $EDITOR, which may carry arguments, quoted as for
// a shell) is; it runs in a terminal ($TERMINAL, else x-terminal-emulator)
// when it is a terminal program, as the editors those variables name
// mostly are. Without any, the desktop opens the file with its own choice
// (xdg-open).
class ExternalEditor {
public:
	struct Environment {
		std::string visual;
		std::string editor;
		std::string terminal;
		// Whether a program shows no window of its own.
		std::function<bool(const std::string& program)> isTerminalProgram;
	};

	// The variables of this process, and IsTerminalProgram.
	static Environment OfProcess();
	// The command that opens file; configured is the settings' editor (null
	// or empty for none).
	static std::vector<std::string> CommandFor(const char* configured, const std::string& file,
		const Environment& environment);
	// A program is taken for a terminal program unless a desktop entry that
	// starts it says otherwise (Terminal=false, or no Terminal key): a
	// program with windows of its own comes with an entry, one that runs in
	// a terminal often without.
	static bool IsTerminalProgram(const std::string& program);
	// Starts the command of this process's environment; B_OK, or why it
	// could not be started.
	static status_t Open(const char* configured, const std::string& file,
		std::string* program = nullptr);
};

#endif
