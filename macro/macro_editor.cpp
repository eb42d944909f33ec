#include "macro/macro_editor.h"

#include <algorithm>
#include <limits>

#include "base/clock.h"
#include "base/hook_state.h"
#include "base/language_state.h"
#include "base/text.h"
#include "base/user_messages.h"
#include "base/window_messages.h"
#include "catalogue/key_names.h"
#include "skin/skin_geometry.h"

namespace tarn {

namespace {

// The debugger line of a stored event word of an unknown kind, spelt as it always was.
constexpr std::u16string_view kInvalidItem = u"LoadMacroToList:  Not a vaild item";

bool IsSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// A field read as the system's wide string-to-long conversion reads it (a 32-bit long, clamped
// on overflow), and whether nothing followed the number. Without digits nothing is converted
// and the whole text is left over.
struct ReadNumber {
    int32_t value;
    bool whole;
};

ReadNumber ReadLong(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    const size_t digits = i;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = std::min<int64_t>(value * 10 + (text[i] - u'0'), int64_t{1} << 40);
    }
    if (i == digits) return {0, text.empty()};
    if (negative) value = -value;
    value = std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                std::numeric_limits<int32_t>::max());
    return {static_cast<int32_t>(value), i == text.size()};
}

// A delay typed into the delay field. An empty field is no delay: confirming it inserts or
// changes nothing, as a field with letters in it does. So is a negative one (only a paste gets
// a sign into the field): cut to 24 bits it would become a pause of more than four hours.
bool ReadDelayField(std::u16string_view text, int32_t* value) {
    if (text.empty()) return false;
    const ReadNumber n = ReadLong(text);
    *value = n.value;
    return n.whole && n.value >= 0;
}

EventEntry RecordedDelay(uint32_t milliseconds) {
    // The list keeps 24 bits; the text shows the pause as measured.
    return {EntryDelay, milliseconds & 0xFFFFFF, DelayText(milliseconds)};
}

uint32_t CappedSum(uint32_t a, uint32_t b) {
    return static_cast<uint32_t>(std::min<uint64_t>(uint64_t{a} + b, MaxMergedDelay));
}

// Where an entry ends up after MergeAdjacentDelays: a run of delays folds into its first place.
int MergedPosition(const std::vector<EventEntry>& entries, int index) {
    int kept = -1;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const bool folds =
            i > 0 && entries[i].type == EntryDelay && entries[i - 1].type == EntryDelay;
        if (!folds) ++kept;
        if (i == index) return kept;
    }
    return -1;
}

bool IsKeyMode(int mode) {
    return mode == EditInsertKey || mode == EditModifyKey;
}

bool IsDelayMode(int mode) {
    return mode == EditInsertDelay || mode == EditModifyDelay;
}

}  // namespace

RecordedKeyEvent& LastRecordedEvent() {
    static RecordedKeyEvent last;
    return last;
}

MacroEditor::MacroEditor() = default;

void MacroEditor::Attach(MacroEditorView* view, WindowId self) {
    view_ = view;
    self_ = view ? self : 0;
    if (!view) return;
    // The group button reads as the page was made: the chosen group, or the user's own.
    if (groupCaption_.empty()) groupCaption_ = GameGroupSelectorText(currentGroup_);
    view->ShowGroupCaption(groupCaption_);
    view->MacroListRedraw(false);
    view->MacroListReset();
    for (const MacroListItem& item : macros_) view->MacroListAppend(item.name, item.id, false);
    view->MacroListSelect(macroCursor_);
    view->MacroListRedraw(true);
    ShowAllEvents();
    view->ShowLoopText(loopText_, false);
    view->ShowKeyText(keyText_);
    view->ShowDelayText(delayText_);
    view->ShowPanel(panel_);
    view->ShowRecording(recording_);
    view->ShowSkipDelays(skipDelays_);
}

// ---- listing ---------------------------------------------------------------------------------

void MacroEditor::ListMacrosOfGroup(GameGroup group) {
    macros_.clear();
    macroCursor_ = -1;
    ClearEvents();
    View().MacroListRedraw(false);
    View().MacroListReset();
    for (MacroListItem& item : MacrosOfGroup(Macros(), group)) {
        View().MacroListAppend(item.name, item.id, false);
        macros_.push_back(std::move(item));
        macroCursor_ = static_cast<int>(macros_.size()) - 1;
    }
    View().MacroListRedraw(true);
    LoadMacroToList(macroCursor_);
    // The remembered selections follow the new list. Left at their old places, a click on the
    // macro now at the old index would count as no change and leave the previous macro's events
    // on screen, where the next commit would store them under the clicked macro's id.
    selectedMacro_ = macroCursor_;
    selectedEntry_ = eventCursor_;
}

