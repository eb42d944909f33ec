// The update-check worker: it sleeps until the support page asks for a manifest or an image,
// downloads it beside its target, checks it and renames it into place, and posts the outcome
// back. It never shows anything itself.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "update/downloader.h"
#include "update/update_check.h"

namespace tarn {

struct UpdateWorkerContext {
    std::shared_ptr<UpdateShared> shared;
    std::shared_ptr<Downloader> downloader;
    std::u16string manifestAddress;
    // Set to 1 when a check starts, so a removal of the mouse is not taken for an expected one.
    std::atomic<int>* linkPhase = nullptr;
};

// One request (steps 2 to 8 of a check). False when the worker was asked to end meanwhile.
bool RunUpdateRequest(const UpdateWorkerContext& context, const UpdateRequest& request);

// The thread body: waits for requests until the shared state is stopped.
void UpdateCheckWorker(const UpdateWorkerContext& context);

// A shut-down waits this long for a worker caught in a download before leaving it behind.
inline constexpr uint32_t kUpdateWorkerStopWaitMs = 500;

class UpdateWorkerThread {
public:
    UpdateWorkerThread() = default;
    ~UpdateWorkerThread() { Stop(); }
    UpdateWorkerThread(const UpdateWorkerThread&) = delete;
    UpdateWorkerThread& operator=(const UpdateWorkerThread&) = delete;

    bool Start(UpdateWorkerContext context);
    // Ends the worker: clears the running flag, wakes it, aborts a download under way and
    // waits at most kUpdateWorkerStopWaitMs. A worker still waiting on the network then is
    // left to finish on its own; it touches nothing but its shared state after that.
    // Returns true when the worker had ended.
    bool Stop(uint32_t waitMs = kUpdateWorkerStopWaitMs);
    bool Running() const { return thread_.joinable(); }

private:
    struct Finished {
        ManualResetEvent event;
    };
    std::thread thread_;
    UpdateWorkerContext context_;
    std::shared_ptr<Finished> finished_;
};

}  // namespace tarn
