// The system's file-save and file-open dialogs as the profile export and import use them, behind
// a small interface so the commands run without a window.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

// The filter as the user sees it: pairs of description and pattern, each ended by '|'.
inline constexpr std::u16string_view kProfileFileFilter = u"CFG Files(*.cfg)|*.cfg||";
// Appended when the user types a name without an extension.
inline constexpr std::u16string_view kProfileFileExtension = u"cfg";

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Each returns false when the user cancels; otherwise path holds the chosen full path.
    virtual bool AskExportPath(std::u16string& path) = 0;
    virtual bool AskImportPath(std::u16string& path) = 0;
};

// The '|'-separated filter in the system's form: every '|' becomes a zero unit, so the result
// ends in two zeros. A filter that does not end in '|' gets its terminating zeros added.
std::u16string SystemDialogFilter(std::u16string_view filter);

}  // namespace tarn
