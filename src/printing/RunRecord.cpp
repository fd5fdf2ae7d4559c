#include "printing/RunRecord.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/Failure.h"
#include "platform/Utf8.h"

namespace fs = std::filesystem;

namespace {

// A field as CSV needs it: well-formed UTF-8; led by ' when a spreadsheet
// would take it for a formula (it begins with =, +, -, @, a tab or a carriage
// return), so that the cell stays text; quoted when it holds a comma, a quote
// or a line break, with its quotes doubled.
std::string field(const std::string& value)
{
    std::string text = Utf8::lossy(value);
    if (!text.empty() && std::string("=+-@\t\r").find(text.front()) != std::string::npos)
        text.insert(0, 1, '\'');
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string formatTime(std::time_t time, const char* format)
{
    const std::tm* local = std::localtime(&time);
    char text[32] = {};
    if (!local || std::strftime(text, sizeof text, format, local) == 0)
        return {};
    return text;
}

bool isRecordName(const std::string& name)
{
    // YYYY-MM-DD_HHMMSS.csv, with a "-N" before the extension for a second
    // run in the same second.
    return name.size() >= 21 && name.compare(name.size() - 4, 4, ".csv") == 0 && name[4] == '-' && name[7] == '-'
           && name[10] == '_';
}

// The names of a folder's records, oldest first.
std::vector<std::string> recordNames(const std::string& folder)
{
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator it(fs::u8path(folder), error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().u8string();
        if (isRecordName(name))
            names.push_back(name);
    }
    // The names sort by the time of their run; "-N" runs sort after their first.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ta = a.substr(0, 17), tb = b.substr(0, 17);
        return ta != tb ? ta < tb : a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return names;
}

// The rows of a CSV text, each a list of fields: quoted fields may hold
// commas, quotes (doubled) and line breaks. False when a quote is not closed.
bool readCsv(const std::string& text, std::vector<std::vector<std::string>>& rows)
{
    std::vector<std::string> row;
    std::string value;
    bool quoted = false;
    bool any = false;
    const auto endRow = [&] {
        if (any || !value.empty()) {
            row.push_back(std::move(value));
            rows.push_back(std::move(row));
        }
        row.clear();
        value.clear();
        any = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"')
                value += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                value += text[++i];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = any = true;
        } else if (c == ',') {
            row.push_back(std::move(value));
            value.clear();
            any = true;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endRow();
        } else {
            value += c;
            any = true;
        }
    }
    if (quoted)
        return false;
    endRow();
    return true;
}

}  // namespace

RunRecord::RunRecord(std::string folder, std::time_t runStarted) : m_folder(std::move(folder)), m_runStarted(runStarted)
{
}

std::string RunRecord::put(int key, const FileOutcome& outcome)
{
    const auto at = std::find(m_keys.begin(), m_keys.end(), key);
    if (at == m_keys.end()) {
        m_keys.push_back(key);
        m_rows.push_back(outcome);
    } else {
        m_rows[static_cast<std::size_t>(at - m_keys.begin())] = outcome;
    }
    return write();
}

std::string RunRecord::csv(const std::vector<FileOutcome>& rows)
{
    // The byte-order mark tells spreadsheets that the file is UTF-8.
    std::string text = std::string(ByteOrderMark) + Header + "\r\n";
    for (const auto& row : rows) {
        const int pages = pagesOf(row.sent);
        const std::string reason = row.outcome == Outcome::Failed
                                       ? "line " + std::to_string(row.failedLine) + ": " + row.reason
                                       : row.reason;
        text += field(row.started) + ',' + field(row.file) + ',' + field(row.sent.printer) + ','
                + (pages > 0 ? std::to_string(pages) : std::string()) + ',' + field(papersOf(row.sent)) + ','
                + field(jobNumbersOf(row.sent)) + ',' + field(outcomeWord(row.outcome)) + ',' + field(reason) + "\r\n";
    }
    return text;
}

std::string RunRecord::fileName(std::time_t time)
{
    return formatTime(time, "%Y-%m-%d_%H%M%S") + ".csv";
}

std::string RunRecord::timestamp(std::time_t time)
{
    return formatTime(time, "%Y-%m-%d %H:%M:%S");
}

