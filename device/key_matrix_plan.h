// The KeyMatrix an apply would send for a profile, worked out without a mouse: the same words the
// apply puts into the slots, macro words included with the entry counts their uploads would
// return. For tools and checks that must show what the mouse gets before anything is sent.
#pragma once

#include <cstdint>

#include "catalogue/function_catalogue.h"
#include "macro/macro_record.h"
#include "settings/profile_record.h"

namespace tarn {

// The macro an apply uploads for a button bound to id: the first stored record with that id,
// when it is saved and holds events. Null for id 0, a missing store or nothing worth uploading;
// the apply then gives the button its default function's word, so it is never dead on the mouse.
const MacroRecord* MacroToUpload(const MacroStore* store, uint32_t id);

// The matrix of the profile with the bindings (one id per button, null for none). Macro
// buttons are numbered 1, 2, 3 ... in button order, as the apply uploads them.
KeyMatrix PlanKeyMatrix(const ProfileRecord& profile, const MacroStore* store,
                        const uint32_t* buttonMacroIds);

}  // namespace tarn
