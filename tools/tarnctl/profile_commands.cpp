// profile show, profile default and keymatrix.
#include <string>

#include "base/file_system.h"
#include "base/language_state.h"
#include "base/text.h"
#include "catalogue/function_catalogue.h"
#include "device/key_matrix_plan.h"
#include "tools/tarnctl/apply_inputs.h"
#include "tools/tarnctl/commands.h"
#include "tools/tarnctl/input_files.h"
#include "tools/tarnctl/json_writer.h"
#include "tools/tarnctl/output.h"

namespace tarnctl {

namespace {

using tarn::ButtonAssignment;
using tarn::ProfileRecord;
using tarn::ProfileSlot;

constexpr const char* kButtonNames[tarn::kButtonCount] = {
    "left", "middle", "right", "forward", "back", "wheel up", "wheel down"};

std::string Utf8(const char16_t (&fixed)[tarn::kPathUnits]) {
    return tarn::ToUtf8(tarn::FromFixed(fixed));
}

std::string FunctionName(uint32_t code) {
    const tarn::FunctionInfo* info = tarn::FindFunction(static_cast<tarn::FunctionCode>(code));
    return info ? info->name : "not a known function";
}

template <size_t N>
std::string NumberList(const uint32_t (&values)[N], bool hex) {
    std::string out;
    for (size_t i = 0; i < N; ++i) {
        if (i != 0) out += ' ';
        out += hex ? Hex32(values[i]) : std::to_string(values[i]);
    }
    return out;
}

std::string Line(const char* name, const std::string& value, const char* indent = "") {
    return std::string(indent) + name + ": " + value + "\n";
}

std::string ButtonText(int index, const ButtonAssignment& b) {
    const char* in = "  ";
    std::string text = "button " + std::to_string(index) + " (" + kButtonNames[index] + "):\n";
    text += Line("functionType",
                 std::to_string(b.functionType) + " (" + FunctionName(b.functionType) + ")", in);
    text += Line("macroId", Hex32(b.macroId), in);
    text += Line("actionKind", Hex32(b.actionKind), in);
    text += Line("comboCode", Hex32(b.comboCode), in);
    text += Line("actionCode", std::to_string(b.actionCode), in);
    text += Line("actionPath", JsonQuote(Utf8(b.actionPath)), in);
    text += Line("displayName", JsonQuote(Utf8(b.displayName)), in);
    return text;
}

std::string ProfileText(const ProfileRecord& p) {
    std::string text = Line("magic", Hex32(p.magic));
    for (int i = 0; i < tarn::kButtonCount; ++i) text += ButtonText(i, p.buttons[i]);
    text += Line("dpiLevels", NumberList(p.dpiLevels, false));
    text += Line("sheight", std::to_string(p.sheight));
    text += Line("pollInterval", std::to_string(p.pollInterval));
    text += Line("ledMode", std::to_string(p.ledMode));
    text += Line("ledColor", Hex32(p.ledColor));
    text += Line("ledColorCustom", std::to_string(p.ledColorCustom));
    text += Line("ledPresetIndex", std::to_string(p.ledPresetIndex));
    text += Line("ledBodyLight", std::to_string(p.ledBodyLight));
    text += Line("enhancePointerPrecision", std::to_string(p.enhancePointerPrecision));
    text += Line("pointerSpeed", std::to_string(p.pointerSpeed));
    text += Line("ledSpeedMode1", std::to_string(p.ledSpeedMode1));
    text += Line("ledSpeedMode2", std::to_string(p.ledSpeedMode2));
    text += Line("wheelScrollLines", std::to_string(p.wheelScrollLines));
    return text;
}

std::string SlotText(int index, const ProfileSlot& s) {
    const char* in = "  ";
    std::string text = "slot " + std::to_string(index) + ":\n";
    text += Line("slotMagic", Hex32(s.slotMagic), in);
    text += Line("active", std::to_string(s.active), in);
    text += Line("profilePath", JsonQuote(Utf8(s.profilePath)), in);
    text += Line("buttonMacroIds", NumberList(s.buttonMacroIds, true), in);
    return text;
}

template <size_t N>
void NumberArray(JsonWriter& json, std::string_view key, const uint32_t (&values)[N]) {
    json.Key(key);
    json.BeginArray();
    for (const uint32_t value : values) json.Number(value);
    json.EndArray();
}

void ButtonJson(JsonWriter& json, const ButtonAssignment& b) {
    json.BeginObject();
    json.Field("functionType", b.functionType);
    json.Field("macroId", b.macroId);
    json.Field("actionKind", b.actionKind);
    json.Field("comboCode", b.comboCode);
    json.Field("actionCode", b.actionCode);
    json.Field("actionPath", Utf8(b.actionPath));
    json.Field("displayName", Utf8(b.displayName));
    json.EndObject();
}

void ProfileJson(JsonWriter& json, const ProfileRecord& p) {
    json.Field("magic", p.magic);
    json.Key("buttons");
    json.BeginArray();
    for (const ButtonAssignment& b : p.buttons) ButtonJson(json, b);
    json.EndArray();
    NumberArray(json, "dpiLevels", p.dpiLevels);
    json.Field("sheight", p.sheight);
    json.Field("pollInterval", p.pollInterval);
    json.Field("ledMode", p.ledMode);
    json.Field("ledColor", p.ledColor);
    json.Field("ledColorCustom", p.ledColorCustom);
    json.Field("ledPresetIndex", p.ledPresetIndex);
    json.Field("ledBodyLight", p.ledBodyLight);
    json.Field("enhancePointerPrecision", p.enhancePointerPrecision);
    json.Field("pointerSpeed", p.pointerSpeed);
    json.Field("ledSpeedMode1", p.ledSpeedMode1);
    json.Field("ledSpeedMode2", p.ledSpeedMode2);
    json.Field("wheelScrollLines", p.wheelScrollLines);
}

void SlotsJson(JsonWriter& json, const tarn::ProfileSlotTable& table) {
    json.Key("slots");
    json.BeginArray();
    for (const ProfileSlot& s : table.slots) {
        json.BeginObject();
        json.Field("slotMagic", s.slotMagic);
        json.Field("active", s.active);
        json.Field("profilePath", Utf8(s.profilePath));
        NumberArray(json, "buttonMacroIds", s.buttonMacroIds);
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace

int ProfileShow(const Command&, const ParsedArgs& args) {
    ProfileInput input;
    if (!ReadProfileInput(args.positionals[0], input)) return kExitFailed;
    if (args.Has("json")) {
        JsonWriter json;
        json.BeginObject();
        ProfileJson(json, input.image.profile);
        if (input.isExport) SlotsJson(json, input.image.slotTable);
        json.EndObject();
        Print(json.Text() + "\n");
        return kExitOk;
    }
    std::string text = ProfileText(input.image.profile);
    if (input.isExport) {
        for (int i = 0; i < tarn::kSlotCount; ++i)
            text += SlotText(i, input.image.slotTable.slots[i]);
    }
    Print(text);
    return kExitOk;
}

int ProfileDefault(const Command&, const ParsedArgs& args) {
    // The default names follow the interface language in force when the record is made.
    tarn::ChineseUi = args.Has("chinese") ? 1 : 0;
    ProfileRecord record;
    tarn::MakeDefaultProfile(record);
    const std::string& path = args.positionals[0];
    const tarn::FileError error =
        tarn::WriteFileReplacing(tarn::Files(), tarn::FromUtf8(path), &record, sizeof record);
    if (error != tarn::FileError::None) return Fail("cannot write " + path);
    return kExitOk;
}

int KeyMatrixCommand(const Command& command, const ParsedArgs& args) {
    ApplyInputs inputs;
    if (const auto status = ReadApplyInputs(command, args, inputs)) return *status;
    const tarn::KeyMatrix matrix = tarn::PlanKeyMatrix(
        inputs.model->currentProfile, inputs.store.get(), inputs.model->buttonMacroIds);
    std::string line;
    for (int slot = 0; slot < tarn::kKeyMatrixSlots; ++slot) {
        if (slot != 0) line += ' ';
        line += Hex32(matrix.slots[slot]).substr(2);
    }
    Print(line + "\n");
    return kExitOk;
}

}  // namespace tarnctl
