// Reads arbitrary bytes as ProgramLinks.txt. A file that loads must write back as text that
// loads to the same links, and every linked name must find its slot again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/program_links.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarn;
    const LinksLoad load =
        ParseProgramLinks(std::string_view(reinterpret_cast<const char*>(data), size));
    if (load.status != LinksStatus::Loaded) {
        if (!load.links.Empty()) std::abort();
        return 0;
    }
    const LinksLoad again = ParseProgramLinks(FormatProgramLinks(load.links));
    if (again.status != LinksStatus::Loaded || !(again.links == load.links)) std::abort();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const std::u16string& program : load.links.Programs(slot)) {
            const int found = load.links.SlotFor(program);
            if (found < 0 || found > slot) std::abort();
        }
    }
    return 0;
}
