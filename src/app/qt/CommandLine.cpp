#include "app/qt/CommandLine.h"

#include <QCommandLineParser>

namespace {

// The parser works on text; each byte becomes the character of the same
// number, so that what it hands back turns into the very bytes it was given.
QString fromBytes(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string toBytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

const char* const Description
    = "Prints diagram drawings (.vsd, .vsdx, .vdx), each through a fresh instance of the diagram\n"
      "application. Without --print, the window opens with the paths in its list.";

struct Options {
    QCommandLineOption print{"print", "Print the paths in one run, with no window, and end when the run ends."};
    QCommandLineOption printer{"printer", "The printer to print on (default: the system's default printer).", "NAME"};
    QCommandLineOption pause{"pause",
                             "The pause after each file, 0 to 9, as the window's \"N seconds\" (default: the "
                             "pause the window remembers).",
                             "N"};
    QCommandLineOption dryRun{"dry-run", "List the files in the order they would print, and print nothing."};
    QCommandLineOption wait{"wait", "After the last file, follow the jobs until each has printed or stopped, for "
                                    "at most "
                                        + QString::number(CommandLine::WaitLimitMinutes) + " minutes."};
    QCommandLineOption retry{"retry",
                             "Print the files of a run record that failed, stopped or were not reached; \"last\" "
                             "is the newest record.",
                             "RECORD"};
    QCommandLineOption conversionLimit{"conversion-limit",
                                       "The longest time one drawing's conversion may take, 1 to 32767 seconds "
                                       "(default: the setting ConversionSeconds, else 120).",
                                       "SECONDS"};
    QCommandLineOption listPrinters{"list-printers", "List the printers, one name a line."};
    QCommandLineOption help{QStringList{"h", "help"}, "Show this help."};
    QCommandLineOption version{"version", "Show the version."};

    void addTo(QCommandLineParser& parser) const
    {
        parser.addOptions({print, printer, pause, dryRun, wait, retry, conversionLimit, listPrinters, help, version});
        parser.addPositionalArgument("PATH", "A drawing, or a folder whose whole tree is taken.", "[PATH...]");
        parser.setApplicationDescription(QString::fromLatin1(Description));
    }
};

const char* const Statuses
    = "\nExit statuses of --print:\n"
      "  0    every file was sent to the printer (with --wait: printed)\n"
      "  1    one or more files were not\n"
      "  2    a usage error, a printer that does not exist, or nothing to print\n"
      "  3    the diagram application cannot be started, or the print service cannot be reached\n"
      "  128+N  ended by signal N\n";

CommandLine refused(std::string problem)
{
    CommandLine line;
    line.mode = CommandLine::Mode::Refused;
    line.problem = std::move(problem);
    return line;
}

}  // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments)
{
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    QStringList texts{QStringLiteral("plotvane")};
    for (const std::string& argument : arguments)
        texts << fromBytes(argument);
    if (!parser.parse(texts))
        return refused(toBytes(parser.errorText()));

    CommandLine line;
    if (parser.isSet(options.help) || parser.isSet(options.version)) {
        line.mode = parser.isSet(options.help) ? CommandLine::Mode::Help : CommandLine::Mode::Version;
        return line;
    }
    for (const QString& path : parser.positionalArguments())
        line.paths.push_back(toBytes(path));
    if (parser.isSet(options.listPrinters)) {
        if (parser.isSet(options.print) || !line.paths.empty())
            return refused("--list-printers takes no paths and no --print");
        line.mode = CommandLine::Mode::ListPrinters;
        return line;
    }
    const bool printOnly = parser.isSet(options.printer) || parser.isSet(options.pause) || parser.isSet(options.dryRun)
                           || parser.isSet(options.wait) || parser.isSet(options.retry)
                           || parser.isSet(options.conversionLimit);
    if (!parser.isSet(options.print)) {
        if (printOnly)
            return refused("--printer, --pause, --dry-run, --wait, --retry and --conversion-limit go with --print");
        return line;
    }
    line.mode = CommandLine::Mode::Print;
    line.printer = toBytes(parser.value(options.printer));
    if (parser.isSet(options.printer) && line.printer.empty())
        return refused("--printer needs a printer's name");
    if (parser.isSet(options.pause)) {
        const QString pause = parser.value(options.pause);
        if (pause.size() != 1 || pause[0] < QLatin1Char('0') || pause[0] > QLatin1Char('9'))
            return refused("--pause takes a number of seconds from 0 to 9, not \"" + toBytes(pause) + "\"");
        line.pause = pause[0].unicode() - '0';
    }
    if (parser.isSet(options.conversionLimit)) {
        const QString text = parser.value(options.conversionLimit);
        bool number = false;
        const int seconds = text.toInt(&number);
        if (!number || seconds < 1 || seconds > 32767 || !text[0].isDigit())
            return refused("--conversion-limit takes a number of seconds from 1 to 32767, not \"" + toBytes(text)
                           + "\"");
        line.conversionSeconds = seconds;
    }
    line.dryRun = parser.isSet(options.dryRun);
    line.wait = parser.isSet(options.wait);
    line.retry = toBytes(parser.value(options.retry));
    if (parser.isSet(options.retry) && line.retry.empty())
        return refused("--retry needs a run record, or \"last\"");
    return line;
}

std::string commandLineHelp(const std::string& programName)
{
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    // Without a running application the parser cannot know the program's name.
    QString text = parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), fromBytes(programName));
    return text.toStdString() + Statuses;
}
