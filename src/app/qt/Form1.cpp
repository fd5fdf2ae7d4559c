#include "app/qt/Form1.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include "app/ApplicationTitle.h"
#include "base/ErrorTrap.h"
#include "base/Failure.h"
#include "base/Lifetime.h"
#include "app/Twips.h"
#include "app/qt/Appearance.h"
#include "app/qt/PictureButton.h"
#include "printing/qt/ProgressBar.h"
#include "app/qt/SkinFramework.h"
#include "filelist/SampleFiles.h"
#include "filelist/qt/FileListCommands.h"
#include "filelist/qt/FileListView.h"
#include "filelist/qt/IntakeCommands.h"
#include "filelist/qt/ListDropTarget.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "printing/DiagramAppAdapter.h"
#include "printing/PrintRun.h"
#include "printing/PrinterOptions.h"
#include "printing/qt/QtPrintView.h"
#include "printing/qt/QtSelector.h"
#include "settings/SettingsStore.h"
#include "settings/StoredNumber.h"

const char* const Form1::HomePage = "https://www.plotvane.example/";

namespace {

const char* const LoadLocation = "in Sheetwick2021/08/31.Form1.Form_Load ";
const char* const ListToolTip =
    "Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to "
    "reveal full names.";

QFont arialBold(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

// The hot spot of a cursor file: a .CUR keeps it in its first directory entry.
QPoint cursorHotSpot(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(14);
    if (head.size() < 14 || head[0] != 0 || head[1] != 0 || head[2] != 2 || head[3] != 0)
        return {};
    auto word = [&](int at) { return static_cast<unsigned char>(head[at]) | static_cast<unsigned char>(head[at + 1]) << 8; };
    return {word(10), word(12)};
}

// Adds an entry to a drop-down list without selecting it: a list without a
// selection keeps none, as the choice is made only by the restore or the user.
void appendUnselected(QComboBox& list, const QString& text)
{
    const QSignalBlocker quiet(list);
    const int selected = list.currentIndex();
    list.addItem(text);
    list.setCurrentIndex(selected);
}

}  // namespace

// The window's pictures are compiled into the program's library; a static
// library registers them only when asked.
static void registerPictures()
{
    Q_INIT_RESOURCE(plotvane);
}

Form1::Form1(Form1Services services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint),
      m_services(std::move(services))
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
    createPrinting();
}

Form1::~Form1() = default;

QRect Form1::twips(int left, int top, int width, int height) const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return {twipsToPixels(left, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi),
            twipsToPixels(height, dpi)};
}

std::string Form1::besideProgram(const std::string& relative) const
{
    const char separator = separatorOf(m_services.fileSystem.style());
    std::string path = m_services.programFolder;
    for (const char c : relative)
        path += c == '/' ? separator : c;
    return path;
}

