// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures loaded off the window's thread, for previews that follow a selection: the
// window goes on answering while a large or slow picture decodes.
//
// One worker thread loads one picture at a time. A newer request replaces one still
// waiting and stops the one being loaded (a JPEG stops within a row or a scan; the other
// kinds are bounded in size and finish, unseen). Only the newest request's result is
// delivered, on the main loop of the thread that made the loader; after Cancel or the
// loader's end, nothing is.

#include "pictures/bitmap.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace controls {

class PictureLoader {
public:
    // The picture as LoadPictureByExtension gives it (messages are not shown), or nullopt.
    using Done = std::function<void(std::optional<pictures::Bitmap>)>;

    PictureLoader();
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;
    // Does not wait for the worker: it finishes its picture, unseen, and ends.
    ~PictureLoader();

    // Loads the picture at path; done is called with it unless a newer Load or a Cancel
    // comes first.
    void Load(std::filesystem::path path, Done done);
    void Cancel();
    // Whether a request is waiting or loading.
    bool Busy() const { return busy_; }

private:
    struct Shared;
    struct Delivery;
    void Deliver(unsigned long id, std::optional<pictures::Bitmap> picture);

    std::shared_ptr<Shared> shared_;
    Done done_;
    bool busy_ = false;
};

} // namespace controls
