// Runs tarnctl on an arbitrary command line. The input is the words, one per line, then a
// NUL byte and the bytes that every file named on the line reads as. Nothing reaches the disk,
// and lines naming the real mouse or the system's pointer options are left out. The commands
// print a lot: run it with -close_fd_mask=3 (tarnctl_args.options).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "base/file_system.h"
#include "tools/tarnctl/commands.h"
#include "tools/tarnctl/output.h"

#include "tests/fuzz/bytes_file_system.h"

namespace {

using namespace tarn;

class NoWaitClock final : public Clock {
public:
    uint32_t TickCount() override { return tick_ += 7; }
    void Sleep(uint32_t ms) override { tick_ += ms; }

private:
    uint32_t tick_ = 0;
};

constexpr size_t kMaxWords = 12;

bool TouchesTheSystem(const std::string& word) {
    return word.rfind("--device", 0) == 0 || word.rfind("--pointer", 0) == 0;
}

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string_view line = input.substr(0, split);
    std::vector<std::string> words;
    for (size_t start = 0; start <= line.size() && words.size() <= kMaxWords;) {
        const size_t end = std::min(line.find('\n', start), line.size());
        words.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
    if (words.size() > kMaxWords) return 0;
    for (const std::string& word : words) {
        if (TouchesTheSystem(word)) return 0;
    }

    static fuzz::BytesFileSystem fs;
    static NoWaitClock clock;
    const std::string_view file = split == std::string_view::npos ? "" : input.substr(split + 1);
    fs.data = reinterpret_cast<const uint8_t*>(file.data());
    fs.size = file.size();
    fs.writesSucceed = (size & 1) != 0;
    SetFileSystem(&fs);
    SetClock(&clock);
    const int status = tarnctl::RunTarnctl(words);
    Check(status == tarnctl::kExitOk || status == tarnctl::kExitFailed ||
          status == tarnctl::kExitApplyFailed || status == tarnctl::kExitUsage);
    SetClock(nullptr);
    SetFileSystem(nullptr);
    return 0;
}
