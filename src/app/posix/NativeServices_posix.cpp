#include "app/NativeServices.h"

#include "platform/posix/CupsPrinters.h"
#include "platform/posix/DesktopShell.h"
#include "platform/posix/PosixFileSystem.h"
#include "printing/posix/OfficeAppFactory.h"

NativeServices makeNativeServices(EventPump& events, const Lifetime& lifetime, int conversionSeconds)
{
    OfficeOptions office;
    office.timeLimitSeconds = conversionSeconds;
    return {std::make_unique<PosixFileSystem>(), std::make_unique<CupsPrinters>(events, lifetime),
            std::make_unique<OfficeAppFactory>(events, lifetime, office), std::make_unique<DesktopShell>()};
}
