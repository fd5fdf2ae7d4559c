#include "printing/posix/PaperChoice.h"

#include <algorithm>
#include <cmath>

#include "platform/posix/CupsPaper.h"

namespace {

// Points (1/72 inch) in hundredths of a millimetre, as IPP measures paper.
int hundredthsOfMillimetre(double points)
{
    return static_cast<int>(std::lround(points * 2540.0 / 72.0));
}

}  // namespace

std::vector<CupsJobs::JobOption> paperFor(const PageSize& page, const PaperOffered& offered)
{
    const int width = hundredthsOfMillimetre(page.width);
    const int height = hundredthsOfMillimetre(page.height);
    // The standard name first; a queue that takes custom sizes (a plotter
    // roll) may list no standard name for the size and still take it.
    std::string media = CupsPaper::mediaName(width, height);
    if (!offered(media))
        media = CupsPaper::customName(width, height);
    if (media.empty() || !offered(media))
        return {};
    const bool landscape = page.width > page.height;
    return {
        {"media", media},
        {"orientation-requested", landscape ? "4" : "3"},
        {"print-scaling", "auto-fit"},
    };
}

std::vector<PaperJob> choosePaper(const std::vector<PageSize>& pages, const PaperOffered& offered)
{
    std::vector<PaperJob> jobs;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        auto options = paperFor(pages[i], offered);
        const bool sameAsLast = !jobs.empty() && jobs.back().options.size() == options.size()
                                && std::equal(options.begin(), options.end(), jobs.back().options.begin(),
                                              [](const CupsJobs::JobOption& a, const CupsJobs::JobOption& b) {
                                                  return a.name == b.name && a.value == b.value;
                                              });
        if (sameAsLast)
            ++jobs.back().pageCount;
        else
            jobs.push_back({i, 1, std::move(options)});
    }
    return jobs;
}
