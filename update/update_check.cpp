#include "update/update_check.h"

#include "base/file_system.h"
#include "base/language_state.h"
#include "base/user_messages.h"
#include "update/sha256.h"

namespace tarn {

void UpdateShared::Request(const UpdateRequest& request) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        request_ = request;
    }
    updateCheckEvent.Set();
}

void UpdateShared::Cancel() {
    std::lock_guard<std::mutex> lock(mutex_);
    request_.reset();
    updateCheckEvent.Reset();
}

std::optional<UpdateRequest> UpdateShared::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    updateCheckEvent.Reset();
    std::optional<UpdateRequest> taken = std::move(request_);
    request_.reset();
    return taken;
}

void UpdateShared::StoreResult(const ManifestResult& result) {
    std::lock_guard<std::mutex> lock(mutex_);
    result_ = result;
}

std::optional<ManifestResult> UpdateShared::ResultFor(uint32_t id) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!result_ || result_->id != id) return std::nullopt;
    return result_;
}

void UpdateShared::Stop() {
    {
        std::lock_guard<std::mutex> work(work_);
        running_ = false;
    }
    updateCheckEvent.Set();
}

std::shared_ptr<UpdateShared> UpdateState() {
    static const std::shared_ptr<UpdateShared> state = std::make_shared<UpdateShared>();
    return state;
}

std::u16string_view NewerFirmwareQuestion() {
    return Localized(u"游戏鼠标固件有更新,是否更新到最新版本?",
                     u"A new version of firmware is available for the gaming mouse, whether to "
                     u"update or not?");
}

std::u16string_view LatestFirmwareText() {
    return Localized(u"固件已经是最新版本.", u"Firmware is the latest version.");
}

std::u16string_view FlashingToolMissingText() {
    return Localized(u"无法启动固件更新程序.", u"The firmware update program cannot be started.");
}

bool ImageMatches(const std::u16string& path, const FirmwareManifest& manifest) {
    Sha256Digest digest{};
    uint64_t size = 0;
    if (!Sha256OfFile(Files(), path, digest, &size) || size == 0) return false;
    if (manifest.sha256.empty()) return true;
    Sha256Digest expected{};
    return ParseSha256Hex(manifest.sha256, expected) && expected == digest;
}

UpdateCheck::UpdateCheck(UpdateCheckShell& shell, std::shared_ptr<UpdateShared> shared)
    : shell_(shell), shared_(std::move(shared)) {}

uint32_t UpdateCheck::DeviceNumber() const {
    return ReadFirmwareNumber(deviceFirmwareText_);
}

void UpdateCheck::CheckForUpdate() {
    if (!checkAllowed_) return;
    checkAllowed_ = false;
    // A manifest fetched earlier that is already newer needs no second trip to the server.
    const std::optional<FirmwareManifest> local = ReadFirmwareManifest(LocalManifestPath());
    if (local && ReadFirmwareNumber(local->current) > DeviceNumber()) {
        OfferUpdate(*local);
        return;
    }
    manifestId_ = ++lastId_;
    shell_.StartTimeoutTimer();
    shared_->Request({UpdateJob::Manifest, manifestId_, {}});
}

void UpdateCheck::OnTimeout() {
    shell_.StopTimeoutTimer();
    if (manifestId_ == 0) return;
    // The worker's answer, whenever it comes, no longer has a taker.
    shared_->Cancel();
    manifestId_ = 0;
    Finish();
    ShowInfoBox(LatestFirmwareText());
}

void UpdateCheck::OnManifestFetched(uint32_t id, bool obtained) {
    if (id == 0 || id != manifestId_) return;  // a late answer to a check already given up
    shell_.StopTimeoutTimer();
    manifestId_ = 0;
    const std::optional<ManifestResult> result = shared_->ResultFor(id);
    if (obtained && result && result->obtained &&
        ReadFirmwareNumber(result->manifest.current) > DeviceNumber()) {
        OfferUpdate(result->manifest);
        return;
    }
    Finish();
    ShowInfoBox(LatestFirmwareText());
}

void UpdateCheck::OfferUpdate(const FirmwareManifest& manifest) {
    newFirmwareAddress_ = manifest.newfile;
    if (ShowInfoBox(NewerFirmwareQuestion(), true) != kInfoOk) {
        Finish();
        return;
    }
    // Only an image that is whole, and the one the manifest names, goes to the flashing program.
    if (ImageMatches(LocalImagePath(), manifest)) {
        Flash();
        return;
    }
    FetchImage(manifest);
}

void UpdateCheck::FetchImage(const FirmwareManifest& manifest) {
    imageId_ = ++lastId_;
    shared_->Request({UpdateJob::Image, imageId_, manifest});
}

void UpdateCheck::OnImageFetched(uint32_t id, bool obtained) {
    if (id == 0 || id != imageId_) return;
    imageId_ = 0;
    if (!obtained) {
        Finish();
        ShowInfoBox(kDownloadFailedText);
        return;
    }
    Flash();
}

void UpdateCheck::Flash() {
    // The flashing program takes the mouse over and this program ends; the check stays closed.
    if (shell_.StartFirmwareTool()) return;
    Finish();
    ShowInfoBox(FlashingToolMissingText());
}

void UpdateCheck::Finish() {
    checkAllowed_ = true;
}

}  // namespace tarn
