// The main window's start-up as an ordered sequence of steps, so its order, its retries and its
// three ways of ending early are the same on every platform and testable without a window.
#pragma once

#include <cstdint>

#include "base/clock.h"

namespace tarn {

// The steps, one call each; the window implements them.
class StartUpSteps {
public:
    virtual ~StartUpSteps() = default;
    virtual void AddSystemMenuAndIcons() = 0;        // 1
    virtual void SeedDataFolderIfMissing() = 0;      // 2
    virtual void ChooseSkinLanguage() = 0;           // 3
    virtual void SetTitle() = 0;                     // 4
    virtual void LoadMacros() = 0;                   // 5
    virtual void BuildView() = 0;                    // 6
    virtual void CreatePages() = 0;                  // 7, ends with ShowMainPage(1)
    virtual void AddTrayIcon() = 0;                  // 8
    virtual void LoadProfiles() = 0;                 // 9
    virtual void RegisterDeviceNotifications() = 0;  // 10
    virtual void ListStartMacros() = 0;              // 11
    virtual void LoadMacroBindings() = 0;            // 12
    virtual void PlaceLanguageIndicator() = 0;       // 13
    virtual void PostStoredLanguage() = 0;           // 14
    virtual bool PrepareLink() = 0;                  // 15
    virtual bool FirmwareLoaderPresent() = 0;        // 16
    virtual bool MousePresent() = 0;                 // 16: the mouse in its normal mode
    virtual void HandOverToFlashingTool() = 0;       // 16: start it and close
    virtual bool OpenDevice() = 0;                   // 17
    virtual void RefreshPages() = 0;                 // 18
    virtual void StartRunning() = 0;                 // 19
    virtual void ReportMouseMissing() = 0;           // 20: the self-closing box, then close
};

enum class StartUpOutcome {
    Running,           // the mouse is open, the workers run, the window shows
    NoSupportLibrary,  // the window stays up without a mouse and without workers
    FirmwareLoader,    // the flashing tool took over; the window closes
    MouseMissing,      // the user was told; the window closes
};

inline constexpr int kOpenAttempts = 10;
inline constexpr uint32_t kOpenRetryPauseMs = 500;
inline constexpr int kLoaderLooks = 2;
inline constexpr uint32_t kLoaderLookPauseMs = 500;

StartUpOutcome RunStartUp(StartUpSteps& steps, Clock& clock);

}  // namespace tarn

#include <string>
#include <string_view>

// Step 16 hands the mouse to the flashing program of the firmware update.
#include "update/firmware_files.h"

namespace tarn {

// Step 20's message, by ChineseUi.
std::u16string_view MouseMissingText();

// Step 16: the hardware id the mouse shows in its firmware-loader mode.
inline constexpr std::u16string_view kFirmwareLoaderId = u"VID_04D9&PID_8022";
bool IsFirmwareLoaderId(std::u16string_view hardwareId);
// Whether part occurs in text, A..Z and a..z compared as equal (hardware ids and device paths
// come in either case).
bool ContainsNoCase(std::u16string_view text, std::u16string_view part);

}  // namespace tarn
