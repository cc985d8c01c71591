// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/pdf_finish.h"

// qpdf's headers without its old pointer type (the library then wants no transition warning).
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <charconv>
#include <exception>
#include <memory>
#include <mutex>

namespace gfx {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+';
}

// The number token that ends at `end` or before it past spaces: where it begins (npos when
// there is none), and its text in *number.
std::size_t NumberBefore(std::string_view text, std::size_t end, std::string_view* number) {
    while (end > 0 && IsSpace(text[end - 1]))
        --end;
    std::size_t start = end;
    while (start > 0 && IsNumberChar(text[start - 1]))
        --start;
    if (start == end || (start > 0 && !IsSpace(text[start - 1]))) return std::string_view::npos;
    *number = text.substr(start, end - start);
    return start;
}

double ValueOf(std::string_view number) {
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

bool IsContentStream(QPDFObjectHandle object) {
    if (!object.isStream()) return false;
    QPDFObjectHandle dict = object.getDict();
    // Form XObjects (Cairo's groups) and tiling patterns hold content as pages do.
    return dict.getKey("/Subtype").isNameAndEquals("/Form") || dict.getKey("/PatternType").isInteger();
}

void RewriteContent(QPDFObjectHandle stream) {
    const std::shared_ptr<Buffer> data = stream.getStreamData(qpdf_dl_generalized);
    const std::string_view content(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
    std::string gray = GrayColours(content);
    if (gray != content) stream.replaceStreamData(gray, QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
}

} // namespace

std::string GrayColours(std::string_view content) {
    std::string out;
    std::size_t copied = 0;
    for (std::size_t at = content.find_first_of("gG"); at != std::string_view::npos;
         at = content.find_first_of("gG", at + 1)) {
        // The operator rg or RG, a token of its own.
        const bool stroke = content[at] == 'G';
        if (at < 2 || content[at - 1] != (stroke ? 'R' : 'r') || !IsSpace(content[at - 2])) continue;
        if (at + 1 < content.size() && !IsSpace(content[at + 1])) continue;
        std::string_view blue, green, red;
        const std::size_t b = NumberBefore(content, at - 1, &blue);
        if (b == std::string_view::npos) continue;
        const std::size_t g = NumberBefore(content, b, &green);
        if (g == std::string_view::npos) continue;
        const std::size_t r = NumberBefore(content, g, &red);
        if (r == std::string_view::npos) continue;
        const double value = ValueOf(red);
        if (ValueOf(green) != value || ValueOf(blue) != value) continue;
        out.append(content.substr(copied, r - copied));
        out.append(red);
        out.append(stroke ? " G" : " g");
        copied = at + 1;
    }
    if (copied == 0) return std::string(content);
    out.append(content.substr(copied));
    return out;
}

std::string FinishPdf(std::string_view pdf, std::string_view language, std::string* error) {
    try {
        // Rewritten content is compressed again at zlib's fastest level (1): its size is near
        // the default level's, at a part of the time.
        static std::once_flag level;
        std::call_once(level, [] { Pl_Flate::setCompressionLevel(1); });
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("document", pdf.data(), pdf.size());
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(document).getAllPages()) {
            for (QPDFObjectHandle& content : page.getObjectHandle().getPageContents())
                RewriteContent(content);
        }
        for (QPDFObjectHandle& object : document.getAllObjects()) {
            if (IsContentStream(object)) RewriteContent(object);
        }
        QPDFObjectHandle root = document.getRoot();
        if (!language.empty()) root.replaceKey("/Lang", QPDFObjectHandle::newUnicodeString(std::string(language)));
        root.replaceKey("/ViewerPreferences", QPDFObjectHandle::parse("<< /DisplayDocTitle true >>"));
        QPDFWriter writer(document);
        writer.setOutputMemory();
        writer.setDeterministicID(true);
        writer.write();
        const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
        return std::string(reinterpret_cast<const char*>(written->getBuffer()), written->getSize());
    } catch (const std::exception& e) {
        if (error) *error = e.what();
        return {};
    }
}

} // namespace gfx
