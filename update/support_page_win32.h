// CDlgSupport: the support page (template 107). Not built yet: an empty page.
#pragma once

#include <string_view>

#include "skin/page_win32.h"

namespace tarn {

class CDlgSupport : public CEmptyPage {
public:
    // The firmware version read at start-up, in decimal digits; empty when unknown.
    void SetFirmwareVersion(std::u16string_view) {}
};

}  // namespace tarn
