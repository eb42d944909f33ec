// Profiles that follow the program in front, on a fake clock: the settling time, one apply at a
// time, the user's apply and edits winning, and nothing of a switch reaching the disk.
#include "app/profile_follower.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/main_controller.h"
#include "base/app_paths.h"
#include "base/text.h"
#include "settings/profile_files.h"
#include "settings/profile_selection.h"
#include "tests/support/doubles.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/quiet_main_window.h"

namespace tarn {
namespace {

const std::u16string kData = u"C:\\Temp\\NIREL\\Tarn";
const std::u16string kProfiles = kData + u"\\Profile";
const std::u16string kTable = kProfiles + u"\\ConfigInfo.cfg";
const std::u16string kLinks = kData + u"\\ProgramLinks.txt";

std::u16string ProfilePath(int slot) {
    return kProfiles + u"\\Profile" + char16_t(u'1' + slot) + u".cfg";
}

template <typename T>
std::vector<uint8_t> BytesOf(const T& value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    return {p, p + sizeof value};
}

using QuietShell = test::QuietMainWindow;

class FakeHost final : public FollowerHost {
public:
    MainController* controller = nullptr;
    bool inUse = false;
    bool dialogOpen = false;
    bool holding = false;
    int automaticApplies = 0;
    std::set<uint32_t> running;
    std::vector<int> shown;
    std::vector<std::u16string> titles, texts;

    bool WindowInUse() override { return inUse; }
    bool DialogOpen() override { return dialogOpen; }
    bool StartBackgroundApply() override {
        const bool started = controller->RequestBackgroundApply();
        automaticApplies += started;
        return started;
    }
    void RunUserApply(UserApply command) override {
        if (command == UserApply::RestoreDefaults) {
            controller->OnRestoreDefaults();
        } else {
            controller->PressApply();
        }
    }
    void HoldInput(bool hold) override { holding = hold; }
    void ShowSlot(int slot) override { shown.push_back(slot); }
    void Announce(std::u16string_view title, std::u16string_view text) override {
        titles.emplace_back(title);
        texts.emplace_back(text);
    }
    bool ProcessRunning(uint32_t id) override { return running.count(id) != 0; }
};

class ProfileFollowerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dataFolder = kData;
        files.fs.AddFolder(kProfiles);
        // Five profiles told apart by their pointer speed, five slots by their macro bindings.
        ProfileSlotTable table{};
        for (int i = 0; i < kSlotCount; ++i) {
            MakeDefaultProfile(saved[i]);
            saved[i].pointerSpeed = static_cast<uint32_t>(i + 1);
            files.fs.AddFile(ProfilePath(i), BytesOf(saved[i]));
            table.slots[i].slotMagic = SlotMagic;
            for (int b = 0; b < kButtonCount; ++b) table.slots[i].buttonMacroIds[b] = 10 * i + b;
        }
        table.slots[0].active = 1;
        files.fs.AddFile(kTable, BytesOf(table));
        WriteLinks("3=game.exe\r\n2=tool.exe\r\n4=game.exe\r\n");
        std::memset(settings.get(), 0, sizeof *settings);
        LoadProfilesAtStart(*settings, nullptr);
        LoadButtonMacroIds(*settings);
        host.controller = &controller;
        controller.SetApplyWorkerRunning(true);
        controller.SetFollower(&follower);
        follower.Start();
        files.fs.writesLog.clear();
    }
    void TearDown() override { dataFolder.clear(); }

