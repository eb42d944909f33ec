#include "update/update_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <map>

#include "base/app_paths.h"
#include "tests/support/doubles.h"
#include "tests/support/memory_file_system.h"
#include "update/sha256.h"

namespace tarn {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

// Serves addresses from a table into the file system; a served answer may be cut short (the
// bytes arrive, the download reports failure) or held back until released.
class FakeDownloader final : public Downloader {
public:
    struct Answer {
        std::string bytes;
        bool complete = true;
    };
    std::map<std::u16string, Answer> answers;
    std::vector<std::u16string> asked;
    bool hold = false;

    bool Download(const std::u16string& address, const std::u16string& path) override {
        std::unique_lock<std::mutex> lock(mutex_);
        asked.push_back(address);
        waiting_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return !hold || aborted_; });
        waiting_ = false;
        if (aborted_) return false;
        const auto found = answers.find(address);
        if (found == answers.end()) return false;
        OpenResult out = Files().OpenForWrite(path);
        if (!out) return false;
        out.file->Write(found->second.bytes.data(), found->second.bytes.size());
        out.file->Close();
        ++finished_;
        changed_.notify_all();
        return found->second.complete;
    }
    void Abort() override {
        std::lock_guard<std::mutex> lock(mutex_);
        aborted_ = true;
        changed_.notify_all();
    }
    void Release() {
        std::lock_guard<std::mutex> lock(mutex_);
        hold = false;
        changed_.notify_all();
    }
    bool WaitUntilWaiting() {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [this] { return waiting_; });
    }
    // Until a download has written its file: what it wrote may then be looked at.
    bool WaitUntilWritten() {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [this] { return finished_ > 0; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int finished_ = 0;
    bool waiting_ = false;
    bool aborted_ = false;
};

constexpr WindowId kPage = 0x5A;
constexpr char16_t kManifestUrl[] = u"http://127.0.0.1/software/Tarn/update.xml";

std::string Manifest(const char* current, const std::string& extra = "") {
    return std::string("<update><firmware><current>") + current +
           "</current><newfile>http://127.0.0.1/f.bin</newfile>" + extra + "</firmware></update>";
}

class UpdateWorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        programFolder = u"C:\\Tarn";
        files.fs.AddFolder(u"C:\\Tarn\\FWUpdate");
        SetPoster(&poster);
        shared->resultWindow = kPage;
        context.shared = shared;
        context.downloader = downloader;
        context.manifestAddress = kManifestUrl;
        context.linkPhase = &linkPhase;
    }
    void TearDown() override { SetPoster(nullptr); }

    bool RunImage(const std::string& sha = "") {
        UpdateRequest request{UpdateJob::Image, 7,
                              {u"16", u"http://127.0.0.1/f.bin",
                               std::u16string(sha.begin(), sha.end())}};
        return RunUpdateRequest(context, request);
    }
    test::PostedMessage Last() const { return poster.Posted().back(); }

    test::ScopedMemoryFileSystem files;
    test::RecordingPoster poster;
    std::atomic<int> linkPhase{0};
    std::shared_ptr<UpdateShared> shared = std::make_shared<UpdateShared>();
    std::shared_ptr<FakeDownloader> downloader = std::make_shared<FakeDownloader>();
    UpdateWorkerContext context;
};

TEST_F(UpdateWorkerTest, ManifestReplacesTheLocalOneAndIsPosted) {
    downloader->answers[kManifestUrl] = {Manifest("16")};
    ASSERT_TRUE(RunUpdateRequest(context, {UpdateJob::Manifest, 3, {}}));
    EXPECT_EQ(linkPhase, 1);
    EXPECT_EQ(Last(), (test::PostedMessage{kPage, kMsgManifestFetched, 3, 1}));
    const auto result = shared->ResultFor(3);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->manifest.current, u"16");
    EXPECT_EQ(result->manifest.newfile, u"http://127.0.0.1/f.bin");
    EXPECT_TRUE(files.fs.Has(LocalManifestPath()));
    EXPECT_FALSE(files.fs.Has(LocalManifestPath() + u".part"));
}

TEST_F(UpdateWorkerTest, FailedManifestLeavesTheLocalOneAlone) {
    files.fs.AddFolder(UpdateFolderPath());
    files.fs.AddFile(LocalManifestPath(), Bytes(Manifest("12")));
    downloader->answers[kManifestUrl] = {"<update><firm", false};
    ASSERT_TRUE(RunUpdateRequest(context, {UpdateJob::Manifest, 4, {}}));
    EXPECT_EQ(Last(), (test::PostedMessage{kPage, kMsgManifestFetched, 4, 0}));
    EXPECT_EQ(files.fs.Bytes(LocalManifestPath()), Bytes(Manifest("12")));
    EXPECT_FALSE(files.fs.Has(LocalManifestPath() + u".part"));
}

