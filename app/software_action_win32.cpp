// Carrying out a software action: the path is handed to the sound player or to the shell as its
// file argument, never built into a command line of our own.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include "app/software_action.h"

namespace tarn {

void RunSoftwareAction(uint32_t code) {
    const std::optional<SoftwareAction> action = ActionForReport(Settings().currentProfile, code);
    if (!action) return;
    const auto* path = reinterpret_cast<const wchar_t*>(action->path.c_str());
    if (action->kind == SoftwareAction::Kind::Sound) {
        PlaySoundW(path, nullptr, SND_FILENAME | SND_ASYNC);
        return;
    }
    ShellExecuteW(nullptr, L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace tarn
