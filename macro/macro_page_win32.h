// CDlgMacro: the macro manager page (template 105). Not built yet: an empty page.
#pragma once

#include "skin/page_win32.h"

namespace tarn {

class CDlgMacro : public CEmptyPage {
public:
    void ListMacrosOfGroup(int) {}
    bool IsRecording() const { return false; }
    void ToggleRecording() {}
    // The OK button checks the loop field before the apply.
    void ValidateLoopField() {}
};

}  // namespace tarn
