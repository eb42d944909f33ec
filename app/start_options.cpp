#include "app/start_options.h"

#include "base/text.h"

namespace tarn {

namespace {

// "--name" or "/name", whatever the case.
bool IsSwitch(const std::u16string& argument, std::u16string_view name) {
    std::u16string_view rest = argument;
    if (rest.substr(0, 2) == u"--") {
        rest.remove_prefix(2);
    } else if (rest.substr(0, 1) == u"/") {
        rest.remove_prefix(1);
    } else {
        return false;
    }
    return EqualsIgnoreCase(rest, name);
}

}  // namespace

StartOptions ParseStartArguments(const std::vector<std::u16string>& arguments) {
    StartOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string& argument = arguments[i];
        if (IsSwitch(argument, u"simulate")) {
            options.simulate = true;
        } else if (IsSwitch(argument, u"tray")) {
            options.tray = true;
        } else if (IsSwitch(argument, u"gallery")) {
            options.gallery = true;
        } else if (IsSwitch(argument, u"skin") && i + 1 < arguments.size()) {
            options.gallerySkin = arguments[++i];
        } else if (IsSwitch(argument, u"chinese-ui")) {
            options.galleryChinese = true;
        }
    }
    return options;
}

}  // namespace tarn
