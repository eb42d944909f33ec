#include "device/macro_block.h"

#include <algorithm>

#include "catalogue/key_names.h"

namespace tarn {

namespace {

constexpr uint8_t kPressFlag = 0x01;
constexpr uint8_t kReleaseFlag = 0x81;
constexpr uint32_t kLastEntry = kMacroBlockEntries - 1;

enum class EntryForm { Key, Empty, LongDelay, ShortDelay };

struct LongDelay {
    uint8_t unit;
    uint16_t count;
};

class Encoder {
public:
    explicit Encoder(uint32_t loopCount) {
        block_.bytes[0] = static_cast<uint8_t>((loopCount >> 8) & 0xFF);
        block_.bytes[1] = static_cast<uint8_t>(loopCount & 0xFF);
    }

    // False when the event's entry does not fit; the encoding ends there.
    bool Add(MacroEvent event, bool first) {
        const uint8_t kind = EventKind(event);
        const uint32_t value = EventValue(event);
        if (kind == KeyPress || kind == KeyRelease) {
            if (!HasRoom(1)) return false;
            const uint8_t flag = kind == KeyPress ? kPressFlag : kReleaseFlag;
            PutEntry(flag, VirtualKeyToUsage(static_cast<uint8_t>(value & 0xFF)));
            return true;
        }
        if (kind != Delay) return AddEmpty();
        if (first) return AddFirstDelay(value);
        return AddLaterDelay(value);
    }

    MacroBlock Result() const { return block_; }

private:
    bool HasRoom(uint32_t entries) const { return n_ + entries - 1 <= kLastEntry; }

    void PutEntry(uint8_t first, uint8_t second) {
        block_.bytes[2 * n_] = first;
        block_.bytes[2 * n_ + 1] = second;
        lastWasLongDelay_ = false;
        ++n_;
        block_.entries = n_;
    }

    bool AddEmpty() {
        if (!HasRoom(1)) return false;
        PutEntry(0, 0);
        return true;
    }

    bool PutLongDelay(LongDelay delay) {
        if (!HasRoom(2)) return false;
        PutEntry(0, delay.unit);
        PutEntry(static_cast<uint8_t>(delay.count >> 8), static_cast<uint8_t>(delay.count & 0xFF));
        lastWasLongDelay_ = true;
        return true;
    }

    // A macro always starts its pause in 100 ms units. The whole pause is counted, not just its
    // low 16 bits, so a first pause of 70 s does not come out as 4.4 s.
    bool AddFirstDelay(uint32_t ms) {
        if (ms > kUnit100MaxMs) return AddEmpty();
        return PutLongDelay({3, static_cast<uint16_t>(ms / 100)});
    }

    bool AddLaterDelay(uint32_t ms) {
        if (ms <= kShortDelayMaxMs) {
            AddShortDelay(ms);
            return true;
        }
        if (ms <= kUnit20MaxMs) return PutLongDelay({1, static_cast<uint16_t>(ms / 20)});
        if (ms <= kUnit50MaxMs) return PutLongDelay({2, static_cast<uint16_t>(ms / 50)});
        if (ms <= kUnit100MaxMs) return PutLongDelay({3, static_cast<uint16_t>(ms / 100)});
        return AddEmpty();
    }

    // Tens of milliseconds go into the flag byte of the entry before (modulo 256, see the
    // header). After a long delay that entry is its count, so the pause lengthens the count
    // instead: adding to the count's high byte would stretch the pause by 256 units at a time.
    void AddShortDelay(uint32_t ms) {
        const uint32_t previous = n_ - 1;
        if (lastWasLongDelay_) {
            ExtendLongDelay(ms);
            return;
        }
        uint8_t& flag = block_.bytes[2 * previous];
        flag = static_cast<uint8_t>(flag + ms / 10);
    }

    void ExtendLongDelay(uint32_t ms) {
        const uint32_t countAt = 2 * (n_ - 1);
        const uint8_t unit = block_.bytes[countAt - 1];
        const uint32_t unitMs = unit == 1 ? 20 : unit == 2 ? 50 : 100;
        uint32_t count =
            static_cast<uint32_t>(block_.bytes[countAt]) << 8 | block_.bytes[countAt + 1];
        count = std::min<uint32_t>(count + ms / unitMs, 0xFFFF);
        block_.bytes[countAt] = static_cast<uint8_t>(count >> 8);
        block_.bytes[countAt + 1] = static_cast<uint8_t>(count & 0xFF);
    }

    MacroBlock block_;
    uint32_t n_ = 1;
    bool lastWasLongDelay_ = false;
};

}  // namespace

MacroBlock EncodeMacroBlock(uint32_t loopCount, std::span<const MacroEvent> events) {
    Encoder encoder(loopCount);
    const size_t count = std::min<size_t>(events.size(), kMaxMacroEvents);
    for (size_t i = 0; i < count; ++i) {
        if (!encoder.Add(events[i], i == 0)) break;
    }
    return encoder.Result();
}

MacroBlock EncodeMacroBlock(const MacroRecord& macro) {
    return EncodeMacroBlock(macro.loopCount,
                            std::span<const MacroEvent>(macro.events, StoredEventCount(macro)));
}

}  // namespace tarn
