#include "app/qt/MainWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <ctime>

#include "app/ApplicationTitle.h"
#include "app/Twips.h"
#include "app/qt/Appearance.h"
#include "app/qt/KeyboardAccess.h"
#include "app/qt/OutcomeMenu.h"
#include "app/qt/PictureButton.h"
#include "app/qt/RunNotice.h"
#include "app/qt/WindowNote.h"
#include "app/qt/SkinFramework.h"
#include "base/ErrorTrap.h"
#include "base/Lifetime.h"
#include "filelist/AddFolderCommand.h"
#include "filelist/DropIntake.h"
#include "filelist/SampleFiles.h"
#include "filelist/qt/FileListCommands.h"
#include "filelist/qt/FileListView.h"
#include "filelist/qt/ListDropTarget.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/PathChecks.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "printing/DiagramAppAdapter.h"
#include "printing/PrintRun.h"
#include "printing/PrinterOptions.h"
#include "printing/qt/ProgressBar.h"
#include "printing/qt/QtPrintView.h"
#include "printing/qt/QtSelector.h"
#include "printing/qt/RunOutcomes.h"
#include "settings/SettingsStore.h"

const char* const MainWindow::LoadLocation = "in Sheetwick2021/08/31.Form1.Form_Load ";
const char* const MainWindow::HomePage = "https://www.plotvane.example/";

namespace {

const char* const ListToolTip
    = "Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to "
      "reveal full names.";
const char* const ChoiceNotSavedText
    = "Plotvane cannot remember this choice for its next start; it stays chosen until Plotvane ends.\r\n\r\n";

QFont arialBold(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

}  // namespace

// The window's pictures are compiled into the program's library; a static
// library registers them only when asked.
static void registerPictures()
{
    Q_INIT_RESOURCE(plotvane);
}

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint)
    , m_services(std::move(services))
{
    registerPictures();
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(twips(0, 0, 8040, 6630).size());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setFont(arialBold(9));
    setMouseTracking(true);
    createControls();
    setTabOrderOfControls();
    createCommands();
    createPrinting();
    openToKeyboardAndReaders(*this);
}

MainWindow::~MainWindow() = default;

QRect MainWindow::twips(int left, int top, int width, int height) const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return {twipsToPixels(left, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi), twipsToPixels(height, dpi)};
}

std::string MainWindow::besideProgram(const std::string& relative) const
{
    return ::besideProgram(m_services.programFolder, relative, m_services.fileSystem.style());
}

void MainWindow::createControls()
{
    m_skinFramework = new SkinFramework(this);
    // The file dialog component: the dialogs themselves come from the Dialogs seam.
    (new QObject(this))->setObjectName(QStringLiteral("CommonDialog1"));

    m_fileList = new FileListView(this);
    m_fileList->setObjectName(QStringLiteral("ListView1"));
    m_fileList->setGeometry(twips(120, 120, 6840, 2535));
    m_fileList->setToolTip(QString::fromLatin1(ListToolTip));

    createButtons();
    createChoices();
    placeButton(Button::StartPrinting, new QPushButton(QStringLiteral("Start Printing"), this),
                twips(120, 5580, 7800, 405));
    m_progressBar = new ProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setGeometry(twips(120, 6105, 7800, 405));
    m_progressBar->setText(QStringLiteral("Progress Bar"));
}

void MainWindow::placeButton(Button which, QPushButton* button, QRect geometry)
{
    button->setGeometry(geometry);
    button->setObjectName(QStringLiteral("PushButton%1").arg(static_cast<int>(which)));
    button->setFont(arialBold(11.25));
    button->setMouseTracking(true);
    button->installEventFilter(this);
    m_buttons[static_cast<std::size_t>(which) - 1] = button;
}

void MainWindow::createButtons()
{
    placeButton(Button::MoveUp,
                new PictureButton(QStringLiteral("Move Up"), QPixmap(QStringLiteral(":/images/arrow-up.png")), this),
                twips(7080, 120, 840, 1200));
    placeButton(
        Button::MoveDown,
        new PictureButton(QStringLiteral("Move Down"), QPixmap(QStringLiteral(":/images/arrow-down.png")), this),
        twips(7080, 1440, 840, 1200));
    placeButton(Button::AddFiles, new QPushButton(QStringLiteral("Add Visio File(s)"), this),
                twips(120, 2760, 3840, 405));
    placeButton(Button::AddFolder, new QPushButton(QStringLiteral("Add All Visio Files In Folder"), this),
                twips(4080, 2760, 3840, 405));
    placeButton(Button::ClearList, new QPushButton(QStringLiteral("Clear List"), this), twips(120, 3270, 3840, 405));
    placeButton(Button::LoadSamples, new QPushButton(QStringLiteral("Load Sample/Example Files"), this),
                twips(4080, 3270, 3840, 405));
}

