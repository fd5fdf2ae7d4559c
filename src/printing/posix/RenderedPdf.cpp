#include "printing/posix/RenderedPdf.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <qpdf/Pl_Discard.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "base/Failure.h"

struct RenderedPdf::Document {
    QPDF pdf;
    std::vector<QPDFPageObjectHelper> pages;
};

namespace {

struct Box {
    double left, bottom, right, top;
};

// A box array of four numbers, its corners in any order.
bool readBox(QPDFObjectHandle array, Box& box)
{
    if (!array.isArray() || array.getArrayNItems() != 4)
        return false;
    double values[4];
    for (int i = 0; i < 4; ++i) {
        QPDFObjectHandle item = array.getArrayItem(i);
        if (!item.isNumber())
            return false;
        values[i] = item.getNumericValue();
        if (!std::isfinite(values[i]))
            return false;
    }
    box = {std::min(values[0], values[2]), std::min(values[1], values[3]), std::max(values[0], values[2]),
           std::max(values[1], values[3])};
    return true;
}

// What a reader shows of the page, in points; throws when the page says no
// sound size.
PageSize visibleSize(QPDFPageObjectHelper& page, std::size_t number)
{
    const std::string which = "page " + std::to_string(number);
    Box media{};
    if (!readBox(page.getMediaBox(), media))
        throw Failure(which + " has no readable MediaBox");
    Box visible = media;
    Box crop{};
    if (readBox(page.getAttribute("/CropBox", false), crop)) {
        // The CropBox shows only what lies within the MediaBox.
        visible = {std::max(media.left, crop.left), std::max(media.bottom, crop.bottom),
                   std::min(media.right, crop.right), std::min(media.top, crop.top)};
    }
    // Units are 1/72 inch times the page's UserUnit (large-format pages).
    double unit = 1.0;
    QPDFObjectHandle userUnit = page.getObjectHandle().getKey("/UserUnit");
    if (userUnit.isNumber() && userUnit.getNumericValue() > 0)
        unit = userUnit.getNumericValue();
    PageSize size{(visible.right - visible.left) * unit, (visible.top - visible.bottom) * unit};
    if (!(size.width > 0) || !(size.height > 0))
        throw Failure(which + " has an empty visible area");
    QPDFObjectHandle rotate = page.getAttribute("/Rotate", false);
    if (rotate.isInteger()) {
        const long long quarterTurns = rotate.getIntValue() / 90;
        if (rotate.getIntValue() % 90 != 0)
            throw Failure(which + " is turned by " + std::to_string(rotate.getIntValue()) + " degrees");
        if (quarterTurns % 2 != 0)
            std::swap(size.width, size.height);
    }
    return size;
}

}  // namespace

RenderedPdf::RenderedPdf(const std::string& path) : m_document(std::make_unique<Document>())
{
    try {
        m_document->pdf.setSuppressWarnings(true);
        m_document->pdf.processFile(path.c_str());
        m_document->pages = QPDFPageDocumentHelper(m_document->pdf).getAllPages();
        if (m_document->pages.empty())
            throw Failure("the document has no pages");
        std::vector<PageSize> sizes;
        for (std::size_t i = 0; i < m_document->pages.size(); ++i)
            sizes.push_back(visibleSize(m_document->pages[i], i + 1));
        m_sizes = std::move(sizes);
    } catch (const std::exception& error) {
        m_problem = error.what();
    } catch (...) {
        m_problem = "the document cannot be read";
    }
}

RenderedPdf::~RenderedPdf() = default;

std::string RenderedPdf::damage(const std::string& path)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.setAttemptRecovery(false);
        pdf.processFile(path.c_str());
        if (QPDFPageDocumentHelper(pdf).getAllPages().empty())
            return "it has no pages";
        // Writing it out, to nowhere, reads every object and stream.
        Pl_Discard nowhere;
        QPDFWriter writer(pdf);
        writer.setOutputPipeline(&nowhere);
        writer.write();
        if (pdf.anyWarnings())
            return pdf.getWarnings().front().what();
    } catch (const std::exception& error) {
        return error.what();
    }
    return {};
}

void RenderedPdf::writePages(std::size_t first, std::size_t count, const std::string& outputPath) const
{
    const std::string pages = "Pages " + std::to_string(first + 1) + " to " + std::to_string(first + count);
    if (m_sizes.empty() || count == 0 || first + count > m_sizes.size())
        throw Failure(pages + " are not in the document");
    try {
        QPDF part;
        part.setSuppressWarnings(true);
        part.emptyPDF();
        QPDFPageDocumentHelper pages(part);
        for (std::size_t i = first; i < first + count; ++i)
            pages.addPage(m_document->pages[i], false);
        QPDFWriter writer(part, outputPath.c_str());
        writer.write();
    } catch (const std::exception& error) {
        throw Failure(pages + " cannot be written to " + outputPath + ": " + error.what());
    }
}
