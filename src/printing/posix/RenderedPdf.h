#pragma once

#include <memory>
#include <string>
#include <vector>

// The size of a page as it is seen: its visible area (the CropBox within the
// MediaBox) turned by the page's rotation, in points (1/72 inch).
struct PageSize {
    double width = 0;
    double height = 0;
};

// A drawing that LibreOffice rendered to PDF: the sizes of its pages, and
// copies of a run of its pages. Read with libqpdf, which also reads files
// with object streams, cross-reference streams or a damaged table.
class RenderedPdf final {
public:
    // Reads the document's pages. A document whose pages cannot be read gives
    // no pages and a problem that says why; it never throws.
    explicit RenderedPdf(const std::string& path);
    ~RenderedPdf();
    RenderedPdf(const RenderedPdf&) = delete;
    RenderedPdf& operator=(const RenderedPdf&) = delete;

    // One size per page, in page order; empty when they cannot be read.
    const std::vector<PageSize>& pageSizes() const { return m_sizes; }
    const std::string& problem() const { return m_problem; }
    // Why libqpdf cannot read the file whole, every object and stream of it
    // without repairs; empty when it can.
    static std::string damage(const std::string& path);
    // Writes pages first .. first + count - 1 (counted from 0) as a PDF of
    // their own. Throws Failure when it cannot.
    void writePages(std::size_t first, std::size_t count, const std::string& outputPath) const;

private:
    struct Document;
    std::unique_ptr<Document> m_document;
    std::vector<PageSize> m_sizes;
    std::string m_problem;
};
