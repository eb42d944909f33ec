// The firmware update check as the support page runs it on the user-interface thread, and the
// state it shares with the update worker. The worker only downloads and reads; every box, the
// timer and every decision stay on the user-interface thread, reached by posted messages.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "base/manual_reset_event.h"
#include "base/message_poster.h"
#include "update/firmware_files.h"

namespace tarn {

// Posted by the worker to the support page (WM_APP + 0x381, + 0x382): wParam is the request id,
// lParam 1 when the manifest or image was obtained, 0 when not.
inline constexpr uint32_t kMsgManifestFetched = 0x8000 + 0x381;
inline constexpr uint32_t kMsgImageFetched = 0x8000 + 0x382;

// Timer 5 of the support page: a check that takes longer than this counts as "latest".
inline constexpr uintptr_t kUpdateTimerId = 5;
inline constexpr uint32_t kUpdateTimeoutMs = 2000;

enum class UpdateJob { Manifest, Image };

struct UpdateRequest {
    UpdateJob job = UpdateJob::Manifest;
    uint32_t id = 0;
    FirmwareManifest manifest;  // for an image: where it is and its digest
};

struct ManifestResult {
    uint32_t id = 0;
    bool obtained = false;
    FirmwareManifest manifest;
};

// What the support page and the update worker share. It is held by shared pointers so a
// worker still stuck in the network at shut-down can be left behind safely.
class UpdateShared {
public:
    // Set for one request; the worker resets it when it takes the request.
    ManualResetEvent updateCheckEvent;
    // Where the worker posts its results (the support page), 0 while there is none.
    std::atomic<WindowId> resultWindow{0};

    // The user-interface thread asks for one job and wakes the worker.
    void Request(const UpdateRequest& request);
    // Takes back a request the worker has not started yet (timer 5).
    void Cancel();
    // The worker takes the pending request, if any, and resets the event.
    std::optional<UpdateRequest> Take();

    void StoreResult(const ManifestResult& result);
    // The stored result when it belongs to the request id.
    std::optional<ManifestResult> ResultFor(uint32_t id) const;

    // 0 asks the worker to end. The worker holds the work lock while it touches anything but
    // the network and checks the flag under it, so after Stop returns it never does again.
    bool Running() const { return running_.load(); }
    void Stop();
    std::unique_lock<std::mutex> LockWork() { return std::unique_lock<std::mutex>(work_); }

private:
    mutable std::mutex mutex_;
    std::optional<UpdateRequest> request_;
    std::optional<ManifestResult> result_;
    std::mutex work_;
    std::atomic<bool> running_{true};
};

// The process-wide shared state.
std::shared_ptr<UpdateShared> UpdateState();

// The texts of the check (Chinese while ChineseUi is 1).
std::u16string_view NewerFirmwareQuestion();
std::u16string_view LatestFirmwareText();
inline constexpr std::u16string_view kDownloadFailedText = u"New-version firmware download failed.";
std::u16string_view FlashingToolMissingText();

// What the check asks of the support page and the platform.
class UpdateCheckShell {
public:
    virtual ~UpdateCheckShell() = default;
    virtual void StartTimeoutTimer() = 0;
    virtual void StopTimeoutTimer() = 0;
    // Starts the flashing program with the language argument and closes the program; false
    // when the program could not be started (nothing closes then).
    virtual bool StartFirmwareTool() = 0;
};

class UpdateCheck {
public:
    UpdateCheck(UpdateCheckShell& shell, std::shared_ptr<UpdateShared> shared);

    // The mouse's firmware number as decimal text, empty when unknown.
    void SetDeviceFirmwareText(std::u16string_view text) { deviceFirmwareText_.assign(text); }
    const std::u16string& DeviceFirmwareText() const { return deviceFirmwareText_; }
    const std::u16string& NewFirmwareAddress() const { return newFirmwareAddress_; }
    bool CheckAllowed() const { return checkAllowed_; }

    // The update button.
    void CheckForUpdate();
    // Timer 5.
    void OnTimeout();
    void OnManifestFetched(uint32_t id, bool obtained);
    void OnImageFetched(uint32_t id, bool obtained);

private:
    uint32_t DeviceNumber() const;
    void OfferUpdate(const FirmwareManifest& manifest);
    void FetchImage(const FirmwareManifest& manifest);
    void Flash();
    void Finish();

    UpdateCheckShell& shell_;
    std::shared_ptr<UpdateShared> shared_;
    std::u16string deviceFirmwareText_;
    std::u16string newFirmwareAddress_;
    bool checkAllowed_ = true;
    uint32_t lastId_ = 0;
    uint32_t manifestId_ = 0;  // the manifest request the timer still waits for
    uint32_t imageId_ = 0;     // the image request under way
};

// Whether the image on disk may be flashed: present, not empty, and equal to the manifest's
// digest when it names one.
bool ImageMatches(const std::u16string& path, const FirmwareManifest& manifest);

}  // namespace tarn
