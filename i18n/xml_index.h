// Building the element index of a document's text in one pass.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "i18n/xml_document.h"

namespace tarn {

struct IndexOutcome {
    std::u16string firstError;  // empty when the text was well formed
    bool wellFormed = false;
};

// Fills records (index 0 stands for the document) and reports the first fault.
IndexOutcome BuildElementIndex(std::u16string_view text, ElementRecords& records);

}  // namespace tarn
