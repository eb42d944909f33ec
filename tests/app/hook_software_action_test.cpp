#include <gtest/gtest.h>

#include "app/input_hooks.h"
#include "app/software_action.h"
#include "base/text.h"
#include "catalogue/function_catalogue.h"

namespace tarn {
namespace {

ProfileRecord ProfileWithAction(int button, uint32_t kind, std::u16string_view path) {
    ProfileRecord profile;
    MakeDefaultProfile(profile);
    profile.buttons[button].functionType = kFunctionSoftware;
    profile.buttons[button].actionKind = kind;
    CopyToFixed(profile.buttons[button].actionPath, path);
    return profile;
}

TEST(SoftwareActionTest, FilesAndFoldersWithASpaceAreQuotedProgramsAndSoundsAreNot) {
    const std::u16string spaced = u"C:\\My Files\\a b.txt";
    struct Case {
        uint32_t kind;
        SoftwareAction::Kind expectedKind;
        std::u16string expectedPath;
    } cases[] = {
        {kActionSound, SoftwareAction::Kind::Sound, spaced},
        {kActionProgram, SoftwareAction::Kind::Open, spaced},
        {kActionFile, SoftwareAction::Kind::Open, u"\"" + spaced + u"\""},
        {kActionFolder, SoftwareAction::Kind::Open, u"\"" + spaced + u"\""},
    };
    for (const Case& c : cases) {
        const auto action = ActionForReport(ProfileWithAction(1, c.kind, spaced), 0x207);
        ASSERT_TRUE(action) << std::hex << c.kind;
        EXPECT_EQ(action->kind, c.expectedKind);
        EXPECT_EQ(action->path, c.expectedPath);
    }
    const auto plain = ActionForReport(ProfileWithAction(1, kActionFolder, u"C:\\Games"), 0x207);
    EXPECT_EQ(plain->path, u"C:\\Games");
    // Already quoted: not wrapped a second time.
    const auto quoted = ActionForReport(ProfileWithAction(1, kActionFile, u"\"C:\\a b\""), 0x207);
    EXPECT_EQ(quoted->path, u"\"C:\\a b\"");
}

TEST(SoftwareActionTest, EveryButtonsReportCodeFindsItsActionTheLeftButtonIncluded) {
    for (int button = 0; button < kButtonCount; ++button) {
        const auto profile = ProfileWithAction(button, kActionProgram, u"calc.exe");
        for (int other = 0; other < kButtonCount; ++other) {
            EXPECT_EQ(ActionForReport(profile, ButtonReportCodes[other]).has_value(),
                      other == button);
        }
    }
}

TEST(SoftwareActionTest, NoActionWithoutAUsableAssignment) {
    ProfileRecord profile = ProfileWithAction(2, kActionProgram, u"calc.exe");
    EXPECT_FALSE(ActionForReport(profile, kReportKey));
    EXPECT_FALSE(ActionForReport(profile, 0x12345));
    EXPECT_FALSE(ActionForReport(ProfileWithAction(2, 0xB0, u"calc.exe"), kReportRightDown));
    EXPECT_FALSE(ActionForReport(ProfileWithAction(2, kActionSound, u""), kReportRightDown));
    profile.buttons[2].functionType = 37;  // the path stays behind but the function changed
    EXPECT_FALSE(ActionForReport(profile, kReportRightDown));
    // A path that fills the whole array without a terminator is read to its end only.
    ProfileRecord full = ProfileWithAction(2, kActionSound, u"x");
    for (char16_t& unit : full.buttons[2].actionPath) unit = u'a';
    EXPECT_EQ(ActionForReport(full, kReportRightDown)->path.size(), size_t(kPathUnits));
}

TEST(HookThreadStartTest, ReportsMouseOnlyAndSwallowsActionButtonsOfKnownKinds) {
    ProfileRecord profile = ProfileWithAction(ButtonMiddle, kActionSound, u"ding.wav");
    profile.buttons[ButtonWheelDown].functionType = kFunctionSoftware;
    profile.buttons[ButtonWheelDown].actionKind = kActionFolder;
    profile.buttons[ButtonBack].functionType = kFunctionSoftware;
    profile.buttons[ButtonBack].actionKind = 0x10;  // unknown kind
    HookState state;
    StartHookReporting(state, profile);
    EXPECT_FALSE(state.reportKeys.load());
    EXPECT_TRUE(state.reportMouse.load());
    EXPECT_TRUE(IsIntercepted(state, kReportMiddleDown));
    EXPECT_TRUE(IsIntercepted(state, kReportWheelDown));
    EXPECT_FALSE(IsIntercepted(state, kReportBackDown));
    EXPECT_FALSE(IsIntercepted(state, kReportLeftDown));
}

}  // namespace
}  // namespace tarn