int MacroEditor::LoadMacroToList(int index) {
    if (index < 0 || index >= static_cast<int>(macros_.size())) return -1;
    const uint32_t id = macros_[index].id;
    ClearEvents();
    const MacroEntries stored = EntriesOfMacro(Macros(), id);
    // Written while the event list is empty, so the commit it starts stores nothing.
    if (stored.found) SetLoopText(stored.loopText);
    View().EventListRedraw(false);
    for (const EventEntry& entry : stored.entries) AppendEvent(entry);
    if (stored.invalidKind) View().DebugOutput(kInvalidItem);
    View().EventListRedraw(true);
    return index;
}

void MacroEditor::NewMacro() {
    CancelEditing();
    const std::u16string name(Localized(u"新建宏", u"New Macro"));
    const uint32_t id = NewMacroId(currentGroup_);
    macros_.push_back({name, id});
    macroCursor_ = static_cast<int>(macros_.size()) - 1;
    View().MacroListAppend(name, id, true);
    selectedMacro_ = macroCursor_;
    LoadMacroToList(selectedMacro_);
    selectedEntry_ = -1;
}

void MacroEditor::SelectGroup(int menuId) {
    if (!IsGameGroup(menuId)) return;
    CancelEditing();
    // A recording belongs to the macro it started on; refilling the list under it would commit
    // it to whatever macro took that place.
    if (recording_) StopRecording();
    currentGroup_ = menuId;
    groupCaption_ = GameGroupSelectorText(menuId);
    View().ShowGroupCaption(groupCaption_);
    ListMacrosOfGroup(menuId);
}

// ---- controls --------------------------------------------------------------------------------

void MacroEditor::OnNewMacroButton() {
    if (recording_) return;
    NewMacro();
    SetLoopText(u"1");
}

void MacroEditor::OnDeleteMacro() {
    if (recording_ || macroCursor_ < 0) return;
    const int index = macroCursor_;
    if (!DeleteMacro(macros_[index].id)) return;
    CancelEditing();
    macros_.erase(macros_.begin() + index);
    View().MacroListRemove(index);
    macroCursor_ = -1;
    ClearEvents();
    selectedEntry_ = -1;
    // Nothing is selected now; a click on the macro that moved up must load it.
    selectedMacro_ = -1;
}

void MacroEditor::OnInsert() {
    if (recording_) return;
    // A fresh panel: whatever was open (a modify included) is given up.
    HidePanel(PanelEnd::Cancel);
    editMode_ = EditInsertKey;
    PanelLook look;
    look.keyChoice = true;
    look.delayChoice = true;
    SetPanel(look);
}

void MacroEditor::OnDeleteEntry() {
    if (recording_ || eventCursor_ < 0) return;
    CancelEditing();
    const int index = eventCursor_;
    events_.erase(events_.begin() + index);
    View().EventListRemove(index);
    // The entry that moved into its place is selected, so entries can be deleted one after
    // another.
    eventCursor_ = events_.empty() ? -1 : std::min(index, static_cast<int>(events_.size()) - 1);
    View().EventListSelect(eventCursor_);
    if (!events_.empty()) CommitMacro();
    selectedEntry_ = eventCursor_;
}

void MacroEditor::OnModify() {
    if (recording_ || eventCursor_ < 0) return;
    Capture(false);
    const uint8_t type = events_[eventCursor_].type;
    editMode_ = EditModifyKey;
    if (type == EntryPress || type == EntryRelease) {
        OpenKeyPanelForModify();
    } else if (type == EntryDelay) {
        editMode_ = EditModifyDelay;
        OpenDelayPanelForModify();
    }
}

void MacroEditor::OnDelayToggle() {
    skipDelays_ = !skipDelays_;
    View().ShowSkipDelays(skipDelays_);
}

void MacroEditor::OnKeyChoice() {
    if (editMode_ == EditNone) return;
    if (editMode_ == EditInsertKey || editMode_ == EditInsertDelay) editMode_ = EditInsertKey;
    OpenKeyPanelForInsert();
}

