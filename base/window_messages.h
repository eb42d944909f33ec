// The program's own window messages, by the numbers the windows exchange.
#pragma once

#include <cstdint>

namespace tarn {

inline constexpr uint32_t kMsgLanguage = 0x401;       // wParam 0x110 at start-up; lParam id
inline constexpr uint32_t kMsgHookKey = 0x40A;        // capture target: key code, hook flags
inline constexpr uint32_t kMsgApplyProgress = 0x42B;  // progress window: 0..100
inline constexpr uint32_t kMsgProgressSeek = 0x450;   // progress bar: value, control id
inline constexpr uint32_t kMsgListScroll = 0x464;     // list wrapper: bar shown, bar left
inline constexpr uint32_t kMsgListSelect = 0x465;     // list id, selected index
inline constexpr uint32_t kMsgTrayIcon = 0x46C;       // 0, mouse message on the icon
inline constexpr uint32_t kMsgListRename = 0x470;     // list id, renamed index
inline constexpr uint32_t kMsgStatsHook = 0x4C9;      // statistics page: report code, detail
inline constexpr uint32_t kMsgStatsSample = 0x4CA;    // statistics page: cursor sample
inline constexpr uint32_t kMsgMenuChosen = 0x501;     // menu owner: chosen item id
inline constexpr uint32_t kMsgApplyDone = 0x703;      // main window: apply succeeded
inline constexpr uint32_t kMsgApplyFailed = 0x704;    // main window: failure code
inline constexpr uint32_t kMsgButtonPress = 0x70D;    // 0x201 press / 0x202 release, button
inline constexpr uint32_t kMsgHookReport = 0x7EB;     // report code (1 for a key), flags
inline constexpr uint32_t kMsgSlider = 0x800;         // new value, slider control id
inline constexpr uint32_t kMsgHint = 0x805;           // 0, hint id
inline constexpr uint32_t kMsgRestoreDefaults = 0x806;

inline constexpr uint32_t kLanguageStartUp = 0x110;
// The tray double-click a second instance sends to the first.
inline constexpr intptr_t kTrayDoubleClick = 0x203;

}  // namespace tarn