    void WriteLinks(std::string_view text) {
        files.fs.AddFile(kLinks, std::vector<uint8_t>(text.begin(), text.end()));
    }
    void Front(std::u16string_view path, uint32_t pid) {
        host.running.insert(pid);
        follower.OnForeground({ForegroundProgram::Kind::Program, std::u16string(path), pid});
    }
    void FrontOwn() { follower.OnForeground({ForegroundProgram::Kind::Own, {}, 1}); }
    // Time passes with the window side's polls.
    void Wait(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 50) {
            clock.now += 50;
            follower.Poll();
        }
    }
    bool Applying() const { return apply.applyIdle == 0; }
    // The worker's answer.
    void Done() { controller.OnApplyDone(); }
    bool ShowsSaved(int slot) const {
        return settings->currentSlot == slot &&
               std::memcmp(&settings->currentProfile, &saved[slot], sizeof saved[slot]) == 0;
    }
    uint32_t StoredActive(int slot) const {
        ProfileSlotTable table;
        std::memcpy(&table, files.fs.Bytes(kTable).data(), sizeof table);
        return table.slots[slot].active;
    }

    test::ScopedMemoryFileSystem files;
    test::ScopedMessages messages;
    test::FakeClock clock;
    ProfileRecord saved[kSlotCount];
    std::unique_ptr<SettingsModel> settings = std::make_unique<SettingsModel>();
    ApplyShared apply;
    QuietShell shell;
    FakeHost host;
    MainController controller{shell, *settings, apply};
    ProfileFollower follower{host, *settings, apply, clock, kLinks};
};

TEST_F(ProfileFollowerTest, ALinkedProgramInFrontBringsItsSlotOnceTheForegroundSettles) {
    Front(u"C:\\Games\\GAME.EXE", 77);
    Wait(950);
    EXPECT_EQ(host.automaticApplies, 0);
    Wait(100);
    ASSERT_EQ(host.automaticApplies, 1);
    // The lower of the two slots that link the program, its saved profile and its bindings.
    EXPECT_TRUE(ShowsSaved(2));
    EXPECT_EQ(settings->buttonMacroIds[6], 26u);
    EXPECT_EQ(host.shown, std::vector<int>{2});
    EXPECT_EQ(host.titles.back(), u"Profile 3");
    EXPECT_EQ(host.texts.back(), u"GAME.EXE is in front");
    EXPECT_TRUE(host.holding);
    EXPECT_EQ(shell.progressShown, 0);

    // The worker's success saves nothing: the stored active slot stays the user's.
    Done();
    EXPECT_FALSE(host.holding);
    EXPECT_TRUE(files.fs.writesLog.empty());
    EXPECT_EQ(settings->slotTable.slots[0].active, 1u);
    EXPECT_EQ(settings->slotTable.slots[2].active, 0u);

    // Any other program brings back the slot the user chose.
    Front(u"C:\\Windows\\explorer.exe", 5);
    Wait(1100);
    EXPECT_EQ(host.automaticApplies, 2);
    EXPECT_TRUE(ShowsSaved(0));
    EXPECT_EQ(host.texts.back(), u"Back to the profile you chose");
    Done();
    EXPECT_TRUE(files.fs.writesLog.empty());
}

TEST_F(ProfileFollowerTest, AForegroundThatChangesAgainWithinASecondIsWaitedOut) {
    // Three switches within a second: one apply, for the last.
    Front(u"game.exe", 1);
    Wait(300);
    Front(u"explorer.exe", 2);
    Wait(300);
    Front(u"tool.exe", 3);
    Wait(950);
    EXPECT_EQ(host.automaticApplies, 0);
    Wait(100);
    EXPECT_EQ(host.automaticApplies, 1);
    EXPECT_TRUE(ShowsSaved(1));
    Done();
    // Away to the game and back within a second: nothing at all.
    Front(u"game.exe", 1);
    Wait(500);
    Front(u"tool.exe", 3);
    Wait(3000);
    EXPECT_EQ(host.automaticApplies, 1);
}

TEST_F(ProfileFollowerTest, OneApplyRunsOrWaitsAtATime) {
    Front(u"game.exe", 1);
    Wait(1100);
    ASSERT_TRUE(Applying());
    // The foreground moves twice while the worker is busy: nothing starts meanwhile ...
    Front(u"explorer.exe", 2);
    Wait(1100);
    Front(u"tool.exe", 3);
    Wait(1100);
    EXPECT_EQ(host.automaticApplies, 1);
    // ... and afterwards only the last one.
    Done();
    Wait(100);
    EXPECT_EQ(host.automaticApplies, 2);
    EXPECT_TRUE(ShowsSaved(1));
    Done();
    Wait(3000);
    EXPECT_EQ(host.automaticApplies, 2);
}

