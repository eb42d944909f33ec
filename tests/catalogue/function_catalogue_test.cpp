#include "catalogue/function_catalogue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "base/language_state.h"

namespace tarn {
namespace {

class LanguageGuard {
public:
    explicit LanguageGuard(int chinese) { ChineseUi = chinese; }
    ~LanguageGuard() { ChineseUi = 0; }
};

TEST(FunctionDisplayName, CodesWithoutANameReadEmptyInBothLanguages) {
    for (FunctionCode code : {0, 3, FnKeyCombination, FnMacro, FnSoftwareAction, 999, -1}) {
        EXPECT_TRUE(FunctionDisplayName(code, false).empty()) << code;
        EXPECT_TRUE(FunctionDisplayName(code, true).empty()) << code;
    }
}

TEST(FunctionDisplayName, FollowsTheInterfaceLanguageAndKeepsTheOldTexts) {
    EXPECT_EQ(FunctionDisplayName(FnZoomIn), u"sreen zoom in");
    EXPECT_EQ(FunctionDisplayName(FnScrollDown), u"Scroll");
    LanguageGuard chinese(1);
    EXPECT_EQ(FunctionDisplayName(FnVolumeUp), u"音量+");
    EXPECT_EQ(FunctionDisplayName(FnScrollDown), u"滚轮后滚");
}

TEST(FunctionCatalogue, CodesAreUniqueAscendingAndNamed) {
    FunctionCode previous = 0;
    for (const FunctionInfo& f : FunctionCatalogue()) {
        EXPECT_GT(f.code, previous) << f.name;
        EXPECT_EQ(std::strncmp(f.name, "Fn", 2), 0) << f.name;
        previous = f.code;
    }
    EXPECT_EQ(FunctionCatalogue().size(), 30u);
}

// The words the mouse receives for a default profile are fixed by its firmware.
TEST(KeyMatrix, DefaultProfileGivesTheKnownWords) {
    auto profile = std::make_unique<ProfileRecord>();
    MakeDefaultProfile(*profile);
    const KeyMatrix m = KeyMatrixWithoutMacros(*profile);
    const DeviceKeyEntry expected[kKeyMatrixSlots] = {
        0x00F00001, 0x00F10001, 0x00F20001, 0x00030007, 0x00F30001, 0x00F40001, 0,         0, 0,
        0,          0,          0,          0,          0,          0x00010004, 0x00020004};
    for (int s = 0; s < kKeyMatrixSlots; ++s) EXPECT_EQ(m.slots[s], expected[s]) << s;
}

TEST(KeyMatrix, WordOfEachKindOfAssignment) {
    ButtonAssignment b{};
    b.functionType = 3;  // never stored by the program
    EXPECT_EQ(WordOfButton(b, 0).source, ButtonWordSource::None);
    EXPECT_EQ(WordOfButton(b, 0).word, 0u);

    b.functionType = FnSoftwareAction;
    EXPECT_EQ(WordOfButton(b, ButtonBack).source, ButtonWordSource::SoftwareAction);
    EXPECT_EQ(WordOfButton(b, ButtonBack).word, 0x00F30001u);
    EXPECT_EQ(WordOfButton(b, ButtonWheelDown).word, 0x00020004u);

    b.functionType = FnKeyCombination;
    b.comboCode = 0x00040300;
    EXPECT_EQ(WordOfButton(b, 2).word, 0x00040300u);

    b.functionType = FnMacro;
    EXPECT_EQ(WordOfButton(b, 2).source, ButtonWordSource::Macro);

    b.functionType = FnFire;
    EXPECT_EQ(WordOfButton(b, 2).word, 0x0218F00Au);
    EXPECT_EQ(WordOfButton(b, 7).source, ButtonWordSource::None);
}

TEST(KeyMatrix, WordBuilders) {
    EXPECT_EQ(MacroWord(2, 0x1FF), 0xFF020009u);
    EXPECT_EQ(KeyboardWord(ModWin, 0x0F), FixedFunctionWord(FnLockPc));
    EXPECT_EQ(KeyboardWord(ModAlt, 0x3D), FixedFunctionWord(FnCloseWindow));
}

TEST(DefaultNameTranslation, RewritesOnlyTheSevenNames) {
    EXPECT_EQ(TranslateDefaultName(u"滚轮后滚", false), u"Scroll down");
    EXPECT_EQ(TranslateDefaultName(u"Scroll up", true), u"滚轮前滚");
    EXPECT_EQ(TranslateDefaultName(u"Click", false), u"Click");
    EXPECT_EQ(TranslateDefaultName(u"Ctrl + A", true), u"Ctrl + A");
}

}  // namespace
}  // namespace tarn
