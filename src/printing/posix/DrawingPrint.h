#pragma once

#include <string>
#include <vector>

class PrintServiceCalls;
#include "printing/FileOutcome.h"

// Prints a drawing that LibreOffice rendered to PDF on a CUPS queue, each page
// on the paper it was made for where the queue offers it (see choosePaper),
// and returns its jobs in page order (id, pages, paper): one job where all pages ask
// the same, else one job per run of pages, each a PDF of those pages written
// beside the drawing's PDF. A PDF whose page sizes cannot be read is printed
// whole, asking for nothing special, as is a drawing whose runs of pages
// cannot be written apart. Throws Failure ("Printing "title" on "queue"
// failed: reason") when a job is refused. A drawing in several jobs submits
// them held and releases them once all are accepted; when any part fails, the
// parts already accepted are cancelled, so that no part prints alone. Each
// request to the print service is one call of printService.
std::vector<SentJob> printDrawing(const std::string& queue, const std::string& pdfPath, const std::string& title,
                                  const PrintServiceCalls& printService);