TEST_F(ProfileFollowerTest, TheUsersApplyDuringAnAutomaticOneRunsRightAfterIt) {
    Front(u"game.exe", 1);
    Wait(1100);
    ASSERT_TRUE(Applying());
    // OK pressed while the switch's apply runs: refused for now, not lost.
    settings->currentProfile.pointerSpeed = 17;
    controller.PressApply();
    EXPECT_EQ(shell.progressShown, 0);
    // A switch that comes up meanwhile waits for the user's apply too.
    Front(u"explorer.exe", 2);
    Wait(1100);
    Done();
    EXPECT_EQ(shell.progressShown, 1);
    EXPECT_TRUE(Applying());
    EXPECT_TRUE(files.fs.writesLog.empty());
    Wait(1100);
    EXPECT_EQ(host.automaticApplies, 1);
    // The user's apply saves the profile it sent, to the slot shown, and leaves the stored
    // active slot alone.
    Done();
    ProfileRecord written;
    std::memcpy(&written, files.fs.Bytes(ProfilePath(2)).data(), sizeof written);
    EXPECT_EQ(written.pointerSpeed, 17u);
    EXPECT_EQ(StoredActive(0), 1u);
    EXPECT_EQ(StoredActive(2), 0u);
    // Then the waiting switch: explorer is in front, so the user's slot comes back.
    Wait(100);
    EXPECT_EQ(host.automaticApplies, 2);
    EXPECT_TRUE(ShowsSaved(0));
}

TEST_F(ProfileFollowerTest, TheStartIntoTheTraysApplyIsGuardedAsASwitchIs) {
    ASSERT_TRUE(follower.ApplyCurrentInBackground());
    EXPECT_TRUE(host.holding);
    EXPECT_FALSE(follower.ApplyCurrentInBackground());
    controller.PressApply();
    EXPECT_EQ(shell.progressShown, 0);
    Done();
    EXPECT_FALSE(host.holding);
    EXPECT_TRUE(files.fs.writesLog.empty());
    // The OK that waited runs now, with its progress window.
    EXPECT_EQ(shell.progressShown, 1);
}

TEST_F(ProfileFollowerTest, RestoringDefaultsDuringAnAutomaticApplyWaitsForIt) {
    Front(u"game.exe", 1);
    Wait(1100);
    // The worker still reads profile 3: the defaults come once it is done, then go out.
    controller.PressApply();
    controller.OnRestoreDefaults();
    EXPECT_TRUE(ShowsSaved(2));
    Done();
    EXPECT_EQ(settings->currentProfile.pointerSpeed, 10u);
    EXPECT_EQ(shell.progressShown, 1);
    Done();
    ProfileRecord written;
    std::memcpy(&written, files.fs.Bytes(ProfilePath(2)).data(), sizeof written);
    EXPECT_EQ(written.pointerSpeed, 10u);
}

TEST_F(ProfileFollowerTest, TheProgramsOwnWindowKeepsTheSlotUntilTheFollowedProgramEnds) {
    Front(u"game.exe", 40);
    Wait(1100);
    Done();
    // Looking at this program's window: a pending switch is dropped, the slot stays.
    Front(u"explorer.exe", 2);
    Wait(500);
    FrontOwn();
    Wait(3000);
    EXPECT_EQ(host.automaticApplies, 1);
    EXPECT_EQ(settings->currentSlot, 2);
    // The game ends while this program is in front: the user's slot comes back.
    host.running.erase(40);
    Wait(1100);
    EXPECT_EQ(host.automaticApplies, 2);
    EXPECT_TRUE(ShowsSaved(0));
    Done();
    EXPECT_FALSE(follower.Busy());
}

