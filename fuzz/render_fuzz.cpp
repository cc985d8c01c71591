// SPDX-License-Identifier: GPL-3.0-or-later
// A whole print run over a damaged host folder, drawn on the trace canvas: the input makes
// Kalvorin.CFG, UNSEI.DAT and the month's picture. Nothing may crash, hang, read out of
// bounds or allocate past the decoding budget, whatever the files hold.
//
// Input: byte 0 the format, byte 1 the month and paper, bytes 2–5 the lengths of the
// configuration file and of the day file (little-endian, 16 bits each); then the
// configuration file, the day file and, with the rest, the month picture.
//
// What bounds its speed is the run itself: a whole month of a format laid out and drawn on
// the trace canvas (a page or a month of daily pages), with the settings, holidays, day
// file and picture loaded as the command line loads them.

#include "base/reporter.h"
#include "gfx/trace_canvas.h"
#include "pages/page_routines.h"
#include "print/print_run.h"
#include "print/print_setup.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace {

class TraceSink : public print::DocumentSink {
public:
    gfx::Canvas* BeginDocument(const pages::PrintState&, const gfx::Device& device) override {
        text_.str({});
        canvas_ = std::make_unique<gfx::TraceCanvas>(text_, device);
        return canvas_.get();
    }
    bool EndDocument() override {
        canvas_.reset();
        return true;
    }

private:
    std::ostringstream text_;
    std::unique_ptr<gfx::TraceCanvas> canvas_;
};

// The host folder, in memory (/dev/shm) where there is one: the print run reads its files
// by name, and on a disk every rewrite of a file costs a flush.
const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::error_code ec;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        static std::string pattern = (base / "qelmarin-render-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(pattern, ignored);
        });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// Writes the file unless it already holds these bytes (as after the last input): most
// mutations change one of the three files only.
void Put(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    static std::map<std::filesystem::path, std::string> held;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    auto it = held.find(path);
    if (it != held.end() && it->second == bytes) return;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) std::abort();
    }
    held[path] = std::move(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    const int format = data[0] % pages::kFormatCount + 1;
    const int month = data[1] % 12 + 1;
    const bool landscape = (data[1] / 12) % 2 == 1;
    std::size_t cfg_size = data[2] | data[3] << 8;
    std::size_t day_size = data[4] | data[5] << 8;
    const std::uint8_t* p = data + 6;
    std::size_t left = size - 6;
    cfg_size = std::min(cfg_size, left);
    const std::uint8_t* cfg = p;
    p += cfg_size, left -= cfg_size;
    day_size = std::min(day_size, left);
    const std::uint8_t* days = p;
    p += day_size, left -= day_size;

    const std::filesystem::path& folder = Folder();
    Put(folder / "Kalvorin.CFG", cfg, cfg_size);
    Put(folder / "UNSEI.DAT", days, day_size);
    char picture[32];
    std::snprintf(picture, sizeof picture, "歳時記%02d.cmp", month);
    Put(folder / picture, p, left);

    base::RecordingReporter reporter;
    pages::PrintState state;
    print::SetToday(state, 1901, month, 15);
    print::LoadPrintState(folder, state, reporter);
    // Pictures come from this folder, whatever the file names as the data folder.
    state.settings.data_folder = folder.string();
    state.year = 1901;
    state.from_month = state.to_month = month;
    state.format = static_cast<pages::Format>(format);
    state.colors = 256;
    state.first_day = 1;
    state.last_day = 3;
    const print::Printer printer{landscape ? 842 : 595, landscape ? 595 : 842, 72, 72};
    TraceSink sink;
    print::PrintRun(state, printer, sink);
    return 0;
}
