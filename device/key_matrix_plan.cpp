#include "device/key_matrix_plan.h"

#include "device/macro_block.h"
#include "macro/macro_store.h"

namespace tarn {

const MacroRecord* MacroToUpload(const MacroStore* store, uint32_t id) {
    if (!store || id == 0) return nullptr;
    const MacroRecord* record = FindMacroById(*store, id);
    if (!record || record->size == 0 || StoredEventCount(*record) == 0) return nullptr;
    return record;
}

KeyMatrix PlanKeyMatrix(const ProfileRecord& profile, const MacroStore* store,
                        const uint32_t* buttonMacroIds) {
    KeyMatrix matrix{};
    uint8_t macroNumber = 1;
    for (int button = 0; button < kButtonCount; ++button) {
        const ButtonWord chosen = WordOfButton(profile.buttons[button], button);
        DeviceKeyEntry word = chosen.word;
        if (chosen.source == ButtonWordSource::Macro) {
            const uint32_t id = buttonMacroIds ? buttonMacroIds[button] : 0;
            const MacroRecord* macro = MacroToUpload(store, id);
            if (macro) {
                word = MacroWord(macroNumber, EncodeMacroBlock(*macro).entries);
                ++macroNumber;
            } else {
                word = FixedFunctionWord(DefaultFunctionCodes[button]);
            }
        }
        matrix.slots[KeyMatrixSlotOfButton[button]] = word;
    }
    matrix.slots[kFixedSlot] = kSlot3Word;
    return matrix;
}

}  // namespace tarn
