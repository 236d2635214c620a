#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExternalEditor.h"
#include "ScopedEnvironment.h"
#include "TempDirectory.h"

namespace {

using Command = std::vector<std::string>;

bool TerminalOnlyVim(const std::string& program)
{
	return program == "vim";
}

struct EditorCase {
	const char* situation;
	const char* configured;
	ExternalEditor::Environment environment;
	Command command;
};

} // namespace

TEST(ExternalEditor, TheSettingThenTheUsersEditorInATerminalWhenItNeedsOneThenTheDesktop)
{
	const std::string file = "/pages/$VLM-a.html0.html";
	const EditorCase cases[] = {
		{"the settings' editor wins", "/opt/editor", {"vim", "nano", "", TerminalOnlyVim},
			{"/opt/editor", file}},
		{"VISUAL before EDITOR, in a terminal", nullptr, {"vim", "nano", "", TerminalOnlyVim},
			{"x-terminal-emulator", "-e", "vim", file}},
		{"the user's terminal", "", {"", "vim", "urxvt -hold", TerminalOnlyVim},
			{"urxvt", "-hold", "-e", "vim", file}},
		{"an editor with windows and arguments", nullptr,
			{"gedit --new-window", "", "", TerminalOnlyVim}, {"gedit", "--new-window", file}},
		{"a quoted path with spaces is one word", nullptr,
			{"'/opt/My Editor/edit' -n", "", "", TerminalOnlyVim},
			{"/opt/My Editor/edit", "-n", file}},
		{"no editor at all", nullptr, {"", "", "xterm", TerminalOnlyVim}, {"xdg-open", file}},
	};
	for (const EditorCase& row : cases) {
		EXPECT_EQ(ExternalEditor::CommandFor(row.configured, file, row.environment), row.command)
			<< row.situation;
	}
}

TEST(ExternalEditor, ADesktopEntryTellsAProgramWithWindowsFromATerminalProgram)
{
	TempDirectory data;
	mkdir((data / "applications").c_str(), 0755);
	data.Write("applications/writer.desktop",
		"[Desktop Entry]\nName=Writer\nExec=\"/opt/my writer/writer\" %F\nTerminal=false\n"
		"[Desktop Action New]\nExec=other\n");
	data.Write("applications/vi.desktop",
		"[Desktop Entry]\nName=Vi\nExec=vi %F\nTerminal=true\n");
	ScopedEnvironment environment;
	environment.Set("XDG_DATA_HOME", data.Path());
	environment.Set("XDG_DATA_DIRS", data / "none");
	EXPECT_FALSE(ExternalEditor::IsTerminalProgram("/usr/bin/writer"));
	EXPECT_TRUE(ExternalEditor::IsTerminalProgram("vi"));
	EXPECT_TRUE(ExternalEditor::IsTerminalProgram("other")) << "an action's Exec is not the entry's";
	EXPECT_TRUE(ExternalEditor::IsTerminalProgram("ed")) << "no entry: a terminal program";
}
