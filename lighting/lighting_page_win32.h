// CDlgLEDSet: the lighting page (template 104). Not built yet: an empty page.
#pragma once

#include "skin/page_win32.h"

namespace tarn {

class CDlgLEDSet : public CEmptyPage {
public:
    void Refresh() override { RefreshLedView(); }
    void RefreshLedView() {}
};

}  // namespace tarn
