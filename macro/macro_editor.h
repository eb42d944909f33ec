// The macro page's rules without the window: the macro list and the event list as the page shows
// them, the two remembered selections, the insert/modify panel and its EditMode, the real-time
// recording, and when the event list is committed to the macro store. The window forwards every
// user action and message here and carries out what the editor asks of its view.
//
// The editor owns the truth: the lists, the field texts and the selections live here and the
// view is told every change, so the window never has to be read back and the rules can be
// tested without it. It may run before its window exists (the main window lists the start group
// before the page is made); Attach then shows everything at once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/message_poster.h"
#include "macro/game_groups.h"
#include "macro/macro_events.h"
#include "macro/macro_store.h"

namespace tarn {

// What the insert/modify panel is doing.
enum EditMode : int {
    EditNone = 0,
    EditInsertKey = 1,
    EditInsertDelay = 2,
    EditModifyKey = 3,
    EditModifyDelay = 4,
};

// Control ids of the two lists; the list messages carry them in wParam.
inline constexpr int kMacroListId = 256;
inline constexpr int kEventListId = 257;

// A recording takes key events while fewer than this many were counted (two per key entry), so
// it holds at most 124 key entries.
inline constexpr uint32_t kRecordLimit = 247;
// The released bit of the low-level hook flags.
inline constexpr uint32_t kKeyReleasedFlag = 0x80;
// The key codes the three hot spots stand for.
inline constexpr uint32_t kLeftButtonKey = 1;
inline constexpr uint32_t kRightButtonKey = 2;
inline constexpr uint32_t kMiddleButtonKey = 4;
// wParam of a hot spot's 0x70D.
inline constexpr uint32_t kHotSpotDown = 0x201;
inline constexpr uint32_t kHotSpotUp = 0x202;

enum class HotSpot { Left, Middle, Right };

// The last key entry recorded, by any recording of the process; the repeat filter compares
// with it.
struct RecordedKeyEvent {
    uint32_t key = 0;
    uint32_t flags = 0;
};
RecordedKeyEvent& LastRecordedEvent();

// Which of the six panel controls show, and the checked state of the two choices.
struct PanelLook {
    bool keyChoice = false, keyChoiceChecked = false, keyField = false, keyConfirm = false;
    bool delayChoice = false, delayChoiceChecked = false, delayField = false,
         delayConfirm = false;
    bool operator==(const PanelLook&) const = default;
};

// What the window does for the editor. Every call has an empty default, so a view that shows
// nothing (before the window exists, in a benchmark) needs no code.
class MacroEditorView {
public:
    virtual ~MacroEditorView() = default;

    virtual void MacroListReset() {}
    // Appends and selects; with startEditing the in-place editor opens on the new entry.
    virtual void MacroListAppend(std::u16string_view /*name*/, uint32_t /*id*/,
                                 bool /*startEditing*/) {}
    virtual void MacroListRemove(int /*index*/) {}
    virtual void MacroListSetText(int /*index*/, std::u16string_view /*name*/) {}
    virtual void MacroListSelect(int /*index*/) {}
    virtual void MacroListRedraw(bool /*on*/) {}

    virtual void EventListReset() {}
    // Inserts before index (at the end for -1) and selects the new entry.
    virtual void EventListInsert(int /*index*/, const EventEntry& /*entry*/) {}
    virtual void EventListReplace(int /*index*/, const EventEntry& /*entry*/) {}
    virtual void EventListRemove(int /*index*/) {}
    virtual void EventListSelect(int /*index*/) {}
    virtual void EventListRedraw(bool /*on*/) {}

    // The three fields; the window shows the text without reporting it back as typed.
    virtual void ShowLoopText(std::u16string_view /*text*/, bool /*caretToEnd*/) {}
    virtual void ShowKeyText(std::u16string_view /*text*/) {}
    virtual void ShowDelayText(std::u16string_view /*text*/) {}
    virtual void FocusKeyField() {}
    virtual void FocusDelayField() {}

    virtual void ShowPanel(const PanelLook& /*look*/) {}
    // The Record button's caption and hint, and the five buttons a recording disables.
    virtual void ShowRecording(bool /*recording*/) {}
    virtual void ShowSkipDelays(bool /*checked*/) {}
    virtual void ShowGroupCaption(std::u16string_view /*caption*/) {}

    virtual void DebugOutput(std::u16string_view /*text*/) {}
};

class MacroEditor {
public:
    MacroEditor();

    // The window that shows the editor; it receives the forwarded keys and the hot spots' posts.
    // Attach shows the whole state in the view; null detaches.
    void Attach(MacroEditorView* view, WindowId self);

    // ---- listing ----
    void ListMacrosOfGroup(GameGroup group);
    int LoadMacroToList(int index);
    void NewMacro();
    // The group menu's choice: a running recording is stopped and committed first.
    void SelectGroup(int menuId);

