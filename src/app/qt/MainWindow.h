#pragma once

#include <QCursor>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/qt/MainWindowServices.h"
#include "base/WindowPointer.h"
#include "settings/SettingKeys.h"

class AddFolderCommand;
class DiagramAppAdapter;
class DropIntake;
class FileListView;
class PrintRun;
class ProgressBar;
class QComboBox;
class QGroupBox;
class QPushButton;
class QtPrintView;
class RunOutcomes;
class SampleFiles;
class SkinFramework;

// The main window: the file list, the commands, the printer and pause choices
// and the progress bar. load() runs the start-up sequence; closing the window
// ends the program at once.
class MainWindow final : public QWidget, public WindowPointer {
    Q_OBJECT
public:
    // The window's push buttons, numbered as the window's designer numbered
    // them (their object names are PushButton1 to PushButton8).
    enum class Button {
        AddFiles = 1,       // "Add Visio File(s)"
        StartPrinting = 2,  // "Start Printing"
        ClearList = 3,      // "Clear List"
        AddFolder = 4,      // "Add All Visio Files In Folder"
        MoveUp = 5,         // "Move Up"
        MoveDown = 6,       // "Move Down"
        LoadSamples = 7,    // "Load Sample/Example Files"
        ExplainPause = 8,   // "?"
    };

    static const char* const LoadLocation;
    static const char* const HomePage;

    explicit MainWindow(MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence, each step under the error trap.
    void load();
    // Shows the window centred on its screen.
    void showCentred();
    // Paths handed to Plotvane from outside the window (its command line, a
    // later start in the session): the window comes to the front, and the
    // paths are added as a drop onto the list adds them.
    void takeHandedOver(const std::vector<std::string>& paths);

    int mousePointer() const override { return m_mousePointer; }
    void setMousePointer(int value) override;
    bool hasMouseIcon() const { return m_mouseIcon.has_value(); }

    FileListView& fileList() { return *m_fileList; }
    QComboBox& printerChoice() { return *m_printerChoice; }
    QComboBox& pauseChoice() { return *m_pauseChoice; }
    ProgressBar& progressBar() { return *m_progressBar; }
    QPushButton& button(Button which) { return *m_buttons.at(static_cast<std::size_t>(which) - 1); }
    // "Start Printing" and its state.
    PrintRun& printRun() { return *m_printRun; }
    // What became of each file of the runs.
    RunOutcomes& runOutcomes() { return *m_runOutcomes; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createButtons();
    void placeButton(Button which, QPushButton* button, QRect geometry);
    // FrameN's ComboN at geometry within the frame; each change is remembered under setting.
    QComboBox* placeChoice(QGroupBox& frame, int number, QRect geometry, Setting setting);
    void createChoices();
    void createCommands();
    void createPrinting();
    void setTabOrderOfControls();
    QRect twips(int left, int top, int width, int height) const;
    std::string besideProgram(const std::string& relative) const;

    // Sets the pointer unless a command is busy.
    void pointWhenIdle(int value);
    void loadMouseIcon(const std::string& path);
    void openHomePageNowAndThen();
    void rememberChoice(Setting setting, int position);

    MainWindowServices m_services;
    SkinFramework* m_skinFramework = nullptr;
    FileListView* m_fileList = nullptr;
    QGroupBox* m_printerFrame = nullptr;
    QGroupBox* m_pauseFrame = nullptr;
    QComboBox* m_printerChoice = nullptr;
    QComboBox* m_pauseChoice = nullptr;
    ProgressBar* m_progressBar = nullptr;
    std::array<QPushButton*, 8> m_buttons{};
    // The commands that fill the list from the disk.
    std::unique_ptr<AddFolderCommand> m_addFolder;
    std::unique_ptr<DropIntake> m_drop;
    std::unique_ptr<SampleFiles> m_samples;

    std::unique_ptr<DiagramAppAdapter> m_diagramApp;
    std::unique_ptr<QtPrintView> m_printView;
    RunOutcomes* m_runOutcomes = nullptr;
    std::unique_ptr<PrintRun> m_printRun;

    int m_mousePointer = MousePointer::Default;
    std::optional<QCursor> m_mouseIcon;
    bool m_toldChoiceNotSaved = false;
};