std::string RunRecord::write()
{
    if (m_folder.empty())
        return "the system names no folder for it";
    std::error_code error;
    const fs::path folder = fs::u8path(m_folder);
    if (m_path.empty()) {
        fs::create_directories(folder, error);
        if (error)
            return "the folder " + m_folder + " cannot be made (" + error.message() + ")";
        // A second run in the same second gets a name of its own.
        const std::string stem = fileName(m_runStarted);
        fs::path file = folder / fs::u8path(stem);
        for (int n = 2; fs::exists(file, error); ++n)
            file = folder / fs::u8path(stem.substr(0, stem.size() - 4) + "-" + std::to_string(n) + ".csv");
        m_path = file.u8string();
        prune(m_folder, RecordsKept - 1);
    }
    const fs::path file = fs::u8path(m_path);
    fs::path temporary = file;
    temporary += ".part";
    {
        // The stream keeps no cause of its own; the system's last word on
        // its file is the cause (a read-only folder, a full disk).
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << csv(m_rows);
        out.close();
        if (!out) {
            const int cause = errno;
            fs::remove(temporary, error);
            return "the file " + temporary.u8string() + " cannot be written"
                   + (cause != 0 ? " (" + std::generic_category().message(cause) + ")" : std::string());
        }
    }
    fs::rename(temporary, file, error);
    if (error) {
        const std::string problem = "the file " + m_path + " cannot be replaced (" + error.message() + ")";
        fs::remove(temporary, error);
        return problem;
    }
    return {};
}

std::string recordProblemText(const std::string& problem)
{
    return "The record of this run cannot be written: " + problem
           + ". The run goes on; what it prints is not recorded.";
}

void RunRecord::prune(const std::string& folder, int kept)
{
    const std::vector<std::string> names = recordNames(folder);
    std::error_code error;
    for (std::size_t i = 0; i + static_cast<std::size_t>(std::max(kept, 0)) < names.size(); ++i)
        fs::remove(fs::u8path(folder) / fs::u8path(names[i]), error);
}

std::string RunRecord::newest(const std::string& folder)
{
    const std::vector<std::string> names = recordNames(folder);
    return names.empty() ? std::string() : (fs::u8path(folder) / fs::u8path(names.back())).u8string();
}

namespace {

// A name that is not UTF-8 is recorded in its readable form, each stray byte
// as U+FFFD. Read back, it is the one file of its folder whose name reads so,
// where there is exactly one; otherwise it stays as recorded.
std::string exactName(const std::string& recorded)
{
    std::error_code error;
    const fs::path path = fs::u8path(recorded);
    if (recorded.find("\xef\xbf\xbd") == std::string::npos || fs::exists(path, error))
        return recorded;
    const std::string wanted = path.filename().u8string();
    std::string found;
    for (fs::directory_iterator it(path.parent_path(), error), end; !error && it != end; it.increment(error)) {
        if (Utf8::lossy(it->path().filename().u8string()) != wanted)
            continue;
        if (!found.empty())
            return recorded;
        found = it->path().u8string();
    }
    return found.empty() ? recorded : found;
}

}  // namespace

std::vector<std::string> RunRecord::unprintedFiles(const std::string& recordPath)
{
    std::ifstream in(fs::u8path(recordPath), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad())
        throw Failure("the run record " + recordPath + " cannot be read");
    try {
        std::vector<std::string> files = unprintedFilesOf(text);
        for (std::string& file : files)
            file = exactName(file);
        return files;
    } catch (const Failure& failure) {
        throw Failure("the file " + recordPath + " is no run record: " + failure.what());
    }
}

std::vector<std::string> RunRecord::unprintedFilesOf(const std::string& csvText)
{
    // A spreadsheet may have saved it with a byte-order mark.
    const std::string bom = ByteOrderMark;
    const std::string text = csvText.compare(0, bom.size(), bom) == 0 ? csvText.substr(bom.size()) : csvText;
    std::vector<std::vector<std::string>> rows;
    if (!readCsv(text, rows))
        throw Failure("a quote is not closed");
    if (rows.empty())
        throw Failure("it has no header");
    // The columns are found by their names, so that a record with more
    // columns reads the same.
    const std::vector<std::string>& header = rows.front();
    const auto column = [&](const char* name) {
        const auto found = std::find(header.begin(), header.end(), name);
        if (found == header.end())
            throw Failure(std::string("it has no column \"") + name + "\"");
        return static_cast<std::size_t>(found - header.begin());
    };
    const std::size_t file = column("file");
    const std::size_t outcome = column("outcome");
    std::vector<std::string> files;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::vector<std::string>& row = rows[i];
        if (row.size() <= std::max(file, outcome))
            throw Failure("row " + std::to_string(i + 1) + " is short");
        const std::string& word = row[outcome];
        if (word == outcomeWord(Outcome::Failed) || word == outcomeWord(Outcome::Stopped)
            || word == outcomeWord(Outcome::NotReached))
            files.push_back(row[file]);
    }
    return files;
}
