#include "app/start_up_sequence.h"

namespace tarn {

namespace {

// The mouse in its firmware-loader mode is looked for twice, as it can take a moment to appear
// after a flash. A mouse present in its normal mode cannot be in the loader at the same time, so
// then the second look and its pause are spared.
bool LookForLoader(StartUpSteps& steps, Clock& clock) {
    for (int look = 0; look < kLoaderLooks; ++look) {
        if (look > 0) {
            if (steps.MousePresent()) return false;
            clock.Sleep(kLoaderLookPauseMs);
        }
        if (steps.FirmwareLoaderPresent()) return true;
    }
    return false;
}

// Opening is the one thing that is retried: the mouse may still be enumerating.
bool OpenWithRetries(StartUpSteps& steps, Clock& clock) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (attempt > 0) clock.Sleep(kOpenRetryPauseMs);
        if (steps.OpenDevice()) return true;
    }
    return false;
}

}  // namespace

StartUpOutcome RunStartUp(StartUpSteps& steps, Clock& clock) {
    steps.AddSystemMenuAndIcons();
    steps.SeedDataFolderIfMissing();
    steps.ChooseSkinLanguage();
    steps.SetTitle();
    steps.LoadMacros();
    steps.BuildView();
    steps.CreatePages();
    steps.AddTrayIcon();
    steps.LoadProfiles();
    steps.RegisterDeviceNotifications();
    steps.ListStartMacros();
    steps.LoadMacroBindings();
    steps.PlaceLanguageIndicator();
    steps.PostStoredLanguage();
    if (!steps.PrepareLink()) return StartUpOutcome::NoSupportLibrary;
    if (LookForLoader(steps, clock)) {
        steps.HandOverToFlashingTool();
        return StartUpOutcome::FirmwareLoader;
    }
    const bool opened = OpenWithRetries(steps, clock);
    steps.RefreshPages();
    if (!opened) {
        steps.ReportMouseMissing();
        return StartUpOutcome::MouseMissing;
    }
    steps.StartRunning();
    return StartUpOutcome::Running;
}

}  // namespace tarn

#include "base/language_state.h"

namespace tarn {

std::u16string_view MouseMissingText() {
    return Localized(u"没有找到Tarn游戏鼠标.", u"The Tarn gaming mouse cannot be found.");
}

bool ContainsNoCase(std::u16string_view text, std::u16string_view part) {
    auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    const size_t n = part.size();
    for (size_t start = 0; start + n <= text.size(); ++start) {
        size_t i = 0;
        while (i < n && upper(text[start + i]) == upper(part[i])) ++i;
        if (i == n) return true;
    }
    return false;
}

// Hardware ids are compared without regard to case, as the system itself treats them.
bool IsFirmwareLoaderId(std::u16string_view hardwareId) {
    return ContainsNoCase(hardwareId, kFirmwareLoaderId);
}

}  // namespace tarn
