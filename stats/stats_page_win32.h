// CDlgSts: the statistics page (template 106). Not built yet: an empty page.
#pragma once

#include "skin/page_win32.h"

namespace tarn {

class CDlgSts : public CEmptyPage {
public:
    void SaveStatistics() {}
};

}  // namespace tarn
