#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/posix/CupsJobs.h"
#include "printing/posix/RenderedPdf.h"

// One print job of a drawing: a run of its pages and what the job asks of the
// queue.
struct PaperJob {
    std::size_t firstPage = 0;  // counted from 0
    std::size_t pageCount = 0;
    // Empty: the job asks for nothing special, and CUPS fits its pages onto
    // the queue's default paper.
    std::vector<CupsJobs::JobOption> options;
};

// Whether the queue takes a PWG media name.
using PaperOffered = std::function<bool(const std::string& mediaName)>;

// What a page asks of the queue: the paper of its size by its PWG name, turned
// the way the page is (landscape when it is wider than high), scaled only
// where it must fit. The paper is the standard size where the queue offers
// it, else the custom form of the page's size (a plotter roll) where the
// queue takes custom sizes; where the queue has neither, nothing.
std::vector<CupsJobs::JobOption> paperFor(const PageSize& page, const PaperOffered& offered);

// The jobs that print a drawing, each page on its own paper: pages next to
// each other that ask the same share one job, and the jobs keep page order.
// No pages give no jobs.
std::vector<PaperJob> choosePaper(const std::vector<PageSize>& pages, const PaperOffered& offered);