QComboBox* MainWindow::placeChoice(QGroupBox& frame, int number, QRect geometry, Setting setting)
{
    frame.setObjectName(QStringLiteral("Frame%1").arg(number));
    frame.setMouseTracking(true);
    frame.installEventFilter(this);
    auto* choice = new QComboBox(&frame);
    choice->setObjectName(QStringLiteral("Combo%1").arg(number));
    choice->setGeometry(geometry);
    connect(choice, &QComboBox::currentIndexChanged, this,
            [this, setting](int position) { rememberChoice(setting, position); });
    return choice;
}

void MainWindow::createChoices()
{
    m_printerFrame = new QGroupBox(QStringLiteral("Select Printer"), this);
    m_printerFrame->setGeometry(twips(120, 3750, 7800, 800));
    m_printerChoice = placeChoice(*m_printerFrame, 1, twips(240, 300, 7320, 345), Setting::PrinterPosition);
    m_pauseFrame = new QGroupBox(QStringLiteral("Pause Option"), this);
    m_pauseFrame->setGeometry(twips(120, 4635, 7800, 840));
    m_pauseChoice = placeChoice(*m_pauseFrame, 2, twips(240, 300, 6720, 345), Setting::PausePosition);
    placeButton(Button::ExplainPause, new QPushButton(QStringLiteral("?"), m_pauseFrame), twips(7080, 300, 480, 345));
}

void MainWindow::createCommands()
{
    const PathStyle style = m_services.fileSystem.style();
    new FileListCommands(
        *m_fileList, *this, m_services.dialogs, m_services.lifetime, style, besideProgram("drag.ico"),
        {&button(Button::AddFiles), &button(Button::ClearList), &button(Button::MoveUp), &button(Button::MoveDown)},
        this);
    ListItems& list = m_fileList->items();
    m_addFolder = std::make_unique<AddFolderCommand>(m_services.dialogs, m_services.settings, m_services.fileSystem,
                                                     *this, m_services.lifetime, m_services.events, list);
    const DiskSeams disk{m_services.dialogs, m_services.fileSystem, m_services.lifetime, m_services.events};
    m_drop = std::make_unique<DropIntake>(disk, list);
    m_samples = std::make_unique<SampleFiles>(disk, m_services.settings, m_services.shell, m_services.programFolder);
    connect(&button(Button::AddFolder), &QPushButton::clicked, this, [this] { m_addFolder->addFolder(); });
    connect(&button(Button::LoadSamples), &QPushButton::clicked, this,
            [this] { m_samples->loadSamples(m_fileList->items()); });
    new ListDropTarget(*m_fileList, [this](const std::vector<std::string>& paths) { m_drop->dropFiles(paths); });
}

void MainWindow::createPrinting()
{
    m_diagramApp
        = std::make_unique<DiagramAppAdapter>(m_services.diagramApps, m_services.dialogs, *this, m_services.lifetime);
    m_printView = std::make_unique<QtPrintView>(*m_progressBar, *m_printerChoice, *m_pauseChoice);
    // The run goes on while the note about its record is open.
    const auto tellRecordProblem
        = [this](const std::string& text) { showWindowNote(*this, QString::fromStdString(text)); };
    m_runOutcomes = new RunOutcomes(
        m_fileList->entries(), tellRecordProblem, m_services.lifetime, m_services.runRecordFolder, m_services.jobStates,
        m_services.events, [] { return std::time(nullptr); }, this);
    connect(m_runOutcomes, &RunOutcomes::runFinished, this, [this](int printed, int files, int failed) {
        noticeRunEnd(*this, QString::fromStdString(runSummary(printed, files, failed)));
    });
    new OutcomeMenu(*m_fileList, *m_runOutcomes, m_services.shell, m_services.runRecordFolder,
                    [this](const std::vector<std::string>& paths) { m_drop->dropFiles(paths); });
    m_printRun = std::make_unique<PrintRun>(m_fileList->items(), *m_printView, *m_diagramApp, *this, m_services.dialogs,
                                            m_services.clock, m_services.events, m_services.lifetime, *m_runOutcomes);
    connect(&button(Button::StartPrinting), &QPushButton::clicked, this, [this] { m_printRun->startPrinting(); });
    connect(&button(Button::ExplainPause), &QPushButton::clicked, this,
            [this] { PrinterOptions::explainPause(m_services.dialogs, m_services.lifetime); });
}

