#include "tools/tarnctl/arguments.h"

#include <limits>

namespace tarnctl {

namespace {

const OptionSpec* FindSpec(std::span<const OptionSpec> specs, const std::string& name) {
    for (const OptionSpec& spec : specs) {
        if (name == spec.name) return &spec;
    }
    return nullptr;
}

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

}  // namespace

const std::string* ParsedArgs::Value(const std::string& name) const {
    auto it = options.find(name);
    return it == options.end() ? nullptr : &it->second;
}

std::optional<std::string> ParseArguments(std::span<const std::string> args,
                                          std::span<const OptionSpec> specs, ParsedArgs& out) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            out.positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            out.help = true;
            continue;
        }
        if (arg.rfind("--", 0) != 0) return "unknown option " + arg;
        std::string name = arg.substr(2);
        std::optional<std::string> inlineValue;
        if (const size_t eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        const OptionSpec* spec = FindSpec(specs, name);
        if (!spec) return "unknown option --" + name;
        if (out.Has(name)) return "--" + name + " is given twice";
        if (!spec->takesValue) {
            if (inlineValue) return "--" + name + " takes no value";
            out.options[name] = "";
            continue;
        }
        if (inlineValue) {
            out.options[name] = *inlineValue;
        } else if (i + 1 < args.size()) {
            out.options[name] = args[++i];
        } else {
            return "--" + name + " needs a value";
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> ParseNumber(const std::string& text) {
    int base = 10;
    size_t start = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        start = 2;
    }
    if (start >= text.size()) return std::nullopt;
    uint64_t value = 0;
    for (size_t i = start; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        if (value > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

}  // namespace tarnctl
