// CDlgSts: the statistics page (template 106). It lives from the main window's start to the
// program's end and counts all the while, shown or not: button presses and wheel notches that
// the hooks report (0x4C9), and the cursor's travel from the sampling thread (0x4CA). The rules
// are in UsageStatistics and StatisticsStore; this class draws them and carries out the saves.
#pragma once

#include <windows.h>

#include <array>

#include "skin/bitmap_button_win32.h"
#include "skin/page_win32.h"
#include "skin/picture_win32.h"
#include "stats/cursor_sampler.h"
#include "stats/statistics_store.h"
#include "stats/trophy_levels.h"
#include "stats/usage_statistics.h"

namespace tarn {

class CDlgSts : public CPage {
    TARN_DECLARE_MESSAGES()

public:
    CDlgSts() : store_(stats_) {}

    // When the system asks whether it may shut down or log the user off.
    void SaveStatistics();
    // When the main window hides to the tray: changed counters are written.
    void SaveChangedStatistics();
    void LanguageChanged() override;

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnHookEvent(WPARAM, LPARAM);
    LRESULT OnCursorSample(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);

    void LoadSkins();
    void CreateControls();
    void StartSampling();
    void PaintBackground(HDC dc);
    void DrawStatistics(HDC dc);
    // Brings the trophy pictures, small trophies and progress bar up to the current level.
    void ShowTrophyLevel();
    void ResetStatistics();

    UsageStatistics stats_;
    StatisticsStore store_;
    CursorSampler sampler_;
    bool loaded_ = false;  // the counters came from Sts.cfg: only then are they written back
    uint32_t paintedTravel_ = 0;

    OwnedBitmap normal_, down_, over_;
    CGDIBitmapBtn bigTrophy_;
    CGDIBitmapBtn progressBar_;
    std::array<CGDIBitmapBtn, kTrophyLevelCount> smallTrophies_;
    CGDIBitmapBtn reset_;
};

}  // namespace tarn
