#pragma once

// Seams for the main window's tests that write each call into one shared log,
// so that a test sees the order in which the start-up reaches outside.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/SkinComponent.h"
#include "base/Failure.h"
#include "platform/FileSystem.h"
#include "platform/Printers.h"
#include "printing/DiagramApp.h"
#include "settings/SettingsStore.h"

using CallLog = std::vector<std::string>;

class RecordingSettings final : public SettingsStore {
public:
    explicit RecordingSettings(CallLog& log) : m_log(log) {}
    std::string read(Setting setting, const std::string& fallback) override
    {
        const std::string key = keyOf(setting);
        m_log.push_back("read " + key);
        const auto found = values.find(key);
        return found == values.end() ? fallback : found->second;
    }
    void write(Setting setting, const std::string& value) override
    {
        const std::string key = keyOf(setting);
        m_log.push_back("write " + key + "=" + value);
        if (unwritable)
            throw Failure("The setting " + key + " could not be stored in " + location() + ": Read-only file system");
        values[key] = value;
    }
    std::string location() const override { return "/home/user/.config/Tarnwell/Plotvane.conf"; }
    bool unwritable = false;
    std::map<std::string, std::string> values;

private:
    CallLog& m_log;
};

// Files beside the program: a set of paths that exist as ordinary files.
class RecordingFileSystem final : public FileSystem {
public:
    explicit RecordingFileSystem(CallLog& log) : m_log(log) {}
    PathStyle style() const override { return PathStyle::Posix; }
    std::optional<std::uint32_t> attributes(const std::string& path) override
    {
        m_log.push_back("attributes " + path);
        if (!files.count(path))
            return std::nullopt;
        return FileAttribute::Archive;
    }
    bool probeOpen(const std::string& path) override { return files.count(path) > 0; }
    std::vector<std::string> listFiles(const std::string&, const std::string&) override { return {}; }
    SubfolderListing subfolders(const std::string&) override { return {}; }
    std::optional<FolderIdentity> folderIdentity(const std::string&) override { return std::nullopt; }
    bool isRoot(const std::string& folder) override { return folder == "/"; }
    bool modificationTimeReadable(const std::string& path) override
    {
        m_log.push_back("modificationTime " + path);
        return files.count(path) > 0;
    }
    bool listingFindsEntry(const std::string& path, bool includeFolders) override
    {
        m_log.push_back("listing " + path);
        return files.count(path) > 0 && (includeFolders || !hidden.count(path));
    }
    std::set<std::string> files;
    std::set<std::string> hidden;

private:
    CallLog& m_log;
};

class RecordingSkin final : public SkinComponent {
public:
    explicit RecordingSkin(CallLog& log) : m_log(log) {}
    void loadSkin(const std::string& path, const std::string& section) override
    {
        m_log.push_back("skin load " + path + " '" + section + "'");
        if (failLoad)
            throw Failure("The skin could not be loaded");
    }
    std::int32_t applicationOptions() override
    {
        m_log.push_back("skin read options");
        return options;
    }
    void setApplicationOptions(std::int32_t value) override
    {
        m_log.push_back("skin write options " + std::to_string(value));
        options = value;
    }
    void setOption(int id, bool on) override
    {
        m_log.push_back("skin option " + std::to_string(id) + (on ? " true" : " false"));
    }
    void applyWindow(std::intptr_t) override { m_log.push_back("skin apply window"); }
    std::int32_t options = 6;
    bool failLoad = false;

private:
    CallLog& m_log;
};

class RecordingPrinters final : public Printers {
public:
    explicit RecordingPrinters(CallLog& log) : m_log(log) {}
    std::vector<std::string> names() override
    {
        m_log.push_back("printers names");
        return list;
    }
    std::string defaultName() override
    {
        m_log.push_back("printers default");
        return defaultPrinter;
    }
    std::vector<std::string> list{"Plotter_A", "Plotter_B"};
    std::string defaultPrinter = "Plotter_B";

private:
    CallLog& m_log;
};

class RecordingApp final : public DiagramApp {
public:
    explicit RecordingApp(CallLog& log) : m_log(log) {}
    void open(const std::string& path) override { m_log.push_back("app open " + path); }
    void setActivePrinter(const std::string& printerName) override
    {
        m_log.push_back("app setActivePrinter " + printerName);
    }
    void printAllPages() override { m_log.push_back("app printAllPages"); }
    void quit() override { m_log.push_back("app quit"); }
    std::string name() override
    {
        m_log.push_back("app name");
        return "Test Application";
    }

private:
    CallLog& m_log;
};

class RecordingAppFactory final : public DiagramAppFactory {
public:
    explicit RecordingAppFactory(CallLog& log) : m_log(log) {}
    std::unique_ptr<DiagramApp> create(const std::string& className) override
    {
        m_log.push_back("create " + className);
        if (!installed)
            throw Failure("Class not registered");
        return std::make_unique<RecordingApp>(m_log);
    }
    std::unique_ptr<DiagramApp> attach(const std::string& className) override
    {
        m_log.push_back("attach " + className);
        throw Failure("Operation unavailable");
    }
    bool installed = true;

private:
    CallLog& m_log;
};
