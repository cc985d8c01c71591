// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/pdf_finish.h"

// qpdf's headers without its old pointer type (the library then wants no transition warning).
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <charconv>
#include <exception>
#include <memory>
#include <vector>

namespace gfx {
namespace {

double NumberOf(const QPDFTokenizer::Token& token) {
    const std::string& text = token.getValue();
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Passes a content stream through, `r g b rg` / `r g b RG` with r = g = b written as
// `r g` / `r G`. Numbers and the spaces between them wait until the operator they belong to.
class GrayColours : public QPDFObjectHandle::TokenFilter {
public:
    void handleToken(const QPDFTokenizer::Token& token) override {
        const auto type = token.getType();
        if (type == QPDFTokenizer::tt_integer || type == QPDFTokenizer::tt_real || type == QPDFTokenizer::tt_space) {
            pending_.push_back(token);
            return;
        }
        if (type == QPDFTokenizer::tt_word && (token.getValue() == "rg" || token.getValue() == "RG")) {
            std::vector<std::size_t> numbers;
            for (std::size_t i = 0; i < pending_.size(); ++i) {
                if (pending_[i].getType() != QPDFTokenizer::tt_space) numbers.push_back(i);
            }
            const std::size_t n = numbers.size();
            if (n >= 3 && NumberOf(pending_[numbers[n - 3]]) == NumberOf(pending_[numbers[n - 2]]) &&
                NumberOf(pending_[numbers[n - 2]]) == NumberOf(pending_[numbers[n - 1]])) {
                for (std::size_t i = 0; i <= numbers[n - 3]; ++i)
                    writeToken(pending_[i]);
                pending_.clear();
                write(token.getValue() == "rg" ? " g" : " G");
                return;
            }
        }
        Flush();
        writeToken(token);
    }
    void handleEOF() override { Flush(); }

private:
    void Flush() {
        for (const QPDFTokenizer::Token& t : pending_)
            writeToken(t);
        pending_.clear();
    }
    std::vector<QPDFTokenizer::Token> pending_;
};

bool IsContentStream(QPDFObjectHandle object) {
    if (!object.isStream()) return false;
    QPDFObjectHandle dict = object.getDict();
    // Form XObjects (Cairo's groups) and tiling patterns hold content as pages do.
    return dict.getKey("/Subtype").isNameAndEquals("/Form") || dict.getKey("/PatternType").isInteger();
}

} // namespace

std::string FinishPdf(std::string_view pdf, std::string_view language, std::string* error) {
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("document", pdf.data(), pdf.size());
        const auto gray = std::make_shared<GrayColours>();
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(document).getAllPages())
            page.addContentTokenFilter(gray);
        for (QPDFObjectHandle& object : document.getAllObjects()) {
            if (IsContentStream(object)) object.addTokenFilter(gray);
        }
        QPDFObjectHandle root = document.getRoot();
        if (!language.empty()) root.replaceKey("/Lang", QPDFObjectHandle::newUnicodeString(std::string(language)));
        QPDFObjectHandle preferences = QPDFObjectHandle::parse("<< /DisplayDocTitle true >>");
        root.replaceKey("/ViewerPreferences", preferences);
        QPDFWriter writer(document);
        writer.setOutputMemory();
        writer.setDeterministicID(true);
        writer.setObjectStreamMode(qpdf_o_generate);
        writer.write();
        std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
        return std::string(reinterpret_cast<const char*>(written->getBuffer()), written->getSize());
    } catch (const std::exception& e) {
        if (error) *error = e.what();
        return {};
    }
}

} // namespace gfx
