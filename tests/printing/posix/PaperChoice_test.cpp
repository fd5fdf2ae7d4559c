#include "PortableTest.h"

#include <set>

#include "printing/posix/PaperChoice.h"

namespace {

// A queue with Letter, A4 and A3; a queue with Letter and A4; a roll that
// takes Letter and any custom size.
const std::set<std::string> officeA3 = {"na_letter_8.5x11in", "iso_a4_210x297mm", "iso_a3_297x420mm"};
const std::set<std::string> officeA4 = {"na_letter_8.5x11in", "iso_a4_210x297mm"};

PaperOffered queueWith(const std::set<std::string>& media, bool customSizes = false)
{
    return [media, customSizes](const std::string& name) {
        return media.count(name) > 0 || (customSizes && name.rfind("custom_", 0) == 0);
    };
}

std::string asked(const std::vector<CupsJobs::JobOption>& options)
{
    std::string text;
    for (const auto& option : options)
        text += option.name + "=" + option.value + " ";
    return text;
}

std::string jobsOf(const std::vector<PaperJob>& jobs)
{
    std::string text;
    for (const auto& job : jobs)
        text += "[" + std::to_string(job.firstPage + 1) + "+" + std::to_string(job.pageCount) + " " + asked(job.options)
                + "]";
    return text;
}

const PageSize a3Landscape{1190.55, 841.89};
const PageSize a3Portrait{841.89, 1190.55};
const PageSize letter{612, 792};
const PageSize tabloidLandscape{1224, 792};

}  // namespace

PV_TEST(eachPageAsksForThePaperOfItsSizeWhereTheQueueHasIt)
{
    const std::string fit = "print-scaling=auto-fit ";
    const struct {
        PageSize page;
        PaperOffered queue;
        std::string expected;
    } cases[] = {
        {a3Landscape, queueWith(officeA3), "media=iso_a3_297x420mm orientation-requested=4 " + fit},
        {a3Portrait, queueWith(officeA3), "media=iso_a3_297x420mm orientation-requested=3 " + fit},
        {letter, queueWith(officeA3), "media=na_letter_8.5x11in orientation-requested=3 " + fit},
        // A4 as whole points, within the 5 points that a standard size allows.
        {{842, 595}, queueWith(officeA4), "media=iso_a4_210x297mm orientation-requested=4 " + fit},
        {a3Landscape, queueWith(officeA4), ""},
        {tabloidLandscape, queueWith(officeA3), ""},
        {{100, 100}, queueWith(officeA3), ""},
        // A roll: a plotter's custom sizes, and A0, which it does not list.
        {{2590.87, 4251.97},
         queueWith({"na_letter_8.5x11in"}, true),
         "media=custom_914x1500mm_914x1500mm orientation-requested=3 " + fit},
        {{3370.39, 2383.94},
         queueWith({"na_letter_8.5x11in"}, true),
         "media=custom_841x1189mm_841x1189mm orientation-requested=4 " + fit},
        {letter, queueWith({"na_letter_8.5x11in"}, true), "media=na_letter_8.5x11in orientation-requested=3 " + fit},
        {{2590.87, 4251.97}, queueWith(officeA3), ""},
        {{2590.87, 4251.97}, queueWith({}), ""},
    };
    for (const auto& c : cases) {
        const std::string got = asked(paperFor(c.page, c.queue));
        PV_CHECK_EQ(got, c.expected);
    }
}

PV_TEST(pagesThatAskTheSameShareAJobAndJobsKeepPageOrder)
{
    const std::string a3 = "media=iso_a3_297x420mm orientation-requested=4 print-scaling=auto-fit ";
    const std::string a3Upright = "media=iso_a3_297x420mm orientation-requested=3 print-scaling=auto-fit ";
    const std::string letterUpright = "media=na_letter_8.5x11in orientation-requested=3 print-scaling=auto-fit ";
    const struct {
        std::vector<PageSize> pages;
        PaperOffered queue;
        std::string expected;
    } cases[] = {
        {{a3Landscape, a3Landscape, a3Landscape}, queueWith(officeA3), "[1+3 " + a3 + "]"},
        {{a3Landscape, a3Landscape, letter, a3Landscape},
         queueWith(officeA3),
         "[1+2 " + a3 + "][3+1 " + letterUpright + "][4+1 " + a3 + "]"},
        {{a3Landscape, a3Portrait}, queueWith(officeA3), "[1+1 " + a3 + "][2+1 " + a3Upright + "]"},
        // Pages the queue has no paper for all fit its default paper.
        {{a3Landscape, tabloidLandscape, a3Portrait}, queueWith(officeA4), "[1+3 ]"},
        {{letter, a3Landscape, tabloidLandscape}, queueWith(officeA4), "[1+1 " + letterUpright + "][2+2 ]"},
        {{}, queueWith(officeA3), ""},
    };
    for (const auto& c : cases)
        PV_CHECK_EQ(jobsOf(choosePaper(c.pages, c.queue)), c.expected);
}
