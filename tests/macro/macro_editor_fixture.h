// The macro page's editor with a view that mirrors what the window would show, on the in-memory
// data folder of the macro tests, with the hooks, the poster and the last recorded key reset.
#pragma once

#include <string>
#include <vector>

#include "base/hook_state.h"
#include "catalogue/key_names.h"
#include "macro/macro_editor.h"
#include "tests/macro/macro_fixture.h"

namespace tarn::test {

// The lists and fields as the window would show them.
class MirrorView final : public MacroEditorView {
public:
    struct Macro {
        std::u16string name;
        uint32_t id;
    };
    std::vector<Macro> macros;
    int macroSelection = -1;
    int renameOpenedOn = -1;
    std::vector<EventEntry> events;
    int eventSelection = -1;
    std::u16string loop, key, delay, group;
    PanelLook panel;
    bool recording = false, skipDelays = false;
    bool keyFocused = false, delayFocused = false;
    std::vector<std::u16string> debug;

    void MacroListReset() override {
        macros.clear();
        macroSelection = -1;
    }
    void MacroListAppend(std::u16string_view name, uint32_t id, bool startEditing) override {
        macros.push_back({std::u16string(name), id});
        macroSelection = static_cast<int>(macros.size()) - 1;
        if (startEditing) renameOpenedOn = macroSelection;
    }
    void MacroListRemove(int index) override {
        macros.erase(macros.begin() + index);
        macroSelection = -1;
    }
    void MacroListSetText(int index, std::u16string_view name) override {
        macros[index].name = name;
    }
    void MacroListSelect(int index) override { macroSelection = index; }

    void EventListReset() override {
        events.clear();
        eventSelection = -1;
    }
    void EventListInsert(int index, const EventEntry& entry) override {
        if (index < 0) index = static_cast<int>(events.size());
        events.insert(events.begin() + index, entry);
        eventSelection = index;
    }
    void EventListReplace(int index, const EventEntry& entry) override {
        events[index] = entry;
        eventSelection = index;
    }
    void EventListRemove(int index) override {
        events.erase(events.begin() + index);
        eventSelection = -1;
    }
    void EventListSelect(int index) override { eventSelection = index; }

    void ShowLoopText(std::u16string_view text, bool) override { loop = text; }
    void ShowKeyText(std::u16string_view text) override { key = text; }
    void ShowDelayText(std::u16string_view text) override { delay = text; }
    void FocusKeyField() override { keyFocused = true; }
    void FocusDelayField() override { delayFocused = true; }
    void ShowPanel(const PanelLook& look) override { panel = look; }
    void ShowRecording(bool on) override { recording = on; }
    void ShowSkipDelays(bool checked) override { skipDelays = checked; }
    void ShowGroupCaption(std::u16string_view caption) override { group = caption; }
    void DebugOutput(std::u16string_view text) override { debug.emplace_back(text); }
};

inline constexpr WindowId kPageWindow = 0x5150;
inline constexpr WindowId kMainWindow = 0x1000;
inline constexpr uint32_t kVkReturn = 0x0D;

class MacroEditorTest : public MacroTest {
protected:
    void SetUp() override {
        MacroTest::SetUp();
        files.fs.AddFile(kMacroPath, std::vector<uint8_t>(sizeof(MacroStore)));
        Hooks().Reset();
        SetHookWindows(Hooks(), kMainWindow);
        SetForwarding(Hooks(), false, false);
        LastRecordedEvent() = {};
        SetPoster(&poster);
        editor.Attach(&view, kPageWindow);
    }
    void TearDown() override {
        SetPoster(nullptr);
        Hooks().Reset();
        LastRecordedEvent() = {};
        MacroTest::TearDown();
    }

    // A stored macro of the user's group.
    uint32_t Store(uint32_t low, std::vector<MacroEvent> events, const char16_t* name,
                   int slot = -1, uint32_t loop = 1) {
        const uint32_t id = uint32_t{kUserGameGroup} << 24 | low;
        MacroRecord r = Saved(id, std::move(events), loop);
        CopyToFixed(r.name, name);
        if (slot < 0) {
            for (slot = 0; Macros().slots[slot].tag != 0; ++slot) {
            }
        }
        Macros().slots[slot] = r;
        return id;
    }
    std::vector<MacroEvent> StoredEvents(uint32_t id) const {
        const MacroRecord* r = FindMacroById(Macros(), id);
        if (!r) return {};
        return {r->events, r->events + r->eventCount};
    }
    std::vector<uint8_t> FileBytes() const { return files.fs.Bytes(kMacroPath); }

    void Key(uint32_t vk, bool released = false) {
        editor.OnKeyEvent(vk, released ? kKeyReleasedFlag : 0);
    }
    void Stroke(uint32_t vk) {
        Key(vk);
        Key(vk, true);
    }
    void Wait(uint32_t ms) { clock.now += ms; }
    // Clicks an event list entry as the user would.
    void ClickEntry(int index) { editor.OnSelectionChanged(kEventListId, index); }
    void ClickMacro(int index) { editor.OnSelectionChanged(kMacroListId, index); }
    void InsertKey(uint32_t vk) {
        editor.OnInsert();
        editor.OnKeyChoice();
        Key(vk);
        editor.OnKeyConfirm();
    }
    void InsertDelay(const char16_t* text) {
        editor.OnInsert();
        editor.OnDelayChoice();
        editor.OnDelayTextTyped(text);
        editor.OnDelayConfirm();
    }
    std::vector<std::u16string> Texts() const {
        std::vector<std::u16string> out;
        for (const EventEntry& e : editor.Events()) out.push_back(e.text);
        return out;
    }

    RecordingPoster poster;
    MirrorView view;
    MacroEditor editor;
};

inline MacroEvent P(uint32_t vk) {
    return MakeMacroEvent(KeyPress, vk);
}
inline MacroEvent R(uint32_t vk) {
    return MakeMacroEvent(KeyRelease, vk);
}
inline MacroEvent D(uint32_t ms) {
    return MakeMacroEvent(Delay, ms);
}

}  // namespace tarn::test
