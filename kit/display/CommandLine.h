#ifndef _VELMORA_COMMAND_LINE_H
#define _VELMORA_COMMAND_LINE_H

#include <string>
#include <vector>

namespace BPrivate {

// The arguments the process was started with (argv[0] first), read from
// /proc/self/cmdline so that code far from main() can see them.
std::vector<std::string> ProcessArguments();

} // namespace BPrivate

#endif
