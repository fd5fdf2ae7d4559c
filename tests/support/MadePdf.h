#pragma once

// PDF documents made on the spot for the printing tests: a classic
// cross-reference table, one text line per page in a standard font.

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace printing_test {

struct MadePage {
    std::string entries;  // more entries of the page, such as "/MediaBox [0 0 612 792] /Rotate 90"
    std::string text;     // its one line of text
};

// pagesEntries go into the root of the page tree, where pages inherit them.
inline std::string madePdf(const std::vector<MadePage>& pages, const std::string& pagesEntries = "")
{
    std::vector<std::string> objects;
    std::ostringstream kids;
    for (std::size_t i = 0; i < pages.size(); ++i)
        kids << (4 + 2 * i) << " 0 R ";
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.push_back("<< /Type /Pages /Kids [" + kids.str() + "] /Count " + std::to_string(pages.size()) + " "
                      + pagesEntries + " >>");
    objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::string content = "BT /F1 18 Tf 36 36 Td (" + pages[i].text + ") Tj ET";
        objects.push_back("<< /Type /Page /Parent 2 0 R /Resources << /Font << /F1 3 0 R >> >> /Contents "
                          + std::to_string(5 + 2 * i) + " 0 R " + pages[i].entries + " >>");
        objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream");
    }
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
           + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

// The box of a page of the given size in points.
inline std::string mediaBox(double width, double height)
{
    std::ostringstream box;
    box << "/MediaBox [0 0 " << width << " " << height << "]";
    return box.str();
}

}  // namespace printing_test
