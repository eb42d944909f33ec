// Loads arbitrary bytes as Macro.cfg, then lists every group, shows every listed macro, encodes
// every slot for the mouse and stores each listed record back (the rename path).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "base/app_paths.h"
#include "base/clock.h"
#include "base/file_system.h"
#include "device/macro_block.h"
#include "macro/macro_events.h"
#include "macro/macro_store.h"

#include "tests/fuzz/bytes_file_system.h"

namespace {

using namespace tarn;

using fuzz::BytesFileSystem;

class NoWaitClock final : public Clock {
public:
    uint32_t TickCount() override { return 0; }
    void Sleep(uint32_t) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static BytesFileSystem fs;
    static NoWaitClock clock;
    static auto store = std::make_unique<MacroStore>();
    SetFileSystem(&fs);
    SetClock(&clock);
    dataFolder = u"C:\\Data";
    fs.data = data;
    fs.size = size;

    LoadMacroStore(*store);
    for (GameGroup group = 0; group <= 255; ++group) {
        for (const MacroListItem& item : MacrosOfGroup(*store, group)) {
            EntriesOfMacro(*store, item.id);
            const int slot = FindMacroSlot(*store, item.id);
            if (slot >= 0) StoreMacro(*store, store->slots[slot]);
        }
    }
    for (const MacroRecord& record : store->slots) EncodeMacroBlock(record);
    return 0;
}
