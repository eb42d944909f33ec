#include "base/app_paths.h"

namespace tarn {

std::u16string programFolder;
std::u16string dataFolder;

std::u16string DataFolderFromTemp(std::u16string_view tempFolder) {
    std::u16string out(tempFolder);
    out += u"NIREL\\Tarn";
    return out;
}

std::u16string ProgramFolderFromModule(std::u16string_view modulePath) {
    const size_t cut = modulePath.rfind(u'\\');
    if (cut == std::u16string_view::npos) return std::u16string(modulePath);
    return std::u16string(modulePath.substr(0, cut));
}

}  // namespace tarn
