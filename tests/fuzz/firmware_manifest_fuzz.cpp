// Serves arbitrary bytes as the update manifest and as the firmware image, and runs a whole
// update check through the worker, the user answering yes. Whatever the bytes say, the flashing
// program may only start for a non-empty image that the manifest's digest (when it names one)
// vouches for, and only for a firmware number above the mouse's.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/app_paths.h"
#include "base/file_system.h"
#include "base/message_poster.h"
#include "base/user_messages.h"
#include "update/firmware_files.h"
#include "update/sha256.h"
#include "update/update_check.h"
#include "update/update_worker.h"

#include "tests/support/memory_file_system.h"

namespace {

using namespace tarn;

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

class ServedBytes final : public Downloader {
public:
    test::MemoryFileSystem* fs = nullptr;
    std::string_view bytes;
    bool Download(const std::u16string&, const std::u16string& path) override {
        fs->AddFile(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
        return true;
    }
    void Abort() override {}
};

class AnswerYes final : public UserMessages {
public:
    int InfoBox(std::u16string_view, bool) override { return kInfoOk; }
    int SelfClosingInfo(std::u16string_view) override { return kInfoClosed; }
    void PlainInfo(std::u16string_view) override {}
};

class RecordingShell final : public UpdateCheckShell {
public:
    bool flashed = false;
    void StartTimeoutTimer() override {}
    void StopTimeoutTimer() override {}
    bool StartFirmwareTool() override { return flashed = true; }
};

// What the worker posts back to the support page.
class PostedResults final : public MessagePoster {
public:
    uint32_t message = 0, id = 0;
    bool obtained = false;
    bool Post(WindowId, uint32_t m, uintptr_t wParam, intptr_t lParam) override {
        message = m;
        id = static_cast<uint32_t>(wParam);
        obtained = lParam != 0;
        return true;
    }
};

// The worker's part, run on this thread: the pending request, carried out and answered.
bool RunWorker(const UpdateWorkerContext& context, PostedResults& posted, UpdateCheck& check) {
    const std::optional<UpdateRequest> request = context.shared->Take();
    if (!request) return false;
    posted.message = 0;
    RunUpdateRequest(context, *request);
    if (posted.message == kMsgManifestFetched) check.OnManifestFetched(posted.id, posted.obtained);
    if (posted.message == kMsgImageFetched) check.OnImageFetched(posted.id, posted.obtained);
    return true;
}

constexpr std::u16string_view kMouseFirmware = u"15";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static AnswerYes answers;
    static PostedResults posted;
    test::MemoryFileSystem fs;
    fs.AddFolder(u"C:\\Tarn");
    SetFileSystem(&fs);
    SetUserMessages(&answers);
    SetPoster(&posted);
    programFolder = u"C:\\Tarn";

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto served = std::make_shared<ServedBytes>();
    served->fs = &fs;
    served->bytes = bytes;
    auto shared = std::make_shared<UpdateShared>();
    shared->resultWindow = 1;
    const UpdateWorkerContext context{shared, served, u"http://127.0.0.1/update.xml", nullptr};
    RecordingShell shell;
    UpdateCheck check(shell, shared);
    check.SetDeviceFirmwareText(kMouseFirmware);

    // A first check fetches the manifest; a second one finds it already on disk.
    for (int round = 0; round < 2 && !shell.flashed; ++round) {
        check.CheckForUpdate();
        while (RunWorker(context, posted, check)) {
        }
    }

    const std::optional<FirmwareManifest> manifest = ReadFirmwareManifest(LocalManifestPath());
    if (shell.flashed) {
        Check(manifest.has_value() && !bytes.empty());
        Check(ReadFirmwareNumber(manifest->current) > ReadFirmwareNumber(kMouseFirmware));
        Sha256Digest named{};
        Check(manifest->sha256.empty() ||
              (ParseSha256Hex(manifest->sha256, named) && named == Sha256Of(bytes)));
    }
    if (manifest) {
        FirmwareVersionLabel(manifest->current);
    }
    FirmwareVersionLabel(std::u16string(bytes.begin(), bytes.end()));

    SetPoster(nullptr);
    SetUserMessages(nullptr);
    SetFileSystem(nullptr);
    return 0;
}
