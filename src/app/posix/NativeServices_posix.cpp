#include "app/NativeServices.h"

#include "app/Failure.h"
#include "platform/FileSystem.h"
#include "platform/Printers.h"
#include "printing/DiagramApp.h"

namespace {

class NoFileSystem final : public FileSystem {
public:
    PathStyle style() const override { return PathStyle::Posix; }
    std::optional<std::uint32_t> attributes(const std::string&) override { return std::nullopt; }
    bool probeOpen(const std::string&) override { return false; }
    std::vector<std::string> listFiles(const std::string&, const std::string&) override { return {}; }
    SubfolderListing subfolders(const std::string&) override { return {}; }
    bool isRoot(const std::string& folder) override { return folder == "/"; }
    bool modificationTimeReadable(const std::string&) override { return false; }
    bool listingFindsEntry(const std::string&, bool) override { return false; }
};

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
    return {std::make_unique<NoFileSystem>(), std::make_unique<NoPrinters>(), std::make_unique<NoDiagramApps>()};
}
