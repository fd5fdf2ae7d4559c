#include "PortableTest.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "base/Failure.h"
#include "support/MadePdf.h"
#include "support/PrintingTestSupport.h"
#include "printing/posix/RenderedPdf.h"

using namespace printing_test;

namespace {

struct Folder {
    TempTree tree{"plotvane-pdf-"};
    std::string path = tree.root();
};

std::string sizesOf(const RenderedPdf& pdf)
{
    std::ostringstream text;
    for (const auto& size : pdf.pageSizes())
        text << size.width << "x" << size.height << " ";
    return text.str() + pdf.problem();
}

// Every way a page states its size, one page each; the page tree turns its
// pages a quarter by default.
const std::vector<MadePage> kindsOfPages = {
    {"/MediaBox [0 0 612 792] /Rotate 0", "plain Letter"},
    {"/Rotate 0", "A3 landscape from the page tree"},
    {"/MediaBox [612 792 0 0] /Rotate 0", "corners the other way"},
    {"/MediaBox [0 0 612 792] /CropBox [36 36 576 756] /Rotate 0", "cropped"},
    {"/MediaBox [0 0 612 792] /CropBox [-50 -50 1000 1000] /Rotate 0", "crop beyond the media"},
    {"/MediaBox [0 0 612 792] /Rotate 90", "turned a quarter"},
    {"/MediaBox [0 0 612 792]", "turned by the page tree"},
    {"/MediaBox [0 0 612 792] /Rotate -90", "turned back"},
    {"/MediaBox [0 0 612 792] /Rotate 180", "upside down"},
    {"/MediaBox [0 0 1000 500] /UserUnit 2 /Rotate 0", "large format"},
};
const std::string kindsOfPagesSizes
    = "612x792 1190.55x841.89 612x792 540x720 612x792 792x612 792x612 792x612 612x792 2000x1000 ";

}  // namespace

PV_TEST(pageSizesAreTheVisibleAreaTurnedByTheRotation)
{
    Folder folder;
    const std::string path = folder.path + "/kinds.pdf";
    writeFile(path, madePdf(kindsOfPages, mediaBox(1190.55, 841.89) + " /Rotate 270"));
    PV_CHECK_EQ(sizesOf(RenderedPdf(path)), kindsOfPagesSizes);

    // The same pages in object streams with a cross-reference stream, as
    // other producers write them.
    QPDF source;
    source.processFile(path.c_str());
    // The writer keeps the name until it writes, so the name must outlive it.
    const std::string streams = folder.path + "/streams.pdf";
    QPDFWriter writer(source, streams.c_str());
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
    PV_CHECK(capture("grep -c ObjStm " + shellQuoted(streams)) != "0\n");
    PV_CHECK_EQ(sizesOf(RenderedPdf(streams)), kindsOfPagesSizes);

    // A damaged cross-reference table is rebuilt.
    std::string damaged = madePdf(kindsOfPages, mediaBox(1190.55, 841.89) + " /Rotate 270");
    damaged.replace(damaged.rfind("startxref\n") + 10, 3, "999");
    writeFile(folder.path + "/damaged.pdf", damaged);
    PV_CHECK_EQ(sizesOf(RenderedPdf(folder.path + "/damaged.pdf")), kindsOfPagesSizes);
}

PV_TEST(pagesWhoseSizeCannotBeReadGiveAReasonAndNoSizes)
{
    Folder folder;
    const struct {
        const char* name;
        std::string content;  // empty: no such file
        const char* reason;
    } cases[] = {
        {"missing.pdf", "", "missing.pdf"},
        {"empty.pdf", "\n", "empty.pdf"},
        {"garbage.pdf", "%PDF-1.4\nthis is no PDF at all\n", "garbage.pdf"},
        {"no media.pdf", madePdf({{"/Rotate 0", "a"}}), "page 1 has no readable MediaBox"},
        {"word box.pdf", madePdf({{"/MediaBox [0 0 wide 792]", "a"}}), "page 1 has no readable MediaBox"},
        {"flat box.pdf", madePdf({{mediaBox(612, 792), "a"}, {mediaBox(612, 0), "b"}}), "page 2 has an empty"},
        {"slanted.pdf", madePdf({{mediaBox(612, 792) + " /Rotate 45", "a"}}), "turned by 45 degrees"},
        {"no pages.pdf", madePdf({}), "no pages"},
    };
    for (const auto& c : cases) {
        const std::string path = folder.path + "/" + c.name;
        if (!c.content.empty())
            writeFile(path, c.content);
        const RenderedPdf pdf(path);
        PV_CHECK(pdf.pageSizes().empty());
        PV_CHECK(pdf.problem().find(c.reason) != std::string::npos);
        if (pdf.problem().find(c.reason) == std::string::npos)
            std::printf("    %s: %s\n", c.name, pdf.problem().c_str());
    }
}

PV_TEST(aRunOfPagesIsWrittenAsADocumentOfItsOwn)
{
    Folder folder;
    const std::string path = folder.path + "/four.pdf";
    writeFile(
        path,
        madePdf(
            {{mediaBox(612, 792), "first"}, {"", "second"}, {"/Rotate 90", "third"}, {mediaBox(612, 792), "fourth"}},
            mediaBox(1190.55, 841.89)));
    const RenderedPdf pdf(path);
    pdf.writePages(1, 2, folder.path + "/middle.pdf");
    PV_CHECK_EQ(sizesOf(RenderedPdf(folder.path + "/middle.pdf")), std::string("1190.55x841.89 841.89x1190.55 "));
    const std::string text = pdfText(folder.path + "/middle.pdf");
    PV_CHECK(text.find("second") < text.find("third"));
    PV_CHECK(text.find("first") == std::string::npos && text.find("fourth") == std::string::npos);

    PV_CHECK(portable_test::failureOf([&] { pdf.writePages(3, 2, folder.path + "/beyond.pdf"); }) != "(no failure)");
    PV_CHECK(!exists(folder.path + "/beyond.pdf"));
}
