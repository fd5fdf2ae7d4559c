#pragma once

#include <QCursor>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "base/WindowPointer.h"
#include "app/qt/Form1Services.h"

class DiagramAppAdapter;
class FileListCommands;
class FileListView;
class IntakeCommands;
class PrintRun;
class QtPrintView;
class ProgressBar;
class QComboBox;
class QGroupBox;
class QPushButton;
class SkinFramework;

// The main window: the file list, the commands, the printer and pause choices
// and the progress bar. load() runs the start-up sequence; closing the window
// ends the program at once.
class Form1 final : public QWidget, public WindowPointer {
    Q_OBJECT
public:
    explicit Form1(Form1Services services, QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up sequence, each step under the error trap.
    void load();
    // Shows the window centred on its screen.
    void showCentred();

    int mousePointer() const override { return m_mousePointer; }
    void setMousePointer(int value) override;
    bool hasMouseIcon() const { return m_mouseIcon.has_value(); }

    FileListView& listView() { return *m_listView; }
    QComboBox& combo1() { return *m_combo1; }
    QComboBox& combo2() { return *m_combo2; }
    ProgressBar& progressBar() { return *m_progressBar; }
    // PushButton1 to PushButton8.
    QPushButton& pushButton(int number) { return *m_buttons.at(static_cast<std::size_t>(number - 1)); }
    // "Start Printing" and its state.
    PrintRun& printRun() { return *m_printRun; }

    static const char* const HomePage;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void setTabOrderOfControls();
    QRect twips(int left, int top, int width, int height) const;
    std::string besideProgram(const std::string& relative) const;

    void resetPointer();
    void hoverPointer();
    void loadMouseIcon(const std::string& path);
    void openHomePageNowAndThen();
    void restorePause();
    void savePosition(const char* key, int index);

    void recordSampleFiles();
    void fillPrinterList();
    void checkInstalled();
    void createPrinting();

    Form1Services m_services;
    SkinFramework* m_skinFramework = nullptr;
    FileListView* m_listView = nullptr;
    IntakeCommands* m_intake = nullptr;
    QGroupBox* m_frame1 = nullptr;
    QGroupBox* m_frame2 = nullptr;
    QComboBox* m_combo1 = nullptr;
    QComboBox* m_combo2 = nullptr;
    ProgressBar* m_progressBar = nullptr;
    std::array<QPushButton*, 8> m_buttons{};
    QObject* m_commonDialog = nullptr;
    FileListCommands* m_fileListCommands = nullptr;

    std::unique_ptr<DiagramAppAdapter> m_diagramApp;
    std::unique_ptr<QtPrintView> m_printView;
    std::unique_ptr<PrintRun> m_printRun;

    int m_mousePointer = MousePointer::Default;
    std::optional<QCursor> m_mouseIcon;
};