void Form1::createControls()
{
    m_skinFramework = new SkinFramework(this);
    m_commonDialog = new QObject(this);
    m_commonDialog->setObjectName(QStringLiteral("CommonDialog1"));

    m_listView = new FileListView(this);
    m_listView->setObjectName(QStringLiteral("ListView1"));
    m_listView->setGeometry(twips(120, 120, 6840, 2535));
    m_listView->setToolTip(QString::fromLatin1(ListToolTip));

    const QFont buttonFont = arialBold(11.25);
    auto makeButton = [&](int number, const QString& caption, QRect geometry, QWidget* parent) {
        auto* button = new QPushButton(caption, parent);
        button->setGeometry(geometry);
        m_buttons[static_cast<std::size_t>(number - 1)] = button;
        return button;
    };
    const QRect moveUp = twips(7080, 120, 840, 1200);
    const QRect moveDown = twips(7080, 1440, 840, 1200);
    m_buttons[4] = new PictureButton(QStringLiteral("Move Up"), QPixmap(QStringLiteral(":/images/arrow-up.png")), this);
    m_buttons[4]->setGeometry(moveUp);
    m_buttons[5] = new PictureButton(QStringLiteral("Move Down"), QPixmap(QStringLiteral(":/images/arrow-down.png")), this);
    m_buttons[5]->setGeometry(moveDown);
    makeButton(1, QStringLiteral("Add Visio File(s)"), twips(120, 2760, 3840, 405), this);
    makeButton(4, QStringLiteral("Add All Visio Files In Folder"), twips(4080, 2760, 3840, 405), this);
    makeButton(3, QStringLiteral("Clear List"), twips(120, 3270, 3840, 405), this);
    makeButton(7, QStringLiteral("Load Sample/Example Files"), twips(4080, 3270, 3840, 405), this);

    m_frame1 = new QGroupBox(QStringLiteral("Select Printer"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setGeometry(twips(120, 3750, 7800, 800));
    m_combo1 = new QComboBox(m_frame1);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setGeometry(twips(240, 300, 7320, 345));

    m_frame2 = new QGroupBox(QStringLiteral("Pause Option"), this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_frame2->setGeometry(twips(120, 4635, 7800, 840));
    m_combo2 = new QComboBox(m_frame2);
    m_combo2->setObjectName(QStringLiteral("Combo2"));
    m_combo2->setGeometry(twips(240, 300, 6720, 345));
    makeButton(8, QStringLiteral("?"), twips(7080, 300, 480, 345), m_frame2);

    makeButton(2, QStringLiteral("Start Printing"), twips(120, 5580, 7800, 405), this);
    m_progressBar = new ProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setGeometry(twips(120, 6105, 7800, 405));
    m_progressBar->setText(QStringLiteral("Progress Bar"));

    for (int number = 1; number <= 8; ++number) {
        QPushButton& button = pushButton(number);
        button.setObjectName(QStringLiteral("PushButton%1").arg(number));
        button.setFont(buttonFont);
        button.setMouseTracking(true);
        button.installEventFilter(this);
    }
    for (QGroupBox* frame : {m_frame1, m_frame2}) {
        frame->setMouseTracking(true);
        frame->installEventFilter(this);
    }

    m_fileListCommands = new FileListCommands(
        *m_listView, *this,
        {m_services.dialogs, m_services.lifetime, m_services.fileSystem.style(), m_services.programFolder},
        {&pushButton(1), &pushButton(3), &pushButton(5), &pushButton(6)}, this);
    m_intake = new IntakeCommands(m_services, *this, *m_listView, this);
    connect(&pushButton(4), &QPushButton::clicked, m_intake, &IntakeCommands::PushButton4_Click);
    connect(&pushButton(7), &QPushButton::clicked, m_intake, &IntakeCommands::PushButton7_Click);
    new ListDropTarget(*m_listView, [this](const std::vector<std::string>& paths) {
        m_intake->ListView1_OLEDragDrop(paths);
    });

    connect(m_combo1, &QComboBox::currentIndexChanged, this, [this](int index) { savePosition("Combo1", index); });
    connect(m_combo2, &QComboBox::currentIndexChanged, this, [this](int index) { savePosition("Combo2", index); });
}

void Form1::createPrinting()
{
    m_diagramApp = std::make_unique<DiagramAppAdapter>(m_services.diagramApps, m_services.dialogs, *this,
                                                       m_services.lifetime);
    m_printView = std::make_unique<QtPrintView>(*m_progressBar, *m_combo1, *m_combo2);
    m_printRun = std::make_unique<PrintRun>(*m_listView, *m_printView, *m_diagramApp, *this, m_services.dialogs,
                                            m_services.clock, m_services.events, m_services.lifetime);
    connect(&pushButton(2), &QPushButton::clicked, this, [this] { m_printRun->PushButton2_Click(); });
    connect(&pushButton(8), &QPushButton::clicked, this,
            [this] { PrinterOptions::PushButton8_Click(m_services.dialogs, m_services.lifetime); });
}

void Form1::setTabOrderOfControls()
{
    const QList<QWidget*> order = {m_listView, m_progressBar, m_frame1,  m_combo1,      &pushButton(5),
                                   &pushButton(6), &pushButton(1), &pushButton(4), &pushButton(2), &pushButton(3),
                                   &pushButton(7), m_frame2,       m_combo2,       &pushButton(8)};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Form1::showCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
}

void Form1::load()
{
    ErrorTrap trap(m_services.dialogs, m_services.lifetime, LoadLocation);
    trap.step(100, [&] {
        SkinComponent& skin = m_services.skin ? *m_services.skin : *m_skinFramework;
        applyAppearance(*this, m_services.fileSystem, skin, besideProgram("/x/o.cjs"));
    });
    trap.step(102, [&] {
        setWindowTitle(QString::fromLatin1(ProductName));
        setWindowIcon(QIcon(QStringLiteral(":/images/plotvane.png")));
        m_services.dialogs.setApplicationTitle(applicationTitle(ProductName));
    });
    const std::string cursorFile = besideProgram("/HAND-M.CUR");
    if (trap.test(104, [&] { return PathExists(m_services.fileSystem, cursorFile); }))
        trap.step(106, [&] { loadMouseIcon(cursorFile); });
    trap.step(108, [&] { openHomePageNowAndThen(); });
    const auto noSampleRecord = [&] { return m_intake->sampleRecordMissing(); };
    if (trap.test(110, noSampleRecord))
        trap.step(110, [&] { recordSampleFiles(); });
    if (trap.test(130, noSampleRecord))
        trap.step(130, [&] { recordSampleFiles(); });
    trap.step(132, [&] { m_listView->addColumn(QStringLiteral(" Visio File(s)")); });
    trap.step(134, [&] { m_listView->setColumnWidth(twips(0, 0, 6500, 0).width()); });
    trap.step(136, [&] { fillPrinterList(); });
    for (int i = 0; i <= 9 && !trap.stopped(); ++i)
        trap.step(140, [&] { appendUnselected(*m_combo2, QStringLiteral("%1 seconds").arg(i)); });
    trap.step(144, [&] { restorePause(); });
    trap.step(146, [&] { checkInstalled(); });
}

void Form1::restorePause()
{
    const std::string stored = m_services.settings.GetSetting(Settings::Application, Settings::Section, "Combo2", "5");
    const int position = toInteger16(stored);
    if (position < -1 || position >= m_combo2->count())
        throw Failure("Invalid property value");
    m_combo2->setCurrentIndex(position);
}

void Form1::savePosition(const char* key, int index)
{
    // The selectors have no error trap: a store that cannot be written loses the
    // value, never the program.
    try {
        m_services.settings.SaveSetting(Settings::Application, Settings::Section, key, std::to_string(index));
    } catch (...) {
    }
}

void Form1::loadMouseIcon(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    QPixmap picture;
    if (!picture.load(file))
        throw Failure("Invalid picture");
    const QPoint hotSpot = cursorHotSpot(file);
    m_mouseIcon = QCursor(picture, hotSpot.x(), hotSpot.y());
}

void Form1::openHomePageNowAndThen()
{
    const int draw = static_cast<int>(m_services.randomUnit() * 100.0) + 1;
    if (draw == 7)
        m_services.shell.openUrlMinimized(HomePage);
}

void Form1::recordSampleFiles()
{
    m_intake->RecordSampleFiles();
}

void Form1::fillPrinterList()
{
    QtSelector printers(*m_combo1);
    PrinterOptions::FillPrinterList(m_services.printers, m_services.settings, printers);
}

void Form1::checkInstalled()
{
    m_diagramApp->CheckInstalled();
}

void Form1::setMousePointer(int value)
{
    m_mousePointer = value;
    switch (value) {
    case MousePointer::Hourglass:
        setCursor(Qt::WaitCursor);
        break;
    case MousePointer::Custom:
        if (hasMouseIcon())
            setCursor(*m_mouseIcon);
        else
            unsetCursor();
        break;
    case MousePointer::Arrow:
        setCursor(Qt::ArrowCursor);
        break;
    default:
        unsetCursor();
        break;
    }
}

void Form1::resetPointer()
{
    if (!isBusy())
        setMousePointer(MousePointer::Default);
}

void Form1::hoverPointer()
{
    if (!isBusy())
        setMousePointer(MousePointer::Custom);
}

void Form1::mouseMoveEvent(QMouseEvent* event)
{
    // Only the background itself: moves over a selector or the progress bar
    // reach the window too, and leave the pointer as it is.
    if (!childAt(event->position().toPoint()))
        resetPointer();
    QWidget::mouseMoveEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == m_frame1 || watched == m_frame2) {
            auto* frame = static_cast<QWidget*>(watched);
            const auto* move = static_cast<QMouseEvent*>(event);
            if (!frame->childAt(move->position().toPoint()))
                resetPointer();
        } else if (qobject_cast<QPushButton*>(watched)) {
            hoverPointer();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_services.lifetime.end();
}
