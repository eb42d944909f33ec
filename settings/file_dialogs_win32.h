// The system's common file dialogs for the profile export and import.
#pragma once

#include "base/message_poster.h"
#include "settings/file_dialogs.h"

namespace tarn {

class Win32FileDialogs final : public FileDialogs {
public:
    // The dialogs are modal to owner (0 for none).
    explicit Win32FileDialogs(WindowId owner) : owner_(owner) {}
    bool AskExportPath(std::u16string& path) override;
    bool AskImportPath(std::u16string& path) override;

private:
    WindowId owner_;
};

}  // namespace tarn
