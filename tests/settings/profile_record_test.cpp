#include "settings/profile_record.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/language_state.h"
#include "base/text.h"

namespace tarn {
namespace {

uint32_t WordAt(const ProfileRecord& r, size_t offset) {
    uint32_t v;
    std::memcpy(&v, reinterpret_cast<const uint8_t*>(&r) + offset, 4);
    return v;
}

class ProfileRecordTest : public ::testing::Test {
protected:
    void TearDown() override { ChineseUi = 0; }
};

TEST_F(ProfileRecordTest, DefaultRecordHasTheFileLayout) {
    ProfileRecord r;
    std::memset(&r, 0xAA, sizeof r);
    MakeDefaultProfile(r);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&r);
    EXPECT_EQ(bytes[0], 0x22);
    EXPECT_EQ(bytes[1], 0x00);
    EXPECT_EQ(bytes[2], 0x80);
    EXPECT_EQ(bytes[3], 0x80);
    EXPECT_EQ(WordAt(r, 4), 1u);
    EXPECT_EQ(WordAt(r, 18892), 22u);
    EXPECT_EQ(WordAt(r, 0x568C), 3u);
    EXPECT_EQ(WordAt(r, 0x5618), 750u);
    EXPECT_EQ(WordAt(r, 0x5628), 3000u);
    EXPECT_EQ(WordAt(r, 0x562C), 0u);
    EXPECT_EQ(WordAt(r, 0x566C), 0xFFu);
    // Everything the defaults do not name, reserved areas included, is zero.
    for (size_t i = 0x5638; i < 0x5660; ++i) EXPECT_EQ(bytes[i], 0) << i;
    for (int b = 0; b < kButtonCount; ++b) {
        const ButtonAssignment& a = r.buttons[b];
        EXPECT_EQ(a.actionKind, 0u);
        EXPECT_EQ(a.comboCode, 0u);
        EXPECT_EQ(a.actionPath[0], 0);
        for (uint8_t reserved : a.reserved2) ASSERT_EQ(reserved, 0);
    }
}

TEST_F(ProfileRecordTest, DefaultValuesOfTheScalarFields) {
    ProfileRecord r;
    MakeDefaultProfile(r);
    EXPECT_EQ(r.sheight, 15u);
    EXPECT_EQ(r.pollInterval, 1u);
    EXPECT_EQ(r.ledMode, 4u);
    EXPECT_EQ(r.ledColorCustom, 1u);
    EXPECT_EQ(r.ledPresetIndex, 0u);
    EXPECT_EQ(r.pointerSpeed, 10u);
    EXPECT_EQ(r.ledSpeedMode1, 5u);
    EXPECT_EQ(r.ledSpeedMode2, 3u);
    EXPECT_EQ(r.enhancePointerPrecision, 0u);
    const uint32_t expected[] = {1, 4, 2, 8, 16, 11, 22};
    for (int b = 0; b < kButtonCount; ++b) EXPECT_EQ(r.buttons[b].functionType, expected[b]);
}

TEST_F(ProfileRecordTest, DefaultNamesFollowTheLanguageAtTheMomentOfDefaulting) {
    ProfileRecord english;
    ChineseUi = 0;
    MakeDefaultProfile(english);
    EXPECT_EQ(FromFixed(english.buttons[1].displayName), u"Middle");
    EXPECT_EQ(FromFixed(english.buttons[6].displayName), u"Scroll");

    ChineseUi = 1;
    ProfileRecord chinese;
    MakeDefaultProfile(chinese);
    EXPECT_EQ(FromFixed(chinese.buttons[1].displayName), u"中键");
    EXPECT_EQ(FromFixed(chinese.buttons[5].displayName), u"滚轮前滚");
    // A record made earlier keeps its names when the language changes.
    EXPECT_EQ(FromFixed(english.buttons[1].displayName), u"Middle");
}

TEST(ProfileSlotsTest, ActivateLeavesExactlyOneActiveSlot) {
    ProfileSlotTable table{};
    for (auto& s : table.slots) s.active = 7;
    ActivateSlot(table, 3);
    for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(table.slots[i].active, i == 3 ? 1u : 0u);
}

TEST(ProfileSlotsTest, ShownSelectedNeedsTheMarkerOnlyAtStartUp) {
    ProfileSlotTable table{};
    table.slots[0].active = 1;  // no marker, as in a table read from a foreign file
    EXPECT_FALSE(SlotShownSelected(table, 0, true));
    EXPECT_TRUE(SlotShownSelected(table, 0, false));
    table.slots[1].slotMagic = SlotMagic;
    table.slots[1].active = 2;
    EXPECT_TRUE(SlotShownSelected(table, 1, true));
    EXPECT_FALSE(SlotShownSelected(table, 1, false));
    EXPECT_FALSE(SlotShownSelected(table, 5, false));
}

TEST(ProfileSlotsTest, MacroBindingsMoveBetweenSlotAndWorkingCopy) {
    SettingsModel m{};
    m.currentSlot = 2;
    m.slotTable.slots[2].buttonMacroIds[4] = 0x1234;
    LoadButtonMacroIds(m);
    EXPECT_EQ(m.buttonMacroIds[4], 0x1234u);
    m.buttonMacroIds[0] = 9;
    StoreButtonMacroIds(m);
    EXPECT_EQ(m.slotTable.slots[2].buttonMacroIds[0], 9u);
    EXPECT_EQ(m.slotTable.slots[1].buttonMacroIds[0], 0u);

    m.currentProfile.buttons[0].functionType = 6;
    ResetToDefaults(m);
    EXPECT_EQ(m.currentProfile.buttons[0].functionType, 1u);
    for (uint32_t id : m.buttonMacroIds) EXPECT_EQ(id, 0u);
    // The slot keeps its bindings until the next save stores the working copy.
    EXPECT_EQ(m.slotTable.slots[2].buttonMacroIds[0], 9u);
}

}  // namespace
}  // namespace tarn
