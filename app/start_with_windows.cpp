#include "app/start_with_windows.h"

#include "base/language_state.h"

namespace tarn {

std::u16string_view StartupShortcutFailedText() {
    return Localized(u"无法修改开机启动快捷方式.",
                     u"The shortcut in the Startup folder could not be changed.");
}

}  // namespace tarn
