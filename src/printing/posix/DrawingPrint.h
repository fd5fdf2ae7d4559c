#pragma once

#include <string>
#include <vector>

#include "printing/FileOutcome.h"

// Prints a drawing that LibreOffice rendered to PDF on a CUPS queue, each page
// on the paper it was made for where the queue offers it (see choosePaper),
// and returns its jobs in page order (id, pages, paper): one job where all pages ask
// the same, else one job per run of pages, each a PDF of those pages written
// beside the drawing's PDF. A PDF whose page sizes cannot be read is printed
// whole, asking for nothing special, as is a drawing whose runs of pages
// cannot be written apart. Throws Failure ("Printing "title" on "queue"
// failed: reason") when a job is refused; the drawing's jobs that were already
// accepted are then cancelled, so that no part of it prints alone.
std::vector<SentJob> printDrawing(const std::string& queue, const std::string& pdfPath, const std::string& title);
