#include "printing/posix/Conversion.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "base/Failure.h"
#include "platform/Paths.h"
#include "printing/FileNameOf.h"
#include "printing/posix/Folders.h"
#include "printing/posix/OfficeOptions.h"
#include "printing/posix/RenderedPdf.h"
#include "settings/SettingKeys.h"

namespace {

std::string absolutePath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    // A relative path gets the working folder in front: this also keeps a name
    // that starts with a dash from being taken for an option.
    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).string();
    return error ? "./" + path : joinPath(folder, path, PathStyle::Posix);
}

// The error LibreOffice logged, if any, as it wrote it ("Error: source file
// could not be loaded"). It exits 0 after some failures, so its log counts.
std::string loggedError(const std::string& logPath)
{
    std::ifstream log(logPath);
    std::string line;
    std::string reason;
    while (std::getline(log, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("Error:", 0) == 0)
            reason = line;
    }
    return reason;
}

// The non-empty PDF that a conversion left in the folder, or empty.
std::string renderedPdf(const std::string& folder)
{
    std::string found;
    const std::string wanted = ".pdf";
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() <= wanted.size() || name.compare(name.size() - wanted.size(), wanted.size(), wanted) != 0)
                continue;
            struct stat info {};
            const std::string path = joinPath(folder, name, PathStyle::Posix);
            if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
                found = path;
        }
        ::closedir(dir);
    }
    return found;
}

// The drawing under a plain name (drawing-N.vsd) in the folder, for
// LibreOffice: it cannot load some names at all (bytes that are not UTF-8),
// however they are passed. A link where one can be made, else a copy; empty
// when neither can.
std::string plainNamed(const std::string& file, const std::string& folder, int number)
{
    const std::string name = fileNameOf(file, PathStyle::Posix);
    std::string extension;
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && name.size() - dot - 1 <= 8) {
        for (const char c : name.substr(dot + 1)) {
            if (!std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80) {
                extension.clear();
                break;
            }
            extension += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    const std::string plain = joinPath(
        folder, "drawing-" + std::to_string(number) + (extension.empty() ? "" : "." + extension), PathStyle::Posix);
    if (::symlink(file.c_str(), plain.c_str()) == 0)
        return plain;
    std::error_code error;
    if (std::filesystem::copy_file(file, plain, std::filesystem::copy_options::overwrite_existing, error))
        return plain;
    return {};
}

// Whether a failed conversion was refused memory: a process of it came up to
// the address-space bound, within what one refused request may ask for (an
// eighth of the bound, or 256 MiB). LibreOffice's own words are then the same
// as for a file it cannot read, or it crashes.
bool reachedBound(unsigned long long peak, unsigned long long bound)
{
    const unsigned long long room = std::max(bound / 8, 256ULL << 20);
    return bound > 0 && peak + room >= bound;
}

}  // namespace

std::unique_ptr<Conversion> Conversion::begin(const std::string& path, const InstanceFolders& where, int document,
                                              const OfficeOptions& options)
{
    const std::string file = absolutePath(path);
    struct stat info {};
    if (path.empty() || ::stat(file.c_str(), &info) != 0)
        throw Failure("File not found: " + path);
    if (!S_ISREG(info.st_mode))
        throw Failure("Cannot open \"" + path + "\": it is not a file");
    if (info.st_size == 0)
        throw Failure("Cannot open \"" + path + "\": the file is empty");

    auto conversion = std::make_unique<Conversion>();
    conversion->path = path;
    conversion->output = joinPath(where.work, "document-" + std::to_string(document), PathStyle::Posix);
    if (::mkdir(conversion->output.c_str(), 0700) != 0)
        throw Failure("Cannot open \"" + path + "\": no work folder (" + std::strerror(errno) + ")");
    conversion->given = plainNamed(file, where.work, document);
    if (conversion->given.empty())
        throw Failure("Cannot open \"" + path + "\": it cannot be linked or copied for LibreOffice ("
                      + std::strerror(errno) + ")");

    ChildRequest& request = conversion->request;
    request.argv = {options.program,
                    "--headless",
                    "--norestore",
                    "--nolockcheck",
                    "-env:UserInstallation=" + Folders::fileUrl(where.profile),
                    "--convert-to",
                    "pdf:draw_pdf_Export",
                    "--outdir",
                    conversion->output,
                    conversion->given};
    request.logPath = joinPath(where.work, "soffice.log", PathStyle::Posix);
    request.timeLimitSeconds = options.timeLimitSeconds;
    request.addressSpaceLimit = options.addressSpaceLimit;
    // What LibreOffice leaves in its temporary folder when it is killed goes
    // with the instance's folder.
    request.temporaryFolder = joinPath(where.folder, "tmp", PathStyle::Posix);
    if (::mkdir(request.temporaryFolder.c_str(), 0700) != 0 && errno != EEXIST)
        throw Failure("Cannot open \"" + path + "\": no temporary folder (" + std::strerror(errno) + ")");
    conversion->started = std::chrono::steady_clock::now();
    return conversion;
}

Conversion::~Conversion()
{
    if (!given.empty())
        ::unlink(given.c_str());
}

std::string Conversion::result(const ChildResult& run, double timeLimitSeconds) const
{
    const std::string cannot = "Cannot open \"" + path + "\": ";
    // A conversion refused memory fails for that, whatever else it shows:
    // more time would not help it either.
    const bool refusedMemory
        = run.outcome != ChildResult::Outcome::Ended && reachedBound(run.peakAddressSpace, request.addressSpaceLimit);
    const auto failed = [&](const std::string& reason) {
        if (!refusedMemory)
            return Failure(cannot + reason);
        return Failure(cannot + "the drawing needs more memory than the conversion's bound of "
                       + std::to_string(request.addressSpaceLimit >> 20) + " MB allows");
    };
    switch (run.outcome) {
    case ChildResult::Outcome::NotStarted:
        throw Failure(cannot + "LibreOffice cannot be started (" + run.error + ")");
    case ChildResult::Outcome::TimedOut:
        throw failed("LibreOffice did not finish within " + std::to_string(static_cast<long>(timeLimitSeconds))
                     + " seconds; the setting " + keyOf(Setting::ConversionLimit)
                     + " gives it longer (for plotvane --print: --conversion-limit SECONDS)");
    case ChildResult::Outcome::Signaled:
        throw failed("LibreOffice ended abnormally (signal " + std::to_string(run.signal) + ")");
    case ChildResult::Outcome::Ended:
        throw Failure(cannot + "LibreOffice was ended because the program is closing");
    case ChildResult::Outcome::Exited:
        break;
    }
    // A PDF left behind by a failed run may be cut short or half written.
    const std::string logged = loggedError(request.logPath);
    if (run.exitCode != 0)
        throw failed("LibreOffice ended with code " + std::to_string(run.exitCode)
                     + (logged.empty() ? std::string() : " and said \"" + logged + "\""));
    if (!logged.empty())
        throw failed("LibreOffice said \"" + logged + "\"");
    const std::string pdf = renderedPdf(output);
    if (pdf.empty())
        throw failed("it is not a drawing that LibreOffice can read");
    const std::string damage = RenderedPdf::damage(pdf);
    if (!damage.empty())
        throw failed("the PDF LibreOffice made cannot be read whole (" + damage + ")");
    return pdf;
}
