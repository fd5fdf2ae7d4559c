#include "printing/SystemBackends.h"

#include "platform/posix/CupsPrinters.h"
#include "printing/posix/OfficeAppFactory.h"

std::unique_ptr<DiagramAppFactory> makeSystemDiagramAppFactory()
{
    return std::make_unique<OfficeAppFactory>();
}

std::unique_ptr<Printers> makeSystemPrinters()
{
    return std::make_unique<CupsPrinters>();
}
