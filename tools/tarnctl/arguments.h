// The command line of one tarnctl command: positional words and --options, some of which take a
// value ("--slot 2" or "--slot=2"). Anything the command does not know is an error, so a typo
// never silently changes what runs.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarnctl {

struct OptionSpec {
    const char* name;  // without the leading dashes
    bool takesValue;
};

struct ParsedArgs {
    std::vector<std::string> positionals;
    std::map<std::string, std::string> options;  // flags map to ""
    bool help = false;

    bool Has(const std::string& name) const { return options.count(name) != 0; }
    const std::string* Value(const std::string& name) const;
};

// Fills out; returns the problem in words when the line does not fit the options. "--" ends the
// options, so a file whose name begins with a dash can still be named.
std::optional<std::string> ParseArguments(std::span<const std::string> args,
                                          std::span<const OptionSpec> specs, ParsedArgs& out);

// Whole-text numbers: decimal, or hexadecimal after "0x"; no sign, no blanks, nothing after.
std::optional<uint32_t> ParseNumber(const std::string& text);

}  // namespace tarnctl
