#ifndef VELMORA_PROGRAM_COMMAND_H
#define VELMORA_PROGRAM_COMMAND_H

#include <string>
#include <vector>

#include <SupportDefs.h>

// A program the user names by a command, as $BROWSER, $VISUAL and $EDITOR
// do ("firefox", "code --wait", "emacsclient -c %s"), turned into the
// argument vector it is started with: never through a shell, so that a
// file path with spaces, quotes, ";", "$()" or a leading "-" reaches the
// program as one argument, and nothing in it is run.
namespace ProgramCommand {

// The command's words: split at blanks; quotes and backslashes group and
// escape as a shell would, and nothing else is interpreted.
std::vector<std::string> Words(const std::string& command);
// The command's words, with every "%s" word replaced by argument, or
// argument added last when no word is "%s". Empty for a command without
// words.
std::vector<std::string> Arguments(const std::string& command, const std::string& argument);
// Starts the program arguments[0] (looked up in PATH) with the rest as its
// arguments; B_OK, or why it could not be started.
status_t Start(const std::vector<std::string>& arguments);

} // namespace ProgramCommand

#endif
