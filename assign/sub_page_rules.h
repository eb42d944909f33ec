// The rules of the panel's four sub-pages without their windows: the key-combination capture
// and its word, the basic list, the macro sub-page's groups, and the software actions' choice
// values, pickers and result.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "assign/assignment_rules.h"
#include "base/language_state.h"
#include "macro/game_groups.h"

namespace tarn {

// ---- Key combination --------------------------------------------------------------------------

// The boxes in the order of the sub-page (and of the "last checked" rule).
enum ComboBox : int { BoxCtrl = 0, BoxAlt = 1, BoxShift = 2, BoxWin = 3 };
inline constexpr int kComboBoxCount = 4;

class ComboCapture {
public:
    // A key event forwarded by the keyboard hook (0x40A). Returns true when the captured key
    // changed hands and its name must be repainted.
    bool OnHookKey(uint32_t virtualKey, uint32_t flags);
    // A click on a box.
    void ToggleBox(int box);
    bool Checked(int box) const { return box >= 0 && box < kComboBoxCount && boxes_[box]; }
    uint32_t CapturedKey() const { return capturedKey_; }
    // The comboCode word; 0 when nothing usable was chosen.
    uint32_t Word() const;
    void Fill(AssignmentResult& result) const;

private:
    std::array<bool, kComboBoxCount> boxes_{};
    uint32_t capturedKey_ = 0;
};

// The box a modifier key selects, or -1 for every other key.
int ComboBoxOfKey(uint32_t virtualKey);
// The hook flags of a press: plain, extended, injected, with Alt, in any mix of those.
bool TogglesModifier(uint32_t flags);

// ---- Basic functions --------------------------------------------------------------------------

struct BasicEntry {
    StringKey text;
    FunctionCode code;
};
inline constexpr int kBasicEntryCount = 24;
extern const std::array<BasicEntry, kBasicEntryCount> BasicFunctions;
// Code of the selected entry, 0 with none selected; the kind stays as it is.
void FillBasic(int selected, AssignmentResult& result);

// ---- Macros -----------------------------------------------------------------------------------

// Group list entry k (0..20) for group k + 1, in the interface language.
std::u16string_view MacroGroupEntryText(int k, bool chineseUi);
// selectedMacroId: the macro list's selected entry's value, when an entry is selected.
void FillMacro(bool macroSelected, uint32_t selectedMacroId, AssignmentResult& result);

// ---- Software actions -------------------------------------------------------------------------

// Byte 0 = 6, byte 2 = 0xC0 + 16 k + button.
constexpr uint32_t ActionChoiceValue(int k, int button) {
    return 0x00C00006u + static_cast<uint32_t>(k) * 0x100000u +
           static_cast<uint32_t>(button) * 0x10000u;
}

// How the picker of action k asks for a path.
struct ActionPicker {
    bool folder;  // the system's folder browser instead of a file-open dialog
    std::u16string_view defaultExtension;
    std::u16string_view fileName;
    std::u16string_view filter;  // '|'-separated, as SystemDialogFilter takes it
    std::u16string_view initialFolder;
};
const ActionPicker& PickerOfAction(int k);

// The longest path an action keeps: the record's field less its zero.
inline constexpr size_t kMaxActionPathLength = kPathUnits - 1;

enum class BrowseOutcome { Cancelled, Taken, TooLong };

struct ActionChoices {
    std::array<bool, kActionKindCount> checked{};
    std::array<std::u16string, kActionKindCount> paths;
    // Browsing for action k checks its choice alone; a confirmed path replaces its field unless
    // it is longer than the record keeps: cut short it would name another file, or none, so it
    // is refused and the field keeps what it had.
    BrowseOutcome Browse(int k, const std::u16string* chosen);
    // A click on a choice button checks it alone.
    void Choose(int k);
    // The first checked choice with a path gives the result; none gives code 0.
    void Fill(int button, AssignmentResult& result) const;
};

}  // namespace tarn
