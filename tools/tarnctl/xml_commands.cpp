// xml check and xml get.
#include <string>

#include "base/file_system.h"
#include "base/text.h"
#include "i18n/language_file.h"
#include "i18n/xml_document.h"
#include "tools/tarnctl/commands.h"
#include "tools/tarnctl/output.h"

namespace tarnctl {

int XmlCheck(const Command&, const ParsedArgs& args) {
    tarn::XmlDocument document;
    const bool wellFormed = document.LoadXmlFile(tarn::FromUtf8(args.positionals[0]));
    Print(tarn::ToUtf8(document.LoadResult()) + "\n");
    return wellFormed ? kExitOk : kExitFailed;
}

int XmlGet(const Command&, const ParsedArgs& args) {
    const std::string& path = args.positionals[0];
    const std::u16string widePath = tarn::FromUtf8(path);
    // A broken file is still read as far as it goes; only a file that is not there is refused,
    // since an empty answer would not tell the two apart.
    if (!tarn::Files().Exists(widePath) || tarn::Files().IsDirectory(widePath)) {
        return Fail("cannot open " + path + ": no such file");
    }
    tarn::XmlDocument document;
    document.LoadXmlFile(widePath);
    const std::u16string text = tarn::GetConfigString(document, tarn::FromUtf8(args.positionals[1]),
                                                      tarn::FromUtf8(args.positionals[2]));
    Print(tarn::ToUtf8(text) + "\n");
    return kExitOk;
}

}  // namespace tarnctl