// An image belongs to the manifest it was fetched for.
TEST_F(UpdateWorkerTest, ChangedManifestRemovesTheOldImage) {
    files.fs.AddFolder(UpdateFolderPath());
    files.fs.AddFile(LocalManifestPath(), Bytes(Manifest("16")));
    files.fs.AddFile(LocalImagePath(), Bytes("image 16"));
    downloader->answers[kManifestUrl] = {Manifest("16")};
    RunUpdateRequest(context, {UpdateJob::Manifest, 1, {}});
    EXPECT_TRUE(files.fs.Has(LocalImagePath()));
    downloader->answers[kManifestUrl] = {Manifest("17")};
    RunUpdateRequest(context, {UpdateJob::Manifest, 2, {}});
    EXPECT_FALSE(files.fs.Has(LocalImagePath()));
}

TEST_F(UpdateWorkerTest, ImageIsRenamedIntoPlaceOnlyWhenWholeAndMatching) {
    const std::string image(5000, 'F');
    const std::string digest = Sha256Hex(Sha256Of(image));
    downloader->answers[u"http://127.0.0.1/f.bin"] = {image};
    ASSERT_TRUE(RunImage(digest));
    EXPECT_EQ(Last(), (test::PostedMessage{kPage, kMsgImageFetched, 7, 1}));
    EXPECT_EQ(files.fs.Bytes(LocalImagePath()), Bytes(image));
    files.fs.files.erase(LocalImagePath());

    // Without a digest in the manifest a whole image still goes through.
    ASSERT_TRUE(RunImage());
    EXPECT_EQ(Last().lParam, 1);
    files.fs.files.erase(LocalImagePath());

    // Cut off, another image, nothing at all, or not found: nothing is put in place.
    downloader->answers[u"http://127.0.0.1/f.bin"] = {image.substr(0, 1000), false};
    RunImage(digest);
    EXPECT_EQ(Last().lParam, 0);
    downloader->answers[u"http://127.0.0.1/f.bin"] = {image + "x"};
    RunImage(digest);
    EXPECT_EQ(Last().lParam, 0);
    downloader->answers[u"http://127.0.0.1/f.bin"] = {""};
    RunImage();
    EXPECT_EQ(Last().lParam, 0);
    downloader->answers.clear();
    RunImage();
    EXPECT_EQ(Last().lParam, 0);
    EXPECT_FALSE(files.fs.Has(LocalImagePath()));
    EXPECT_FALSE(files.fs.Has(LocalImagePath() + u".part"));
}

TEST_F(UpdateWorkerTest, ManifestWithoutAnImageAddressFetchesNothing) {
    UpdateRequest request{UpdateJob::Image, 9, {u"16", u"", u""}};
    RunUpdateRequest(context, request);
    EXPECT_TRUE(downloader->asked.empty());
    EXPECT_EQ(Last(), (test::PostedMessage{kPage, kMsgImageFetched, 9, 0}));
}

TEST_F(UpdateWorkerTest, ThreadAnswersRequestsAndSkipsOnesTakenBack) {
    downloader->answers[kManifestUrl] = {Manifest("15")};
    UpdateWorkerThread worker;
    ASSERT_TRUE(worker.Start(context));
    shared->Request({UpdateJob::Manifest, 1, {}});
    for (int i = 0; i < 200 && poster.Posted().empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(poster.Posted().size(), 1u);
    EXPECT_EQ(Last().wParam, 1u);
    EXPECT_TRUE(worker.Stop());
    EXPECT_FALSE(worker.Running());
}

// A download that never answers: the stop gives up waiting after its bound, and the worker,
// once the network lets it go, ends without posting anything.
TEST_F(UpdateWorkerTest, StopDoesNotWaitForADownloadThatNeverAnswers) {
    auto stuck = std::make_shared<FakeDownloader>();
    stuck->hold = true;
    // Abort does not reach this download, as on a platform that cannot cancel it.
    struct Deaf final : Downloader {
        std::shared_ptr<FakeDownloader> inner;
        bool Download(const std::u16string& a, const std::u16string& p) override {
            return inner->Download(a, p);
        }
        void Abort() override {}
    };
    auto deaf = std::make_shared<Deaf>();
    deaf->inner = stuck;
    stuck->answers[kManifestUrl] = {Manifest("16")};
    context.downloader = deaf;
    {
        UpdateWorkerThread worker;
        ASSERT_TRUE(worker.Start(context));
        shared->Request({UpdateJob::Manifest, 1, {}});
        ASSERT_TRUE(stuck->WaitUntilWaiting());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(worker.Stop(100));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    }
    stuck->Release();
    // The worker left behind writes its download beside the manifest; only then may the test
    // look at the files, which the worker no longer touches after that.
    ASSERT_TRUE(stuck->WaitUntilWritten());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(poster.Posted().empty());
    EXPECT_FALSE(files.fs.Has(LocalManifestPath()));
}

}  // namespace
}  // namespace tarn