    // ---- what the controls do ----
    void OnNewMacroButton();
    void OnDeleteMacro();
    void OnInsert();
    void OnDeleteEntry();
    void OnModify();
    void OnDelayToggle();
    void OnKeyChoice();
    void OnKeyConfirm();
    void OnDelayChoice();
    void OnDelayConfirm();
    // Text typed into a field (not the editor's own writes).
    void OnLoopTextTyped(std::u16string_view text);
    void OnDelayTextTyped(std::u16string_view text);
    void OnKeyTextTyped(std::u16string_view text);

    // ---- list notifications ----
    void OnSelectionChanged(int listId, int index);
    void OnRename(int index, std::u16string_view text);

    // ---- recording and key capture ----
    void ToggleRecording();
    // 0x40A: a key (or hot spot) went down or up; flags bit 7 = released.
    void OnKeyEvent(uint32_t key, uint32_t flags);
    // 0x70D of a hot spot: posts the key event to the page itself.
    void OnHotSpot(HotSpot spot, uint32_t mouseMessage);

    // Timer 153 and the OK button: leading zeros, 0, junk and counts above 65533 corrected.
    void ValidateLoopField();
    // Stores the event list into the macro it belongs to; false when nothing was stored.
    bool CommitMacro();

    // ---- state, for the window and the tests ----
    bool IsRecording() const { return recording_; }
    // Keys are being captured for the page (a recording, or the key panel is open).
    bool IsCapturingKeys() const { return captureOn_; }
    int Mode() const { return editMode_; }
    bool SkipDelays() const { return skipDelays_; }
    GameGroup CurrentGroup() const { return currentGroup_; }
    const std::vector<MacroListItem>& MacroItems() const { return macros_; }
    const std::vector<EventEntry>& Events() const { return events_; }
    int MacroSelection() const { return macroCursor_; }
    int EventSelection() const { return eventCursor_; }
    int SelectedMacro() const { return selectedMacro_; }
    int SelectedEntry() const { return selectedEntry_; }
    const std::u16string& LoopText() const { return loopText_; }
    const std::u16string& KeyText() const { return keyText_; }
    const std::u16string& DelayText() const { return delayText_; }
    uint32_t CapturedKey() const { return capturedKey_; }
    uint32_t RecordedCount() const { return recordedCount_; }
    const PanelLook& Panel() const { return panel_; }

private:
    enum class PanelEnd { Confirm, Cancel };

    MacroEditorView& View() { return view_ ? *view_ : nullView_; }
    void SetLoopText(std::u16string_view text, bool caretToEnd = false);
    void LoopTextChanged();
    void SetKeyText(std::u16string_view text);
    void SetDelayText(std::u16string_view text);
    void SetPanel(const PanelLook& look);
    void Capture(bool on);

    void HidePanel(PanelEnd end);
    void CancelEditing();
    void OpenKeyPanelForInsert();
    void OpenDelayPanelForInsert();
    void OpenKeyPanelForModify();
    void OpenDelayPanelForModify();
    void InsertEventEntry();
    void ModifyEventEntry();

    void StartRecording();
    void StopRecording();
    void RecordKey(uint32_t key, uint32_t flags);

    void ClearEvents();
    void AppendEvent(const EventEntry& entry);
    void InsertEvent(int index, const EventEntry& entry);
    void ReplaceEvent(int index, const EventEntry& entry);
    void ShowAllEvents();
    bool RoomForEntries(size_t added);
    int CommitTarget() const;

    MacroEditorView nullView_;
    MacroEditorView* view_ = nullptr;
    WindowId self_ = 0;

    std::vector<MacroListItem> macros_;
    std::vector<EventEntry> events_;
    int macroCursor_ = -1;  // the macro list's current selection
    int eventCursor_ = -1;  // the event list's current selection
    int selectedMacro_ = -1;
    int selectedEntry_ = -1;
    GameGroup currentGroup_ = kUserGameGroup;
    std::u16string groupCaption_;

    int editMode_ = EditNone;
    PanelLook panel_;
    std::u16string loopText_ = u"1";
    std::u16string keyText_ = u"A";
    std::u16string delayText_ = u"7";
    bool loopValidating_ = false;
    bool switchingMacro_ = false;
    bool captureOn_ = false;

    bool recording_ = false;
    bool skipDelays_ = false;
    uint32_t recordedCount_ = 0;
    uint32_t lastTick_ = 0;
    uint32_t capturedKey_ = 0;
};

// The hint ids of the page's controls under a point of the page, in the order of the page's
// control table. A hidden panel control gives no hint.
std::vector<int> MacroPageHintIds(int x, int y, bool chinese, bool recording,
                                  const PanelLook& panel);

}  // namespace tarn
