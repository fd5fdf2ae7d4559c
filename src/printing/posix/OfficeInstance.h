#pragma once

#include <memory>

#include "platform/posix/PrintServiceCalls.h"
#include "printing/DiagramApp.h"
#include "printing/posix/OfficeEngine.h"

// A reference to one private LibreOffice instance: opening renders the drawing
// to PDF, printing hands that PDF to the chosen CUPS queue.
// Its requests to the print service are made through printService: off the
// window's thread, bounded in time.
std::unique_ptr<DiagramApp> makeOfficeInstance(std::shared_ptr<OfficeEngine> engine,
                                               std::shared_ptr<OfficeEngine::Instance> instance,
                                               std::shared_ptr<const PrintServiceCalls> printService);
