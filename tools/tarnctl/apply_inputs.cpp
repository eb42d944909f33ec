#include "tools/tarnctl/apply_inputs.h"

#include <cstring>

#include "device/key_matrix_plan.h"
#include "tools/tarnctl/input_files.h"
#include "tools/tarnctl/output.h"

namespace tarnctl {

namespace {

// The slot start-up would make current: the first with its marker and the active flag, else 0.
int StartUpSlot(const tarn::ProfileSlotTable& table) {
    for (int slot = 0; slot < tarn::kSlotCount; ++slot) {
        if (tarn::SlotShownSelected(table, slot, true)) return slot;
    }
    return 0;
}

// A macro button that goes out unbound (with its default function's word) would puzzle anyone
// reading the printed words; say why.
void NoteUnboundMacros(const ApplyInputs& inputs, bool haveSlots) {
    for (int button = 0; button < tarn::kButtonCount; ++button) {
        const auto& assignment = inputs.model->currentProfile.buttons[button];
        if (assignment.functionType != tarn::kFunctionMacro) continue;
        const uint32_t id = inputs.model->buttonMacroIds[button];
        const std::string which = "button " + std::to_string(button) + " carries a macro";
        if (!inputs.store || !haveSlots) {
            Note(which + ", but without --macros and --slots it is sent as unbound");
        } else if (id == 0) {
            Note(which + ", but slot " + std::to_string(inputs.model->currentSlot) +
                 " binds none to it; it is sent as unbound");
        } else if (!tarn::MacroToUpload(inputs.store.get(), id)) {
            Note(which + " bound to " + Hex32(id) +
                 ", which the store does not hold with events; it is sent as unbound");
        }
    }
}

}  // namespace

std::optional<int> ReadApplyInputs(const Command& command, const ParsedArgs& args,
                                   ApplyInputs& inputs) {
    const std::string* slotsPath = args.Value("slots");
    const std::string* slotText = args.Value("slot");
    std::optional<uint32_t> slot;
    if (slotText) {
        if (!slotsPath) return BadUsage(command, "--slot needs --slots");
        slot = ParseNumber(*slotText);
        if (!slot || *slot >= static_cast<uint32_t>(tarn::kSlotCount)) {
            return BadUsage(command, "--slot takes a slot number 0..4, not " + *slotText);
        }
    }

    ProfileInput profile;
    if (!ReadProfileInput(args.positionals[0], profile)) return kExitFailed;
    inputs.model = std::make_unique<tarn::SettingsModel>();
    std::memset(inputs.model.get(), 0, sizeof(tarn::SettingsModel));
    inputs.model->currentProfile = profile.image.profile;

    if (const std::string* macrosPath = args.Value("macros")) {
        inputs.store = ReadMacroStoreInput(*macrosPath);
        if (!inputs.store) return kExitFailed;
    }
    if (slotsPath) {
        if (!ReadSlotTableInput(*slotsPath, inputs.model->slotTable)) return kExitFailed;
        inputs.model->currentSlot =
            slot ? static_cast<int>(*slot) : StartUpSlot(inputs.model->slotTable);
        tarn::LoadButtonMacroIds(*inputs.model);
    }
    NoteUnboundMacros(inputs, slotsPath != nullptr);
    return std::nullopt;
}

}  // namespace tarnctl
