// qelmarin-cli cmp: make and unpack .cmp compressed pictures.

#include "cli/command.h"

#include "base/reporter.h"
#include "pictures/byte_stream.h"
#include "pictures/cmp_codec.h"
#include "pictures/file_bytes.h"
#include "pictures/picture_file.h"
#include "pictures/picture_limits.h"

#include <cstdio>
#include <string>

namespace cli {

namespace {

constexpr const char* kUsage = "usage: qelmarin-cli cmp encode [--raw] IN OUT.cmp\n"
                               "       qelmarin-cli cmp decode IN.cmp OUT.bmp\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

std::optional<std::vector<std::uint8_t>> Read(const std::string& path) {
    auto bytes = pictures::ReadFileBytes(path, pictures::kMaxPictureFileBytes);
    if (!bytes) std::fprintf(stderr, "qelmarin-cli cmp: cannot read %s\n", path.c_str());
    return bytes;
}

int Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (pictures::WriteFileBytes(path, bytes)) return 0;
    std::fprintf(stderr, "qelmarin-cli cmp: cannot write %s\n", path.c_str());
    return 1;
}

// The file's bytes as they are, compressed.
int EncodeRaw(const std::string& in, const std::string& out) {
    auto bytes = Read(in);
    if (!bytes) return 1;
    pictures::ByteStream source(std::move(*bytes)), target;
    base::StderrReporter reporter;
    if (pictures::EncodeCmpStream(source, target, reporter) != 0) return 1;
    return Write(out, target.bytes());
}

// A .bmp or JPEG picture loaded and written as a .bmp image, compressed: what the picture
// dialogs make.
int EncodePicture(const std::string& in, const std::string& out) {
    base::StderrReporter reporter;
    return pictures::MakeCmpFile(in, out, reporter) ? 0 : 1;
}

int Decode(const std::string& in, const std::string& out) {
    auto bytes = Read(in);
    if (!bytes) return 1;
    pictures::ByteStream source(std::move(*bytes)), target;
    base::StderrReporter reporter;
    if (pictures::DecodeCmpStream(source, target, reporter) != 0) return 1;
    return Write(out, target.bytes());
}

} // namespace

int RunCmp(const Args& args) {
    if (args.size() == 3 && args[0] == "decode") return Decode(args[1], args[2]);
    if (args.size() == 3 && args[0] == "encode") return EncodePicture(args[1], args[2]);
    if (args.size() == 4 && args[0] == "encode" && args[1] == "--raw") return EncodeRaw(args[2], args[3]);
    return Usage();
}

} // namespace cli