void MainWindow::setTabOrderOfControls()
{
    // Tab goes through the controls as they stand in the window: the list and
    // its move buttons, the button rows left to right and top to bottom, the
    // two choices, then "Start Printing" and the progress bar below it.
    const QList<QWidget*> order = {m_fileList,
                                   &button(Button::MoveUp),
                                   &button(Button::MoveDown),
                                   &button(Button::AddFiles),
                                   &button(Button::AddFolder),
                                   &button(Button::ClearList),
                                   &button(Button::LoadSamples),
                                   m_printerFrame,
                                   m_printerChoice,
                                   m_pauseFrame,
                                   m_pauseChoice,
                                   &button(Button::ExplainPause),
                                   &button(Button::StartPrinting),
                                   m_progressBar};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindow::showCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
}

void MainWindow::takeHandedOver(const std::vector<std::string>& paths)
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (paths.empty())
        return;
    // As on a drop, nothing that goes wrong beyond the intake's reports may
    // end the program.
    try {
        m_drop->dropFiles(paths);
    } catch (...) {
    }
}

void MainWindow::load()
{
    ErrorTrap trap(m_services.dialogs, m_services.lifetime, LoadLocation);
    trap.step(100, [&] {
        SkinComponent& skin = m_services.skin ? *m_services.skin : *m_skinFramework;
        applyAppearance(*this, m_services.fileSystem, skin, besideProgram("x/o.cjs"));
    });
    trap.step(102, [&] {
        setWindowTitle(QString::fromLatin1(ProductName));
        setWindowIcon(QIcon(QStringLiteral(":/images/plotvane.png")));
        m_services.dialogs.setApplicationTitle(applicationTitle(ProductName));
    });
    const std::string cursorFile = besideProgram("HAND-M.CUR");
    if (trap.test(104, [&] { return pathExists(m_services.fileSystem, cursorFile); }))
        trap.step(106, [&] { loadMouseIcon(cursorFile); });
    trap.step(108, [&] { openHomePageNowAndThen(); });
    const auto noSampleRecord = [&] { return m_samples->recordMissing(); };
    if (trap.test(110, noSampleRecord))
        trap.step(110, [&] { m_samples->recordSamples(); });
    if (trap.test(130, noSampleRecord))
        trap.step(130, [&] { m_samples->recordSamples(); });
    trap.step(132, [&] { m_fileList->addColumn(QStringLiteral(" Visio File(s)")); });
    trap.step(134, [&] { m_fileList->setFirstColumnWidth(twips(0, 0, 6500, 0).width()); });
    trap.step(136, [&] {
        QtSelector printers(*m_printerChoice);
        PrinterOptions::fillPrinterList(m_services.printers, m_services.settings, printers);
    });
    QtSelector pauses(*m_pauseChoice);
    for (int i = 0; i <= 9 && !trap.stopped(); ++i)
        trap.step(140, [&] { pauses.addItem(std::to_string(i) + " seconds"); });
    trap.step(144, [&] { PrinterOptions::restorePause(m_services.settings, pauses); });
    trap.step(146, [&] { m_diagramApp->checkInstalled(); });
}

void MainWindow::rememberChoice(Setting setting, int position)
{
    // The selectors have no error trap: a choice that cannot be stored is told
    // once in plain words, naming the store, and stays chosen on screen.
    try {
        m_services.settings.write(setting, std::to_string(position));
        m_toldChoiceNotSaved = false;
    } catch (const std::exception& failure) {
        if (m_toldChoiceNotSaved)
            return;
        m_toldChoiceNotSaved = true;
        try {
            tell(m_services.dialogs, ChoiceNotSavedText + std::string(failure.what()));
        } catch (...) {
        }
    }
}

void MainWindow::openHomePageNowAndThen()
{
    const int draw = static_cast<int>(m_services.randomUnit() * 100.0) + 1;
    if (draw == 7)
        m_services.shell.openUrlMinimized(HomePage);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_services.lifetime.end();
}