void MacroEditor::OnDelayChoice() {
    if (editMode_ == EditNone) return;
    if (editMode_ == EditInsertKey || editMode_ == EditInsertDelay) editMode_ = EditInsertDelay;
    OpenDelayPanelForInsert();
}

void MacroEditor::OnKeyConfirm() {
    if (editMode_ == EditNone) return;
    if (editMode_ == EditInsertKey) {
        InsertEventEntry();
    } else if (editMode_ == EditModifyKey) {
        ModifyEventEntry();
    } else {
        HidePanel(PanelEnd::Confirm);
    }
    CommitMacro();
    editMode_ = EditNone;
}

void MacroEditor::OnDelayConfirm() {
    if (editMode_ == EditNone) return;
    if (editMode_ == EditInsertDelay) {
        InsertEventEntry();
    } else if (editMode_ == EditModifyDelay) {
        ModifyEventEntry();
    } else {
        HidePanel(PanelEnd::Confirm);
    }
    CommitMacro();
    editMode_ = EditNone;
}

void MacroEditor::OnLoopTextTyped(std::u16string_view text) {
    loopText_ = text;
    LoopTextChanged();
}

void MacroEditor::OnDelayTextTyped(std::u16string_view text) {
    delayText_ = text;
}

void MacroEditor::OnKeyTextTyped(std::u16string_view text) {
    keyText_ = text;
}

// ---- list notifications ----------------------------------------------------------------------

void MacroEditor::OnSelectionChanged(int listId, int index) {
    if (listId == kMacroListId) {
        if (index < 0 || index >= static_cast<int>(macros_.size())) return;
        macroCursor_ = index;
        if (index == selectedMacro_) return;
        switchingMacro_ = true;
        CancelEditing();
        if (recording_) {
            // Committed to the macro it was recorded into, which selectedMacro still names.
            StopRecording();
        }
        selectedMacro_ = macroCursor_;
        LoadMacroToList(selectedMacro_);
        if (events_.empty()) SetLoopText(u"1");
        selectedEntry_ = eventCursor_;
        switchingMacro_ = false;
        return;
    }
    if (listId == kEventListId) {
        if (index < 0 || index >= static_cast<int>(events_.size())) return;
        eventCursor_ = index;
        if (index == selectedEntry_) return;
        selectedEntry_ = index;
        CancelEditing();
    }
}

void MacroEditor::OnRename(int index, std::u16string_view typed) {
    if (index < 0 || index >= static_cast<int>(macros_.size())) return;
    const std::u16string_view text = WithoutHalfPairAtEnd(typed);
    // A macro without a name could not be seen in any list; the old name stays.
    if (text.empty()) {
        View().MacroListSetText(index, macros_[index].name);
        return;
    }
    if (text.size() != typed.size()) View().MacroListSetText(index, text);
    macros_[index].name = text;
    const uint32_t id = macros_[index].id;
    // The name is written into every stored slot of the macro itself. Storing each slot through
    // StoreMacro, as a commit does, would copy a second slot of the same id over the first and
    // lose the first one's events.
    bool renamed = false;
    for (MacroRecord& record : Macros().slots) {
        if (record.id != id || !HoldsMacroForListing(record)) continue;
        if (FromFixed(record.name) == text) continue;
        // A slot that StoreMacro would refuse keeps its name, as it always did.
        if (record.size < kMinSavedMacroSize || (record.tag >> 16) != MacroTagMarker) continue;
        CopyToFixed(record.name, text);
        renamed = true;
    }
    if (renamed) SaveMacroStore();
}

// ---- recording -------------------------------------------------------------------------------

void MacroEditor::ToggleRecording() {
    if (IsKeyMode(editMode_)) {
        ShowInfoBox(Localized(u"正在修改/插入一个键，无法录制",
                              u"It is Modifying or inserting a button,you can not record"),
                    false);
        return;
    }
    if (IsDelayMode(editMode_)) {
        ShowInfoBox(Localized(u"正在修改/插入一个延时，无法录制",
                              u"It is Modifying or inserting a delay,you can not record"),
                    false);
        return;
    }
    Capture(false);
    HidePanel(PanelEnd::Cancel);
    if (macroCursor_ < 0) return;
    if (recording_) {
        StopRecording();
    } else {
        StartRecording();
    }
}

