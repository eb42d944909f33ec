// The commands of tarnctl and how a command line reaches one of them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/tarnctl/arguments.h"

namespace tarnctl {

struct Command;
using CommandBody = int (*)(const Command& command, const ParsedArgs& args);

struct Command {
    const char* group;     // "profile", or "" for a command of one word
    const char* name;      // "show"
    const char* synopsis;  // what follows the name in a usage line
    const char* help;      // the description printed by --help
    std::vector<OptionSpec> options;
    size_t minPositionals;
    size_t maxPositionals;
    CommandBody run;
};

// The whole command list, in the order --help shows it.
const std::vector<Command>& Commands();

// Runs the words after the program name; returns the exit status.
int RunTarnctl(const std::vector<std::string>& args);

// The command's usage line and a hint on standard error after the problem; kExitUsage.
int BadUsage(const Command& command, std::string_view problem);

// The bodies, by file.
int ProfileShow(const Command& command, const ParsedArgs& args);
int ProfileDefault(const Command& command, const ParsedArgs& args);
int KeyMatrixCommand(const Command& command, const ParsedArgs& args);
int MacroList(const Command& command, const ParsedArgs& args);
int MacroEncode(const Command& command, const ParsedArgs& args);
int XmlCheck(const Command& command, const ParsedArgs& args);
int XmlGet(const Command& command, const ParsedArgs& args);
int ApplyCommand(const Command& command, const ParsedArgs& args);
int FirmwareCommand(const Command& command, const ParsedArgs& args);
int LinksList(const Command& command, const ParsedArgs& args);
int LinksAdd(const Command& command, const ParsedArgs& args);
int LinksRemove(const Command& command, const ParsedArgs& args);

}  // namespace tarnctl
