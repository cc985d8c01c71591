// SPDX-License-Identifier: GPL-3.0-or-later
// qelmarin-cli cmp: make and unpack .cmp compressed pictures.

#include "cli/command.h"
#include "cli/outcome.h"

#include "base/command_line.h"
#include "base/file_io.h"
#include "base/i18n.h"
#include "base/reporter.h"
#include "pictures/byte_stream.h"
#include "pictures/cmp_codec.h"
#include "pictures/file_bytes.h"
#include "pictures/picture_file.h"
#include "pictures/picture_limits.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace cli {

namespace {

constexpr base::OptionSyntax kOptions[] = {
    {"raw", "", N_("encode: compress the file's bytes as they are, not the picture loaded and written as .bmp")},
};

constexpr base::CommandSyntax kSyntax{"qelmarin-cli cmp", "encode|decode IN OUT",
                                      N_("encode: a .bmp or JPEG picture to a compressed picture OUT.cmp, as the\n"
                                         "        picture dialogs make it\n"
                                         "decode: a compressed picture IN.cmp to the bytes it holds (a .bmp image)"),
                                      kOptions};

std::optional<std::vector<std::uint8_t>> Read(const std::string& path, Outcome& outcome) {
    base::FileBytesRead read = base::ReadFileBytesBounded(path, static_cast<std::size_t>(pictures::kMaxPictureFileBytes));
    if (read.status == base::FileBytesRead::Status::Ok) return std::move(read.bytes);
    // Refused unread when it is larger than any picture file the program takes.
    const std::string why =
        read.status == base::FileBytesRead::Status::TooLarge
            ? base::Format(_("%s: larger than %d MiB, the most a picture file may have"), path.c_str(),
                           static_cast<int>(pictures::kMaxPictureFileBytes >> 20))
            : base::NamingFile(path, read.error.empty() ? _("no such file") : read.error);
    outcome.Fail(base::Format(_("cannot read %s"), why.c_str()));
    return std::nullopt;
}

int Write(const std::string& path, const std::vector<std::uint8_t>& bytes, Outcome& outcome) {
    std::string error;
    if (pictures::WriteFileBytes(path, bytes, &error)) return outcome.status();
    return outcome.Fail(base::Format(_("cannot write: %s"), base::NamingFile(path, error).c_str()));
}

// The file's bytes as they are, compressed.
int EncodeRaw(const std::string& in, const std::string& out, Outcome& outcome) {
    auto bytes = Read(in, outcome);
    if (!bytes) return outcome.status();
    pictures::ByteStream source(std::move(*bytes)), target;
    if (pictures::EncodeCmpStream(source, target, outcome) != 0) return base::kExitFailure;
    return Write(out, target.bytes(), outcome);
}

// A .bmp or JPEG picture loaded and written as a .bmp image, compressed: what the picture
// dialogs make.
int EncodePicture(const std::string& in, const std::string& out, Outcome& outcome) {
    return pictures::MakeCmpFile(in, out, outcome) ? outcome.status() : base::kExitFailure;
}

int Decode(const std::string& in, const std::string& out, Outcome& outcome) {
    auto bytes = Read(in, outcome);
    if (!bytes) return outcome.status();
    pictures::ByteStream source(std::move(*bytes)), target;
    base::NamingReporter reporter(in, outcome); // the codec's own texts name no file
    if (pictures::DecodeCmpStream(source, target, reporter) != 0) return base::kExitFailure;
    return Write(out, target.bytes(), outcome);
}

} // namespace

int RunCmp(const Args& args) {
    const base::ParseResult parsed = base::ParseCommandLine(kSyntax, args);
    if (const auto status = base::AnswerWithoutRunning(kSyntax, parsed)) return *status;
    const std::vector<std::string>& words = parsed.options.operands();
    if (words.empty()) return base::UsageError(kSyntax, _("encode or decode?"));
    if (words[0] != "encode" && words[0] != "decode")
        return base::UsageError(kSyntax, base::Format(_("unknown action '%s'"), words[0].c_str()));
    if (words.size() != 3)
        return base::UsageError(kSyntax, base::Format(_("%s takes two files, IN and OUT"), words[0].c_str()));
    // Writing the output over the input would lose the picture the command was to convert.
    std::error_code same_error;
    if (std::filesystem::equivalent(words[1], words[2], same_error))
        return base::UsageError(kSyntax, base::Format(_("IN and OUT are the same file: '%s'"), words[2].c_str()));
    const bool raw = parsed.options.has("raw");
    Outcome outcome(kSyntax.program);
    if (words[0] == "decode") {
        if (raw) return base::UsageError(kSyntax, _("--raw is for encode"));
        return Decode(words[1], words[2], outcome);
    }
    return raw ? EncodeRaw(words[1], words[2], outcome) : EncodePicture(words[1], words[2], outcome);
}

} // namespace cli