void MacroEditor::StartRecording() {
    View().ShowRecording(true);
    ClearEvents();
    recordedCount_ = 0;
    lastTick_ = 0;
    selectedMacro_ = macroCursor_;
    SetForwardTarget(self_);
    Capture(true);
    recording_ = true;
}

void MacroEditor::StopRecording() {
    View().ShowRecording(false);
    Capture(false);
    // Still recording while it commits, so the commit goes to the macro recorded into.
    CommitMacro();
    recording_ = false;
}

void MacroEditor::OnKeyEvent(uint32_t key, uint32_t flags) {
    RecordedKeyEvent& last = LastRecordedEvent();
    // Auto-repeated downs of a held key, and a first event that repeats the last one recorded.
    if (key == last.key && (flags & kKeyReleasedFlag) == (last.flags & kKeyReleasedFlag)) return;
    // A key the mouse has no name (and no usage) for would be a blank entry that plays nothing.
    const std::u16string_view name = KeyName(key);
    if (IsKeyMode(editMode_)) {
        if (name.empty()) return;
        SetKeyText(name);
        capturedKey_ = key;
        return;
    }
    // A key still queued when the recording stopped belongs to no recording.
    if (!recording_) return;
    if (recordedCount_ >= kRecordLimit) return;
    if (name.empty()) return;
    RecordKey(key, flags);
}

void MacroEditor::RecordKey(uint32_t key, uint32_t flags) {
    if (!skipDelays_) {
        const uint32_t now = SystemClock().TickCount();
        if (lastTick_ != 0) AppendEvent(RecordedDelay(now - lastTick_));
        lastTick_ = now;
    }
    AppendEvent(MakeKeyEntry((flags & kKeyReleasedFlag) ? EntryRelease : EntryPress, key));
    recordedCount_ += 2;
    LastRecordedEvent() = {key, flags};
}

void MacroEditor::OnHotSpot(HotSpot spot, uint32_t mouseMessage) {
    if (!recording_ && !IsKeyMode(editMode_)) return;
    if (self_ == 0) return;
    uint32_t key = kLeftButtonKey;
    if (spot == HotSpot::Right) key = kRightButtonKey;
    if (spot == HotSpot::Middle) key = kMiddleButtonKey;
    uint32_t flags = 0;
    if (mouseMessage == kHotSpotUp) {
        flags = kKeyReleasedFlag;
    } else if (mouseMessage != kHotSpotDown) {
        return;
    }
    // Through the page's own queue, behind any key already waiting there.
    Poster().Post(self_, kMsgHookKey, key, flags);
}

// ---- loop field and commit -------------------------------------------------------------------

void MacroEditor::ValidateLoopField() {
    loopValidating_ = true;
    std::u16string text = loopText_;
    size_t zeros = 0;
    while (zeros < text.size() && text[zeros] == u'0') ++zeros;
    if (zeros > 0) {
        text.erase(0, zeros);
        loopValidating_ = false;
        SetLoopText(text, true);
    }
    const ReadNumber n = ReadLong(text);
    // A pasted negative count is as meaningless as letters, not a request for the most repeats.
    if (!n.whole || n.value <= 0) {
        loopValidating_ = false;
        SetLoopText(u"1", true);
    } else if (static_cast<uint32_t>(n.value) > MaxLoopCount) {
        loopValidating_ = false;
        SetLoopText(u"65533", true);
    }
    loopValidating_ = false;
}

int MacroEditor::CommitTarget() const {
    return recording_ ? selectedMacro_ : macroCursor_;
}

bool MacroEditor::CommitMacro() {
    if (events_.empty()) return false;
    const int target = CommitTarget();
    if (target < 0 || target >= static_cast<int>(macros_.size())) return false;
    const size_t listed = events_.size();
    const int cursor = MergedPosition(events_, eventCursor_);
    const MacroListItem& macro = macros_[target];
    const bool stored = ::tarn::CommitMacro(events_, loopText_, macro.id, macro.name);
    // The merge of neighbouring delays shows on screen too.
    if (events_.size() != listed) {
        eventCursor_ = cursor;
        ShowAllEvents();
    }
    return stored;
}

void MacroEditor::LoopTextChanged() {
    if (!loopValidating_ && !switchingMacro_) CommitMacro();
}

