#include "update/update_check.h"

#include <gtest/gtest.h>

#include "base/app_paths.h"
#include "base/language_state.h"
#include "tests/support/doubles.h"
#include "tests/support/memory_file_system.h"
#include "update/sha256.h"

namespace tarn {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

struct FakeShell final : UpdateCheckShell {
    int timerStarts = 0, timerStops = 0, toolStarts = 0;
    bool toolWorks = true;
    void StartTimeoutTimer() override { ++timerStarts; }
    void StopTimeoutTimer() override { ++timerStops; }
    bool StartFirmwareTool() override {
        ++toolStarts;
        return toolWorks;
    }
};

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        programFolder = u"C:\\Tarn";
        ChineseUi = 0;
        files.fs.AddFolder(u"C:\\Tarn\\FWUpdate\\new_version");
        check.SetDeviceFirmwareText(u"15");
    }

    // The worker's part: takes the request and answers with a manifest.
    uint32_t AnswerManifest(const char* current, bool obtained = true) {
        const auto request = shared->Take();
        EXPECT_TRUE(request);
        if (!request) return 0;
        EXPECT_EQ(request->job, UpdateJob::Manifest);
        shared->StoreResult({request->id, obtained, {FromAscii(current), u"http://h/new.bin", {}}});
        check.OnManifestFetched(request->id, obtained);
        return request->id;
    }
    static std::u16string FromAscii(const char* s) {
        return std::u16string(s, s + std::char_traits<char>::length(s));
    }
    std::vector<std::u16string> Texts() const {
        std::vector<std::u16string> texts;
        for (const auto& shown : boxes.messages.shown) texts.push_back(shown.text);
        return texts;
    }

    test::ScopedMemoryFileSystem files;
    test::ScopedMessages boxes;
    FakeShell shell;
    std::shared_ptr<UpdateShared> shared = std::make_shared<UpdateShared>();
    UpdateCheck check{shell, shared};
};

TEST_F(UpdateCheckTest, NewerManifestAsksAndAnOkFetchesTheImageThenFlashes) {
    check.CheckForUpdate();
    EXPECT_EQ(shell.timerStarts, 1);
    EXPECT_TRUE(shared->updateCheckEvent.IsSet());
    EXPECT_FALSE(check.CheckAllowed());
    AnswerManifest("16");
    EXPECT_EQ(shell.timerStops, 1);
    EXPECT_EQ(Texts(), std::vector<std::u16string>{std::u16string(NewerFirmwareQuestion())});
    EXPECT_TRUE(boxes.messages.shown[0].withCancel);
    EXPECT_EQ(check.NewFirmwareAddress(), u"http://h/new.bin");

    const auto image = shared->Take();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->job, UpdateJob::Image);
    EXPECT_EQ(image->manifest.newfile, u"http://h/new.bin");
    EXPECT_FALSE(check.CheckAllowed());  // still under way while the image comes
    check.OnImageFetched(image->id, true);
    EXPECT_EQ(shell.toolStarts, 1);
}

TEST_F(UpdateCheckTest, SameOrOlderOrMissingManifestSaysLatest) {
    for (const char* current : {"15", "3", ""}) {
        boxes.messages.shown.clear();
        check.CheckForUpdate();
        AnswerManifest(current);
        EXPECT_EQ(Texts(), std::vector<std::u16string>{u"Firmware is the latest version."});
        EXPECT_TRUE(check.CheckAllowed());
    }
    boxes.messages.shown.clear();
    check.CheckForUpdate();
    AnswerManifest("99", false);  // the download failed
    EXPECT_EQ(Texts(), std::vector<std::u16string>{u"Firmware is the latest version."});
    EXPECT_FALSE(shared->Take());
}

TEST_F(UpdateCheckTest, ChineseTexts) {
    ChineseUi = 1;
    check.CheckForUpdate();
    AnswerManifest("15");
    EXPECT_EQ(Texts(), std::vector<std::u16string>{u"固件已经是最新版本."});
    check.CheckForUpdate();
    boxes.messages.answer = kInfoClosed;
    AnswerManifest("16");
    EXPECT_EQ(Texts().back(), u"游戏鼠标固件有更新,是否更新到最新版本?");
    ChineseUi = 0;
}

TEST_F(UpdateCheckTest, SecondClickDuringACheckDoesNothing) {
    check.CheckForUpdate();
    check.CheckForUpdate();
    EXPECT_EQ(shell.timerStarts, 1);
    ASSERT_TRUE(shared->Take());
    check.CheckForUpdate();
    EXPECT_FALSE(shared->Take());
    EXPECT_TRUE(boxes.messages.shown.empty());
}

TEST_F(UpdateCheckTest, SlowCheckSaysLatestAfterTheTimerAndDropsTheLateAnswer) {
    check.CheckForUpdate();
    check.OnTimeout();
    EXPECT_EQ(Texts(), std::vector<std::u16string>{u"Firmware is the latest version."});
    EXPECT_TRUE(check.CheckAllowed());
    // The timer took back a request the worker had not started.
    EXPECT_FALSE(shared->updateCheckEvent.IsSet());
    EXPECT_FALSE(shared->Take());

    // A worker that had started answers late: nothing more is shown.
    shared->StoreResult({1, true, {u"16", u"http://h/new.bin", {}}});
    check.OnManifestFetched(1, true);
    EXPECT_EQ(boxes.messages.shown.size(), 1u);
    EXPECT_FALSE(shared->Take());

    // The next check goes ahead and its own answer counts.
    check.CheckForUpdate();
    boxes.messages.answer = kInfoClosed;
    AnswerManifest("16");
    EXPECT_EQ(Texts().back(), NewerFirmwareQuestion());
    EXPECT_TRUE(check.CheckAllowed());
}

