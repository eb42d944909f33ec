#include "update/update_worker.h"

#include "base/file_system.h"
#include "update/sha256.h"

namespace tarn {

namespace {

std::u16string Partial(const std::u16string& path) {
    return path + std::u16string(kPartialEnding);
}

void Post(const UpdateShared& shared, uint32_t message, uint32_t id, bool obtained) {
    if (WindowId window = shared.resultWindow.load()) {
        Poster().Post(window, message, id, obtained ? 1 : 0);
    }
}

// The manifest lands beside the local one and replaces it only when complete. An image left
// from an older manifest is removed with it, so it can never be flashed in the new one's name.
bool FetchManifest(const UpdateWorkerContext& context, uint32_t id) {
    FileSystem& fs = Files();
    const std::u16string target = LocalManifestPath(), partial = Partial(target);
    fs.CreateFolders(UpdateFolderPath());
    const bool downloaded = context.downloader->Download(context.manifestAddress, partial);
    auto work = context.shared->LockWork();
    if (!context.shared->Running()) return false;
    ManifestResult result{id, false, {}};
    if (downloaded) {
        const std::optional<FirmwareManifest> previous = ReadFirmwareManifest(target);
        if (fs.Replace(partial, target) == FileError::None) {
            const std::optional<FirmwareManifest> fresh = ReadFirmwareManifest(target);
            result.obtained = fresh.has_value();
            if (fresh) result.manifest = *fresh;
            if (!fresh || !previous || *previous != *fresh) fs.Remove(LocalImagePath());
        }
    }
    fs.Remove(partial);
    context.shared->StoreResult(result);
    Post(*context.shared, kMsgManifestFetched, id, result.obtained);
    return true;
}

// The image goes to the flashing program only when every announced byte arrived and, when the
// manifest names a digest, it matches.
bool FetchImage(const UpdateWorkerContext& context, const UpdateRequest& request) {
    FileSystem& fs = Files();
    const std::u16string target = LocalImagePath(), partial = Partial(target);
    fs.CreateFolders(UpdateFolderPath());
    const std::u16string& address = request.manifest.newfile;
    const bool downloaded = !address.empty() && context.downloader->Download(address, partial);
    auto work = context.shared->LockWork();
    if (!context.shared->Running()) return false;
    bool obtained = downloaded && ImageMatches(partial, request.manifest);
    if (obtained) obtained = fs.Replace(partial, target) == FileError::None;
    fs.Remove(partial);
    Post(*context.shared, kMsgImageFetched, request.id, obtained);
    return true;
}

}  // namespace

bool RunUpdateRequest(const UpdateWorkerContext& context, const UpdateRequest& request) {
    if (context.linkPhase) *context.linkPhase = 1;
    if (request.job == UpdateJob::Manifest) return FetchManifest(context, request.id);
    return FetchImage(context, request);
}

void UpdateCheckWorker(const UpdateWorkerContext& context) {
    UpdateShared& shared = *context.shared;
    while (shared.Running()) {
        shared.updateCheckEvent.Wait();
        if (!shared.Running()) return;
        const std::optional<UpdateRequest> request = shared.Take();
        // Timer 5 may have taken the request back before the worker woke.
        if (!request) continue;
        if (!RunUpdateRequest(context, *request)) return;
    }
}

bool UpdateWorkerThread::Start(UpdateWorkerContext context) {
    if (thread_.joinable() || !context.shared || !context.downloader) return false;
    context_ = context;
    finished_ = std::make_shared<Finished>();
    // The thread owns copies of everything it uses, so it may outlive this object.
    thread_ = std::thread([context, finished = finished_] {
        UpdateCheckWorker(context);
        finished->event.Set();
    });
    return true;
}

bool UpdateWorkerThread::Stop(uint32_t waitMs) {
    if (!thread_.joinable()) return true;
    context_.shared->Stop();
    context_.downloader->Abort();
    if (finished_->event.WaitFor(waitMs)) {
        thread_.join();
        return true;
    }
    // Still waiting on the network: the process may end without it.
    thread_.detach();
    return false;
}

}  // namespace tarn