void MacroEditor::SetLoopText(std::u16string_view text, bool caretToEnd) {
    loopText_ = text;
    View().ShowLoopText(loopText_, caretToEnd);
    // The field reports the write as a change of its text, as typing does.
    LoopTextChanged();
}

void MacroEditor::SetKeyText(std::u16string_view text) {
    keyText_ = text;
    View().ShowKeyText(keyText_);
}

void MacroEditor::SetDelayText(std::u16string_view text) {
    delayText_ = text;
    View().ShowDelayText(delayText_);
}

// ---- the panel -------------------------------------------------------------------------------

void MacroEditor::SetPanel(const PanelLook& look) {
    panel_ = look;
    View().ShowPanel(panel_);
}

void MacroEditor::Capture(bool on) {
    captureOn_ = on;
    SetForwarding(Hooks(), on, false);
}

void MacroEditor::HidePanel(PanelEnd end) {
    Capture(false);
    if (end == PanelEnd::Cancel) {
        SetKeyText(u"");
        SetDelayText(u"");
    }
    // Hidden with both choices unchecked, so the next insert starts from a clean panel.
    SetPanel(PanelLook{});
}

void MacroEditor::CancelEditing() {
    if (editMode_ == EditNone) return;
    HidePanel(PanelEnd::Cancel);
    editMode_ = EditNone;
}

void MacroEditor::OpenKeyPanelForInsert() {
    PanelLook look = panel_;
    look.keyChoiceChecked = true;
    look.delayChoiceChecked = false;
    look.keyField = true;
    look.keyConfirm = true;
    look.delayField = false;
    look.delayConfirm = false;
    SetKeyText(u"");
    SetPanel(look);
    capturedKey_ = 0;
    SetForwardTarget(self_);
    Capture(true);
}

void MacroEditor::OpenDelayPanelForInsert() {
    PanelLook look = panel_;
    look.keyChoiceChecked = false;
    look.delayChoiceChecked = true;
    look.delayField = true;
    look.delayConfirm = true;
    look.keyField = false;
    look.keyConfirm = false;
    SetDelayText(u"");
    SetPanel(look);
    View().FocusDelayField();
    Capture(false);
}

void MacroEditor::OpenKeyPanelForModify() {
    SetForwardTarget(self_);
    Capture(true);
    PanelLook look;
    look.keyChoice = true;
    look.keyChoiceChecked = true;
    look.keyField = true;
    look.keyConfirm = true;
    SetKeyText(u"");
    SetPanel(look);
    // A key caught by an earlier panel must not replace the entry unasked.
    capturedKey_ = 0;
    View().FocusKeyField();
}

void MacroEditor::OpenDelayPanelForModify() {
    PanelLook look;
    look.delayChoice = true;
    look.delayChoiceChecked = true;
    look.delayField = true;
    look.delayConfirm = true;
    SetDelayText(u"");
    SetPanel(look);
    View().FocusDelayField();
}

void MacroEditor::InsertEventEntry() {
    if (eventCursor_ < 0) {
        HidePanel(PanelEnd::Confirm);
        return;
    }
    const int at = eventCursor_;
    if (editMode_ == EditInsertKey) {
        Capture(false);
        if (capturedKey_ != 0 && RoomForEntries(2)) {
            // The pair goes before the selected entry.
            InsertEvent(at, MakeKeyEntry(EntryPress, capturedKey_));
            InsertEvent(at + 1, MakeKeyEntry(EntryRelease, capturedKey_));
        }
    } else if (editMode_ == EditInsertDelay) {
        int32_t value = 0;
        // A macro never starts with a delay, so nothing goes before the first entry.
        if (ReadDelayField(delayText_, &value) && at > 0) {
            const uint32_t d = static_cast<uint32_t>(value) & 0xFFFFFF;
            if (events_[at - 1].type == EntryDelay) {
                ReplaceEvent(at - 1, MakeDelayEntry(CappedSum(d, events_[at - 1].value)));
            } else if (events_[at].type == EntryDelay) {
                ReplaceEvent(at, MakeDelayEntry(CappedSum(d, events_[at].value)));
            } else if (RoomForEntries(1)) {
                InsertEvent(at, MakeDelayEntry(d));
            }
        }
    }
    HidePanel(PanelEnd::Confirm);
    selectedEntry_ = eventCursor_;
}

