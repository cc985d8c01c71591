// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/picture_loader.h"

#include "base/reporter.h"
#include "pictures/picture_file.h"

#include <glib.h>

#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>

namespace controls {
namespace {

class QuietReporter : public base::Reporter {
public:
    void ShowMessage(std::string_view, std::string_view) override {}
};

} // namespace

// What the loader and its worker share; it outlives whichever of the two ends first.
struct PictureLoader::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<std::filesystem::path> waiting; // the newest request not yet taken
    unsigned long newest = 0;                     // its number
    std::stop_source running;                     // stops the request being loaded
    bool closing = false;
    // Touched on the main thread only: the loader while it lives.
    PictureLoader* owner = nullptr;
    // Where results are delivered; held until the last of the worker and its deliveries ends.
    GMainContext* const context = g_main_context_ref_thread_default();

    ~Shared() { g_main_context_unref(context); }
};

// A result on its way to the main loop.
struct PictureLoader::Delivery {
    std::shared_ptr<Shared> shared;
    unsigned long id;
    std::optional<pictures::Bitmap> picture;
};

PictureLoader::PictureLoader() : shared_(std::make_shared<Shared>()) {
    shared_->owner = this;
    std::thread([shared = shared_] {
        for (;;) {
            std::filesystem::path path;
            unsigned long id = 0;
            std::stop_token stop;
            {
                std::unique_lock lock(shared->mutex);
                shared->wake.wait(lock, [&] { return shared->closing || shared->waiting; });
                if (shared->closing) break;
                path = std::move(*shared->waiting);
                shared->waiting.reset();
                id = shared->newest;
                shared->running = std::stop_source();
                stop = shared->running.get_token();
            }
            QuietReporter quiet;
            std::optional<pictures::Bitmap> picture = pictures::LoadPictureByExtension(path, quiet, stop);
            if (stop.stop_requested()) continue;
            auto* delivery = new Delivery{shared, id, std::move(picture)};
            g_main_context_invoke_full(
                shared->context, G_PRIORITY_DEFAULT,
                [](gpointer data) -> gboolean {
                    auto* d = static_cast<Delivery*>(data);
                    if (d->shared->owner) d->shared->owner->Deliver(d->id, std::move(d->picture));
                    return G_SOURCE_REMOVE;
                },
                delivery, [](gpointer data) { delete static_cast<Delivery*>(data); });
        }
    }).detach();
}

PictureLoader::~PictureLoader() {
    shared_->owner = nullptr;
    std::lock_guard lock(shared_->mutex);
    shared_->closing = true;
    shared_->waiting.reset();
    shared_->running.request_stop();
    shared_->wake.notify_all();
}

void PictureLoader::Load(std::filesystem::path path, Done done) {
    done_ = std::move(done);
    busy_ = true;
    std::lock_guard lock(shared_->mutex);
    shared_->waiting = std::move(path);
    ++shared_->newest;
    shared_->running.request_stop();
    shared_->wake.notify_all();
}

void PictureLoader::Cancel() {
    done_ = nullptr;
    busy_ = false;
    std::lock_guard lock(shared_->mutex);
    shared_->waiting.reset();
    ++shared_->newest;
    shared_->running.request_stop();
}

void PictureLoader::Deliver(unsigned long id, std::optional<pictures::Bitmap> picture) {
    {
        std::lock_guard lock(shared_->mutex);
        if (id != shared_->newest) return;
    }
    busy_ = false;
    Done done = std::move(done_);
    done_ = nullptr;
    if (done) done(std::move(picture));
}

} // namespace controls
