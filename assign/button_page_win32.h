// CDlgMainSet: the button settings page (template 103). Not built yet: an empty page.
#pragma once

#include "skin/page_win32.h"

namespace tarn {

class CDlgMainSet : public CEmptyPage {
public:
    void Refresh() override { RefreshFromProfile(); }
    void RefreshFromProfile() {}
    // The OK button commits a typed wheel-lines value before the apply.
    void CommitScrollLines() {}
};

}  // namespace tarn