TEST_F(UpdateCheckTest, UnknownDeviceVersionCountsEveryNumberAboveZeroAsNewer) {
    check.SetDeviceFirmwareText(u"");
    boxes.messages.answer = kInfoClosed;
    check.CheckForUpdate();
    AnswerManifest("1");
    EXPECT_EQ(Texts(), std::vector<std::u16string>{std::u16string(NewerFirmwareQuestion())});
    check.CheckForUpdate();
    AnswerManifest("0");
    EXPECT_EQ(Texts().back(), u"Firmware is the latest version.");
}

TEST_F(UpdateCheckTest, CancelledQuestionOrFailedImageStartsNothing) {
    boxes.messages.answer = kInfoClosed;
    check.CheckForUpdate();
    AnswerManifest("16");
    EXPECT_FALSE(shared->Take());
    EXPECT_TRUE(check.CheckAllowed());

    boxes.messages.answer = kInfoOk;
    check.CheckForUpdate();
    AnswerManifest("16");
    const auto image = shared->Take();
    ASSERT_TRUE(image);
    check.OnImageFetched(image->id + 1, true);  // not the image asked for
    check.OnImageFetched(image->id, false);
    EXPECT_EQ(Texts().back(), u"New-version firmware download failed.");
    EXPECT_EQ(shell.toolStarts, 0);
    EXPECT_TRUE(check.CheckAllowed());
}

TEST_F(UpdateCheckTest, MissingFlashingToolIsToldAndTheCheckReopens) {
    shell.toolWorks = false;
    check.CheckForUpdate();
    AnswerManifest("16");
    const auto image = shared->Take();
    ASSERT_TRUE(image);
    check.OnImageFetched(image->id, true);
    EXPECT_EQ(shell.toolStarts, 1);
    EXPECT_EQ(Texts().back(), u"The firmware update program cannot be started.");
    EXPECT_TRUE(check.CheckAllowed());
}

// A local manifest that is already newer asks at once; only an image that is whole and matches
// its digest goes to the flashing program, any other is fetched again first.
TEST_F(UpdateCheckTest, NewerLocalManifestFlashesOnlyAMatchingImage) {
    const std::string image = "firmware image bytes";
    const std::string digest = Sha256Hex(Sha256Of(image));
    files.fs.AddFile(LocalManifestPath(),
                     Bytes("<u><firmware><current>16</current><newfile>http://h/f.bin</newfile>"
                           "<sha256>" + digest + "</sha256></firmware></u>"));
    files.fs.AddFile(LocalImagePath(), Bytes(image));
    check.CheckForUpdate();
    EXPECT_EQ(shell.timerStarts, 0);
    EXPECT_EQ(Texts(), std::vector<std::u16string>{std::u16string(NewerFirmwareQuestion())});
    EXPECT_EQ(shell.toolStarts, 1);
    EXPECT_FALSE(shared->Take());

    shell.toolStarts = 0;
    files.fs.AddFile(LocalImagePath(), Bytes("firmware image byte"));  // not the one named
    shell.toolWorks = true;
    UpdateCheck fresh{shell, shared};
    fresh.SetDeviceFirmwareText(u"15");
    fresh.CheckForUpdate();
    EXPECT_EQ(shell.toolStarts, 0);
    auto request = shared->Take();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->job, UpdateJob::Image);
    EXPECT_EQ(request->manifest.newfile, u"http://h/f.bin");

    files.fs.files.erase(LocalImagePath());
    UpdateCheck missing{shell, shared};
    missing.SetDeviceFirmwareText(u"15");
    missing.CheckForUpdate();
    EXPECT_EQ(shell.toolStarts, 0);
    request = shared->Take();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->job, UpdateJob::Image);
}

TEST_F(UpdateCheckTest, ImageMatchRules) {
    const FirmwareManifest plain{u"16", u"x", u""};
    EXPECT_FALSE(ImageMatches(LocalImagePath(), plain));  // missing
    files.fs.AddFile(LocalImagePath(), {});
    EXPECT_FALSE(ImageMatches(LocalImagePath(), plain));  // empty
    files.fs.AddFile(LocalImagePath(), Bytes("abc"));
    EXPECT_TRUE(ImageMatches(LocalImagePath(), plain));
    const std::string hex = Sha256Hex(Sha256Of("abc"));
    EXPECT_TRUE(ImageMatches(LocalImagePath(), {u"16", u"x", std::u16string(hex.begin(), hex.end())}));
    EXPECT_FALSE(ImageMatches(LocalImagePath(), {u"16", u"x", std::u16string(64, u'0')}));
    // A digest that cannot be read never lets an image through.
    EXPECT_FALSE(ImageMatches(LocalImagePath(), {u"16", u"x", u"not a digest"}));
}

}  // namespace
}  // namespace tarn
