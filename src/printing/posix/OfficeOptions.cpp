#include "printing/posix/OfficeOptions.h"

#include <algorithm>
#include <unistd.h>

unsigned long long conversionAddressSpace()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    const unsigned long long least = 2ULL << 30;
    if (pages <= 0 || pageSize <= 0)
        return least;
    return std::max(least, static_cast<unsigned long long>(pages) * static_cast<unsigned long long>(pageSize) / 2);
}
