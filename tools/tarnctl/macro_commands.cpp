// macro list and macro encode.
#include <cstdio>
#include <string>

#include "base/text.h"
#include "device/macro_block.h"
#include "macro/game_groups.h"
#include "macro/macro_store.h"
#include "tools/tarnctl/commands.h"
#include "tools/tarnctl/input_files.h"
#include "tools/tarnctl/json_writer.h"
#include "tools/tarnctl/output.h"

namespace tarnctl {

int MacroList(const Command& command, const ParsedArgs& args) {
    std::optional<uint32_t> group;
    if (const std::string* text = args.Value("group")) {
        group = ParseNumber(*text);
        if (!group || !tarn::IsGameGroup(static_cast<int>(*group))) {
            return BadUsage(command, "--group takes a game group 1..21, not " + *text);
        }
    }
    const auto store = ReadMacroStoreInput(args.positionals[0]);
    if (!store) return kExitFailed;
    std::string out;
    for (int slot = 0; slot < tarn::kMacroSlots; ++slot) {
        const tarn::MacroRecord& record = store->slots[slot];
        if (!tarn::HoldsMacroForListing(record)) continue;
        const int recordGroup = tarn::MacroGroupOf(record.id);
        if (group && recordGroup != static_cast<int>(*group)) continue;
        char fields[80];
        std::snprintf(fields, sizeof fields, "%d %s %d %u %u ", slot, Hex32(record.id).c_str(),
                      recordGroup, record.loopCount, tarn::StoredEventCount(record));
        out += fields + JsonQuote(tarn::ToUtf8(tarn::FromFixed(record.name))) + "\n";
    }
    Print(out);
    return kExitOk;
}

int MacroEncode(const Command& command, const ParsedArgs& args) {
    const std::string& idText = args.positionals[1];
    const std::optional<uint32_t> id = ParseNumber(idText);
    if (!id) return BadUsage(command, "ID must be a number, decimal or 0x hex, not " + idText);
    const auto store = ReadMacroStoreInput(args.positionals[0]);
    if (!store) return kExitFailed;
    const tarn::MacroRecord* record = tarn::FindMacroById(*store, *id);
    if (!record || *id == 0) {
        return Fail("no macro with id " + Hex32(*id) + " in " + args.positionals[0]);
    }
    const tarn::MacroBlock block = tarn::EncodeMacroBlock(*record);
    Print(std::to_string(block.entries) + "\n" + HexBytes(block.bytes.data(), block.bytes.size()) +
          "\n");
    return kExitOk;
}

}  // namespace tarnctl
