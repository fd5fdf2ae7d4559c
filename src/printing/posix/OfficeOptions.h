#pragma once

#include <string>

#include "platform/posix/CupsService.h"
#include "settings/SettingKeys.h"

// The address space a conversion may take on this machine: half of its
// memory, never less than 2 GiB (a drawing of ordinary size converts within
// 500 MB).
unsigned long long conversionAddressSpace();

// How the LibreOffice instances are run.
struct OfficeOptions {
    // The program: a path, or a name looked up on PATH.
    std::string program = "soffice";
    // Longest time one opening of a file may take; the run is then ended.
    double timeLimitSeconds = DefaultConversionSeconds;
    // Where the instances' folders are made; empty: the temporary folder.
    std::string workRoot;
    // Longest time the print service (CUPS) may take to answer a request.
    double printServiceSeconds = CupsService::AnswerLimitSeconds;
    // The most address space each LibreOffice process of a conversion may
    // take, in bytes (0: no bound), so that no drawing can take the machine's
    // memory.
    unsigned long long addressSpaceLimit = conversionAddressSpace();
};
