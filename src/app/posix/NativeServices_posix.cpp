#include "app/NativeServices.h"

#include "app/Failure.h"
#include "platform/FileSystem.h"
#include "platform/Printers.h"
#include "platform/posix/PosixFileSystem.h"
#include "printing/DiagramApp.h"

namespace {

class NoPrinters final : public Printers {
public:
    std::vector<std::string> names() override { return {}; }
    std::string defaultName() override { return {}; }
};

class NoDiagramApps final : public DiagramAppFactory {
public:
    std::unique_ptr<DiagramApp> create(const std::string&) override { throw Failure("Not available"); }
    std::unique_ptr<DiagramApp> attach(const std::string&) override { throw Failure("Not available"); }
};

}  // namespace

NativeServices makeNativeServices()
{
    return {std::make_unique<PosixFileSystem>(), std::make_unique<NoPrinters>(), std::make_unique<NoDiagramApps>()};
}
