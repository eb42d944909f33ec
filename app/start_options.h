// The program's command line: which mouse to talk to, whether to start hidden in the tray, and
// the control gallery that the tests use.
#pragma once

#include <string>
#include <vector>

namespace tarn {

struct StartOptions {
    bool simulate = false;  // --simulate: talk to the simulated mouse instead of the real one
    bool tray = false;      // --tray: start hidden in the tray (the Startup shortcut's start)
    bool gallery = false;   // --gallery [--skin name] [--chinese-ui]: the skinned controls alone
    std::u16string gallerySkin;
    bool galleryChinese = false;
};

// The arguments after the program's own name. Both "--" and "/" forms are taken, in any case;
// unknown arguments are ignored, so a shortcut made by a newer version still starts this one.
StartOptions ParseStartArguments(const std::vector<std::u16string>& arguments);

}  // namespace tarn