void MacroEditor::ModifyEventEntry() {
    if (eventCursor_ < 0) {
        HidePanel(PanelEnd::Confirm);
        return;
    }
    const int at = eventCursor_;
    const uint8_t type = events_[at].type;
    if (type == EntryPress || type == EntryRelease) {
        // Only this entry: its partner press or release keeps its key.
        if (capturedKey_ != 0) ReplaceEvent(at, MakeKeyEntry(type, capturedKey_));
    } else if (type == EntryDelay) {
        int32_t value = 0;
        if (ReadDelayField(delayText_, &value)) {
            const uint32_t d = std::min<uint32_t>(static_cast<uint32_t>(value), 0xFFFFFF);
            ReplaceEvent(at, MakeDelayEntry(d));
        }
    }
    HidePanel(PanelEnd::Confirm);
    selectedEntry_ = eventCursor_;
}

// ---- the event list --------------------------------------------------------------------------

void MacroEditor::ClearEvents() {
    events_.clear();
    eventCursor_ = -1;
    View().EventListReset();
}

void MacroEditor::AppendEvent(const EventEntry& entry) {
    events_.push_back(entry);
    eventCursor_ = static_cast<int>(events_.size()) - 1;
    View().EventListInsert(-1, entry);
}

void MacroEditor::InsertEvent(int index, const EventEntry& entry) {
    events_.insert(events_.begin() + index, entry);
    eventCursor_ = index;
    View().EventListInsert(index, entry);
}

void MacroEditor::ReplaceEvent(int index, const EventEntry& entry) {
    events_[index] = entry;
    eventCursor_ = index;
    View().EventListReplace(index, entry);
}

void MacroEditor::ShowAllEvents() {
    View().EventListRedraw(false);
    View().EventListReset();
    for (const EventEntry& entry : events_) View().EventListInsert(-1, entry);
    View().EventListSelect(eventCursor_);
    View().EventListRedraw(true);
}

// A record holds 1000 events; an edit that would go past them is refused, so nothing the user
// sees is cut off when it is stored.
bool MacroEditor::RoomForEntries(size_t added) {
    if (events_.size() + added <= static_cast<size_t>(kMaxMacroEvents)) return true;
    ShowInfoBox(Localized(u"一个宏最多 1000 个事件，不能再插入。",
                          u"A macro holds at most 1000 events; nothing more can be inserted."),
                false);
    return false;
}

// ---- hints -----------------------------------------------------------------------------------

std::vector<int> MacroPageHintIds(int x, int y, bool chinese, bool recording,
                                  const PanelLook& panel) {
    namespace mp = geo::macro_page;
    struct Target {
        geo::Rect rect;
        int hintId;
        bool shown;
    };
    const Target targets[] = {
        {mp::kNewMacro, 40, true},
        {mp::kDeleteMacro, 41, true},
        {mp::kInsert.get(chinese), 42, true},
        {mp::kDeleteEntry.get(chinese), 43, true},
        {mp::kModify.get(chinese), 44, true},
        {mp::kRecord, recording ? 46 : 45, true},
        {mp::kDelayToggle, 47, true},
        {mp::kLoopField, 48, true},
        {mp::kLeftSpot.get(chinese), 49, true},
        {mp::kMiddleSpot.get(chinese), 50, true},
        {mp::kRightSpot.get(chinese), 51, true},
        {mp::kKeyChoice.get(chinese), 52, panel.keyChoice},
        {mp::kKeyField.get(chinese), 52, panel.keyField},
        {mp::kDelayChoice.get(chinese), 53, panel.delayChoice},
        {mp::kDelayField.get(chinese), 53, panel.delayField},
        {mp::kGroupTitle, 86, true},
        {mp::kMacroListFrame, 87, true},
        {mp::kEntryTitle, 88, true},
        {mp::kEntryListFrame, 88, true},
    };
    std::vector<int> ids;
    for (const Target& t : targets) {
        if (!t.shown) continue;
        // The window rectangle grown by one pixel, so the hint holds across a control's edge.
        if (x >= t.rect.left - 1 && x < t.rect.right + 1 && y >= t.rect.top - 1 &&
            y < t.rect.bottom + 1) {
            ids.push_back(t.hintId);
        }
    }
    return ids;
}

}  // namespace tarn
