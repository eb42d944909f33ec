#include "tools/tarnctl/commands.h"

#include <cstdio>
#include <span>

#include "tools/tarnctl/output.h"

namespace tarnctl {

namespace {

constexpr char kOverview[] =
    "tarnctl looks inside the Nirel Tarn settings files and drives the mouse from a script.\n"
    "\n";

constexpr char kFooter[] =
    "\n"
    "'tarnctl COMMAND --help' describes a command. Exit status: 0 done, 1 failed (a file that\n"
    "is not what it should be, no mouse), 2 the mouse refused a step of an apply, 64 a wrong\n"
    "command line.\n";

std::string FullName(const Command& command) {
    std::string name = command.group;
    if (!name.empty()) name += ' ';
    return name + command.name;
}

std::string UsageLine(const Command& command) {
    return "usage: tarnctl " + FullName(command) + " " + command.synopsis + "\n";
}

std::string OverviewText() {
    std::string text = kOverview;
    text += "usage:\n";
    for (const Command& command : Commands()) {
        text += "  tarnctl " + FullName(command) + " " + command.synopsis + "\n";
    }
    return text + kFooter;
}

int BadTopLevel(std::string_view problem) {
    Error(problem);
    std::fputs(OverviewText().c_str(), stderr);
    return kExitUsage;
}

bool IsGroup(const std::string& word) {
    for (const Command& command : Commands()) {
        if (word == command.group) return true;
    }
    return false;
}

const Command* Find(const std::string& group, const std::string& name) {
    for (const Command& command : Commands()) {
        if (group == command.group && name == command.name) return &command;
    }
    return nullptr;
}

std::string GroupUsage(const std::string& group) {
    std::string text;
    for (const Command& command : Commands()) {
        if (group == command.group) text += UsageLine(command);
    }
    return text;
}

int RunCommand(const Command& command, std::span<const std::string> words) {
    ParsedArgs args;
    if (const auto problem = ParseArguments(words, command.options, args)) {
        return BadUsage(command, *problem);
    }
    if (args.help) {
        Print(UsageLine(command) + "\n" + command.help);
        return kExitOk;
    }
    if (args.positionals.size() < command.minPositionals) {
        return BadUsage(command, "too few arguments");
    }
    if (args.positionals.size() > command.maxPositionals) {
        return BadUsage(command, "unexpected argument " + args.positionals[command.maxPositionals]);
    }
    return command.run(command, args);
}

}  // namespace

int BadUsage(const Command& command, std::string_view problem) {
    Error(problem);
    const std::string text =
        UsageLine(command) + "try 'tarnctl " + FullName(command) + " --help'\n";
    std::fputs(text.c_str(), stderr);
    return kExitUsage;
}

int RunTarnctl(const std::vector<std::string>& args) {
    if (args.empty()) return BadTopLevel("no command given");
    const std::string& first = args[0];
    if (first == "--help" || first == "-h" || first == "help") {
        Print(OverviewText());
        return kExitOk;
    }
    const std::span<const std::string> all(args);
    if (IsGroup(first)) {
        if (args.size() < 2) return BadTopLevel("'" + first + "' needs a command");
        if (args[1] == "--help" || args[1] == "-h") {
            Print(GroupUsage(first) + kFooter);
            return kExitOk;
        }
        const Command* command = Find(first, args[1]);
        if (!command) return BadTopLevel("unknown command '" + first + " " + args[1] + "'");
        return RunCommand(*command, all.subspan(2));
    }
    const Command* command = Find("", first);
    if (!command) return BadTopLevel("unknown command '" + first + "'");
    return RunCommand(*command, all.subspan(1));
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"profile",
         "show",
         "[--json] FILE",
         "Decodes a profile file (22160 bytes) or an export file (30160 bytes: a profile, then\n"
         "the slot table, which is shown too). --json prints one JSON object whose keys are the\n"
         "record's field names.\n",
         {{"json", false}},
         1,
         1,
         ProfileShow},
        {"profile",
         "default",
         "[--chinese] OUT",
         "Writes a default profile to OUT, its button names in English, or in Chinese with\n"
         "--chinese.\n",
         {{"chinese", false}},
         1,
         1,
         ProfileDefault},
        {"",
         "keymatrix",
         "PROFILE [--macros MACRO.CFG] [--slots CONFIGINFO.CFG [--slot N]]",
         "Prints the 16 key-matrix words an apply would send for PROFILE, in 8-digit hex.\n"
         "A macro button needs the macro store (--macros) and its binding from the slot table\n"
         "(--slots; the slot that start-up would pick, or --slot N, 0..4); without them it is\n"
         "sent as unbound, with its default function.\n",
         {{"macros", true}, {"slots", true}, {"slot", true}},
         1,
         1,
         KeyMatrixCommand},
        {"macro",
         "list",
         "[--group G] MACRO.CFG",
         "One line per stored macro: slot, id, group, loop count, event count, name.\n"
         "--group G (1..21) lists one game group only.\n",
         {{"group", true}},
         1,
         1,
         MacroList},
        {"macro",
         "encode",
         "MACRO.CFG ID",
         "Encodes the stored macro ID (decimal, or hex after 0x) as the mouse receives it:\n"
         "the entry count, then the 512-byte block in hex.\n",
         {},
         2,
         2,
         MacroEncode},
        {"xml",
         "check",
         "FILE",
         "Loads an XML file as the program does and prints the load report. Exit status 0\n"
         "when the file is well formed, 1 otherwise.\n",
         {},
         1,
         1,
         XmlCheck},
        {"xml",
         "get",
         "FILE SECTION KEY",
         "Prints the text of element KEY in element SECTION under the root, as the program\n"
         "reads its language files; an empty line when there is none.\n",
         {},
         3,
         3,
         XmlGet},
        {"",
         "apply",
         "PROFILE [--macros MACRO.CFG] [--slots CONFIGINFO.CFG [--slot N]] [--pointer]\n"
         "               (--simulate [--log FILE] | --device)",
         "Runs the program's apply sequence for PROFILE against the simulated mouse\n"
         "(--simulate, protocol log to FILE with --log) or the real one (--device), printing\n"
         "the progress. The system's pointer options are set only with --pointer. Exit status\n"
         "2 with the failure's text when the mouse refuses a step.\n",
         {{"macros", true},
          {"slots", true},
          {"slot", true},
          {"pointer", false},
          {"simulate", false},
          {"log", true},
          {"device", false}},
         1,
         1,
         ApplyCommand},
        {"",
         "firmware",
         "(--simulate | --device)",
         "Prints the firmware version number of the simulated or the real mouse.\n",
         {{"simulate", false}, {"device", false}},
         0,
         0,
         FirmwareCommand},
        {"links",
         "list",
         "[--file FILE]",
         "Lists the programs that bring a profile to the front, one line each: the profile\n"
         "number 1..5, then the program's file name. The file is ProgramLinks.txt in the data\n"
         "folder, or FILE.\n",
         {{"file", true}},
         0,
         0,
         LinksList},
        {"links",
         "add",
         "SLOT PROGRAM [--file FILE]",
         "Links PROGRAM (a file name such as game.exe, or a path, of which the name is kept)\n"
         "to profile SLOT, 1..5. A program linked to several profiles brings the lowest one.\n",
         {{"file", true}},
         2,
         2,
         LinksAdd},
        {"links",
         "remove",
         "SLOT PROGRAM [--file FILE]",
         "Removes the link of PROGRAM to profile SLOT; exit status 1 when there is none.\n",
         {{"file", true}},
         2,
         2,
         LinksRemove},
    };
    return commands;
}

}  // namespace tarnctl