TEST_F(ProfileFollowerTest, UnsavedEditsWaitWhileTheWindowIsInUseAndComeBackWithTheirSlot) {
    settings->currentProfile.ledColor = 0x00123456;
    settings->buttonMacroIds[1] = 999;
    host.inUse = true;
    Front(u"game.exe", 1);
    Wait(5000);
    EXPECT_EQ(host.automaticApplies, 0);
    EXPECT_EQ(settings->currentProfile.ledColor, 0x00123456u);
    // Hidden: the switch goes ahead and sets the edits aside.
    host.inUse = false;
    Wait(100);
    ASSERT_EQ(host.automaticApplies, 1);
    EXPECT_TRUE(ShowsSaved(2));
    Done();
    Front(u"explorer.exe", 2);
    Wait(1100);
    // The mouse gets profile 1 as saved; the pages get the edits back once it has.
    ASSERT_EQ(host.automaticApplies, 2);
    EXPECT_TRUE(ShowsSaved(0));
    Done();
    EXPECT_EQ(settings->currentSlot, 0);
    EXPECT_EQ(settings->currentProfile.ledColor, 0x00123456u);
    EXPECT_EQ(settings->buttonMacroIds[1], 999u);
    EXPECT_EQ(host.shown.back(), 0);
    EXPECT_TRUE(files.fs.writesLog.empty());
}

TEST_F(ProfileFollowerTest, AnOpenDialogOfTheProgramWaitsTheSwitchOut) {
    host.dialogOpen = true;
    host.inUse = true;
    Front(u"game.exe", 1);
    Wait(3000);
    EXPECT_EQ(host.automaticApplies, 0);
    host.dialogOpen = false;
    Wait(100);
    EXPECT_EQ(host.automaticApplies, 1);
}

TEST_F(ProfileFollowerTest, TheUsersNewChoiceIsTheSlotThatComesBack) {
    Front(u"game.exe", 1);
    Wait(1100);
    Done();
    controller.SelectProfile(5);
    EXPECT_EQ(follower.UserSlot(), 4);
    Front(u"explorer.exe", 2);
    Wait(1100);
    EXPECT_EQ(host.automaticApplies, 1);
    Front(u"tool.exe", 3);
    Wait(1100);
    Done();
    Front(u"explorer.exe", 2);
    Wait(1100);
    EXPECT_TRUE(ShowsSaved(4));
}

TEST_F(ProfileFollowerTest, ADamagedLinksFileMeansNoSwitchAndIsToldOnce) {
    WriteLinks("3=game.exe\r\nthis is not a link\r\n");
    follower.ReloadLinks();
    ASSERT_EQ(host.texts.size(), 1u);
    EXPECT_EQ(host.titles[0], u"Programs");
    EXPECT_EQ(host.texts[0], kLinks + u" is damaged (line 2): no program brings a profile until "
                                      u"the links are set again.");
    for (int i = 0; i < 3; ++i) {
        Front(u"game.exe", 1);
        Wait(1100);
        Front(u"explorer.exe", 2);
        Wait(1100);
    }
    EXPECT_EQ(host.automaticApplies, 0);
    EXPECT_EQ(host.texts.size(), 1u);
    // Mended (by tarnctl or the dialog), it counts at the next change.
    WriteLinks("3=game.exe\r\n");
    Front(u"game.exe", 1);
    Wait(1100);
    EXPECT_EQ(host.automaticApplies, 1);
}

TEST_F(ProfileFollowerTest, ASlotWhoseFileIsNoProfileIsNotSwitchedTo) {
    files.fs.AddFile(ProfilePath(2), std::vector<uint8_t>(100, 0xAB));
    for (int i = 0; i < 2; ++i) {
        Front(u"game.exe", 1);
        Wait(1100);
        Front(u"explorer.exe", 2);
        Wait(1100);
    }
    EXPECT_EQ(host.automaticApplies, 0);
    EXPECT_TRUE(ShowsSaved(0));
    EXPECT_EQ(host.texts.size(), 1u);
    EXPECT_TRUE(files.fs.writesLog.empty());
}

TEST_F(ProfileFollowerTest, AFailedAutomaticApplyIsToldInTheTrayAndSavesNothing) {
    Front(u"game.exe", 1);
    Wait(1100);
    controller.OnApplyFailed(1);
    EXPECT_TRUE(shell.infos.empty());
    EXPECT_EQ(host.texts.back(), u"Write mouse LED color failed.");
    EXPECT_FALSE(host.holding);
    EXPECT_EQ(apply.applyIdle, 1);
    EXPECT_TRUE(files.fs.writesLog.empty());
    // The user's own failure is still told in a box.
    controller.PressApply();
    controller.OnApplyFailed(1);
    EXPECT_EQ(shell.infos.size(), 1u);
}

}  // namespace
}  // namespace tarn
