#include "catalogue/key_names.h"

#include <gtest/gtest.h>

#include <set>

namespace tarn {
namespace {

TEST(ComboDisplayName, ModifiersInTheirFixedOrderThenTheKey) {
    EXPECT_EQ(ComboDisplayName(0x00040000), u"A");
    EXPECT_EQ(ComboDisplayName(0x00280100), u"Ctrl + Enter");
    EXPECT_EQ(ComboDisplayName(0x000F0B00), u"Shift + Ctrl + Win + L");
    EXPECT_EQ(ComboDisplayName(0x00040300), u"Shift + Ctrl + A");
    EXPECT_EQ(ComboDisplayName(0x00E00000), u"LCtrl");
    EXPECT_EQ(ComboDisplayName(0), u"");
}

TEST(ComboDisplayName, UnknownUsageLeavesTheKeyEmpty) {
    EXPECT_EQ(ComboDisplayName(0x00FF0400), u"Alt + ");
    // Bits above the four modifiers are no modifier.
    EXPECT_EQ(ComboDisplayName(0x00041000), u"A");
}

TEST(VirtualKeyName, FixedTableBeforeTheLayout) {
    EXPECT_EQ(VirtualKeyName(43), u"Enter");
    EXPECT_EQ(VirtualKeyName(108), u"\\");
    EXPECT_EQ(VirtualKeyName(0), u"");
    EXPECT_EQ(VirtualKeyName(255), u"");
    EXPECT_EQ(VirtualKeyName(44), u"PrtSc SysRq");
    EXPECT_EQ(VirtualKeyName(165), u"RAlt");
}

TEST(VirtualKeyName, PortableFallbackIsTheLatinLetterOrDigit) {
    EXPECT_EQ(VirtualKeyName('Q'), u"Q");
    EXPECT_EQ(VirtualKeyName('7'), u"7");
    EXPECT_EQ(VirtualKeyName(0xBA), u"");
    EXPECT_EQ(VirtualKeyName(0x141), u"");
}

TEST(VirtualKeyName, LayoutAnswerIsUpperCasedAndAskedAbove255) {
    static uint32_t asked = 0;
    SetKeyboardLayoutChar([](uint32_t vk) -> char {
        asked = vk;
        return vk == 0xBA ? ';' : 'q';
    });
    EXPECT_EQ(VirtualKeyName(0xBA), u";");
    EXPECT_EQ(VirtualKeyName(0x151), u"Q");
    EXPECT_EQ(asked, 0x151u);
    EXPECT_EQ(VirtualKeyName(13), u"Enter");
    SetKeyboardLayoutChar(nullptr);
}

TEST(UsageVkTable, LookupsBothWays) {
    EXPECT_EQ(UsageVkTable().size(), 107u);
    EXPECT_EQ(VirtualKeyToUsage(13), 0x28);
    EXPECT_EQ(UsageToVirtualKey(0x58), 13);
    EXPECT_EQ(VirtualKeyToUsage(1), 0xF0);
    EXPECT_EQ(UsageToVirtualKey(0x00), 0);
    EXPECT_EQ(VirtualKeyToUsage(0xFF), 0);
}

// Every usage appears once, and every virtual key but Enter maps back to its own usage.
TEST(UsageVkTable, RowsAreConsistent) {
    std::set<uint8_t> usages;
    for (const UsageVkPair& p : UsageVkTable()) {
        EXPECT_TRUE(usages.insert(p.usage).second) << int(p.usage);
        if (p.usage == 0x58) continue;
        EXPECT_EQ(VirtualKeyToUsage(p.virtualKey), p.usage) << int(p.usage);
    }
}

TEST(KeyName, LowByteOfTheCodeAgainstTheTable) {
    EXPECT_EQ(KeyName(44), u"");
    EXPECT_EQ(KeyName(42), u"Print");
    EXPECT_EQ(KeyName(0x141), u"A");
    EXPECT_EQ(KeyName(108), u"NUM Enter");
    EXPECT_EQ(KeyName(4), u"Middle Button");
    std::set<uint8_t> codes;
    for (const KeyNameRow& row : KeyNameTable()) {
        EXPECT_TRUE(codes.insert(row.code).second) << row.code;
    }
    EXPECT_EQ(KeyNameTable().size(), 106u);
}

}  // namespace
}  // namespace tarn
