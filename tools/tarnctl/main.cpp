// tarnctl: the console companion of the Tarn utility. It reads and writes the settings files and
// drives the mouse through the same core as the program; see docs/tarnctl.md.
#include <string>
#include <vector>

#include "tools/tarnctl/commands.h"

#ifdef _WIN32
#include <windows.h>

#include "base/text.h"

// Wide arguments, so paths outside the ANSI code page arrive whole; output is UTF-8.
int wmain(int argc, wchar_t** argv) {
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view arg(argv[i]);
        args.push_back(tarn::ToUtf8(std::u16string(arg.begin(), arg.end())));
    }
    return tarnctl::RunTarnctl(args);
}
#else
int main(int argc, char** argv) {
    return tarnctl::RunTarnctl(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
