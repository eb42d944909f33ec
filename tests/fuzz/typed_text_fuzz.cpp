// Drives the macro page's editor and the button page's wheel-lines rules with arbitrary typing:
// loop counts, delays, key names, macro names and scroll lines, mixed with the clicks that take
// them (insert, modify, confirm, record, the OK button's loop check). After every step the macro
// store must hold only records the mouse can take and the profile a scroll amount the system
// accepts.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "assign/button_page_rules.h"
#include "base/clock.h"
#include "base/file_system.h"
#include "macro/macro_editor.h"
#include "macro/macro_events.h"
#include "macro/macro_store.h"
#include "settings/profile_record.h"

#include "tests/fuzz/bytes_file_system.h"

namespace {

using namespace tarn;

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

class SteppingClock final : public Clock {
public:
    uint32_t TickCount() override { return tick += 13; }
    void Sleep(uint32_t ms) override { tick += ms; }
    uint32_t tick = 0;
};

// Mostly what people type into a number field, now and then anything at all.
std::u16string TypedText(FuzzedDataProvider& in) {
    static constexpr char16_t kUsual[] = u"0123456789 +-x\t\u00a0\uff11\uff10\u4e00a";
    std::u16string text;
    const size_t length = in.ConsumeIntegralInRange<size_t>(0, 48);
    for (size_t i = 0; i < length && in.remaining_bytes() > 0; ++i) {
        const uint8_t pick = in.ConsumeIntegral<uint8_t>();
        if (pick < 224) {
            text += kUsual[pick % (sizeof kUsual / sizeof kUsual[0] - 1)];
        } else {
            text += static_cast<char16_t>(in.ConsumeIntegral<uint16_t>());
        }
    }
    return text;
}

void CheckStore() {
    for (const MacroRecord& r : Macros().slots) {
        if (r.tag != MacroTag) continue;
        Check(r.loopCount == SinglePressLoop || (r.loopCount >= 1 && r.loopCount <= MaxLoopCount));
        Check(r.eventCount <= kMaxMacroEvents);
        Check(r.size >= kMinSavedMacroSize && r.size <= 4100 + 4 * kMaxMacroEvents);
        Check(r.name[kMacroNameUnits - 1] == 0);
        for (uint32_t i = 0; i < r.eventCount; ++i) {
            const uint8_t kind = EventKind(r.events[i]);
            Check(kind == KeyPress || kind == KeyRelease || kind == Delay);
        }
    }
}

void CheckEditor(const MacroEditor& editor) {
    for (const EventEntry& e : editor.Events()) {
        Check(e.type == EntryPress || e.type == EntryRelease || e.type == EntryDelay);
        Check(e.value <= 0xFFFFFF);
    }
}

// The OK button's loop check leaves a text that reads as a count the mouse takes: blanks and a
// plus sign may lead, as the system's number reading allows, then digits only.
void CheckValidatedLoop(const MacroEditor& editor) {
    const std::u16string& text = editor.LoopText();
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
    if (i < text.size() && text[i] == u'+') ++i;
    Check(i < text.size());
    uint64_t n = 0;
    for (; i < text.size(); ++i) {
        Check(text[i] >= u'0' && text[i] <= u'9');
        n = std::min<uint64_t>(n * 10 + (text[i] - u'0'), uint64_t{1} << 40);
    }
    Check(n >= 1 && n <= MaxLoopCount && LoopCountFromText(text) == n);
}

void CheckLines(const ButtonPageView& view, const ProfileRecord& profile) {
    Check(view.scrollLinesEdit >= kMinScrollLines && view.scrollLinesEdit <= kMaxScrollLines);
    const int32_t lines = profile.wheelScrollLines;
    Check(lines == kScrollOneScreen ||
          (lines >= static_cast<int32_t>(kMinScrollLines) &&
           lines <= static_cast<int32_t>(kMaxScrollLines)));
}

void EditorStep(FuzzedDataProvider& in, MacroEditor& editor) {
    switch (in.ConsumeIntegralInRange(0, 17)) {
        case 0: editor.OnNewMacroButton(); break;
        case 1: editor.OnLoopTextTyped(TypedText(in)); break;
        case 2:
            editor.ValidateLoopField();
            CheckValidatedLoop(editor);
            break;
        case 3: editor.OnInsert(); break;
        case 4: editor.OnDelayChoice(); break;
        case 5: editor.OnDelayTextTyped(TypedText(in)); break;
        case 6: editor.OnDelayConfirm(); break;
        case 7: editor.OnKeyChoice(); break;
        case 8:
            editor.OnKeyEvent(in.ConsumeIntegralInRange<uint32_t>(0, 300),
                              in.ConsumeBool() ? kKeyReleasedFlag : 0);
            break;
        case 9: editor.OnKeyConfirm(); break;
        case 10: editor.OnModify(); break;
        case 11:
            editor.OnSelectionChanged(in.ConsumeBool() ? kMacroListId : kEventListId,
                                      in.ConsumeIntegralInRange(-2, 40));
            break;
        case 12: editor.OnDeleteEntry(); break;
        case 13: editor.OnRename(in.ConsumeIntegralInRange(-1, 8), TypedText(in)); break;
        case 14: editor.ToggleRecording(); break;
        case 15: editor.OnDeleteMacro(); break;
        case 16: editor.SelectGroup(in.ConsumeIntegralInRange(0, 22)); break;
        default: editor.OnKeyTextTyped(TypedText(in)); break;
    }
}

void LinesStep(FuzzedDataProvider& in, ButtonPageView& view, ProfileRecord& profile) {
    switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0: CommitScrollLines(TypedText(in), view, profile); break;
        case 1: ClickScreenChoice(TypedText(in), view, profile); break;
        case 2: ChooseLines(view, profile); break;
        case 3: StepLinesUp(view, profile); break;
        case 4: StepLinesDown(view, profile); break;
        default: {
            const uint32_t n = LoopCountFromText(TypedText(in));
            Check(n >= 1 && n <= MaxLoopCount);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Saves land nowhere; Macro.cfg reads as an empty file.
    static fuzz::BytesFileSystem fs;
    static SteppingClock clock;
    fs.writesSucceed = true;
    SetFileSystem(&fs);
    SetClock(&clock);
    std::memset(&Macros(), 0, sizeof(MacroStore));

    FuzzedDataProvider in(data, size);
    // A stored wheel amount may be anything a damaged profile holds; the page shows it sanely.
    ProfileRecord profile{};
    MakeDefaultProfile(profile);
    profile.wheelScrollLines = in.ConsumeIntegral<int32_t>();
    ButtonPageView view = ViewFromProfile(profile);
    Check(view.scrollLinesEdit >= kMinScrollLines && view.scrollLinesEdit <= kMaxScrollLines);
    if (view.linesChoice) ChooseLines(view, profile);

    MacroEditor editor;
    editor.SelectGroup(kUserGameGroup);
    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        if (in.ConsumeIntegralInRange(0, 3) == 0) {
            LinesStep(in, view, profile);
            CheckLines(view, profile);
        } else {
            EditorStep(in, editor);
            CheckEditor(editor);
            CheckStore();
        }
    }
    SetClock(nullptr);
    SetFileSystem(nullptr);
    return 0;
}
