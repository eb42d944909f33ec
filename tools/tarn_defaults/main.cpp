// tarn_defaults <folder> [--chinese]
// Writes the default settings files a first start copies into the data folder: Profile\ with
// ConfigInfo.cfg and Profile1.cfg .. Profile5.cfg, Macro.cfg, Language.cfg and Sts.cfg. The
// default button names and the language id follow the skin: English unless --chinese.
#include <cstdio>
#include <cstring>
#include <string>

#include "base/file_system.h"
#include "base/text.h"
#include "tools/tarn_defaults/installed_defaults.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: tarn_defaults <folder> [--chinese]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder;
    bool chinese = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--chinese") == 0) {
            chinese = true;
        } else if (argv[i][0] == '-' || !folder.empty()) {
            return Usage();
        } else {
            folder = argv[i];
        }
    }
    if (folder.empty()) return Usage();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    const tarn::DefaultsResult result =
        tarn::WriteInstalledDefaults(tarn::PlatformFileSystem(), tarn::FromUtf8(folder), chinese);
    if (!result) {
        std::fprintf(stderr, "tarn_defaults: cannot write %s\n",
                     tarn::ToUtf8(result.failedPath).c_str());
        return 1;
    }
    return 0;
}
