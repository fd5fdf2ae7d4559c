#include "app/NativeServices.h"

#include "platform/FileSystem.h"
#include "platform/posix/CupsPrinters.h"
#include "printing/posix/OfficeAppFactory.h"

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

}  // namespace

NativeServices makeNativeServices()
{
    return {std::make_unique<NoFileSystem>(), std::make_unique<CupsPrinters>(), std::make_unique<OfficeAppFactory>()};
}
