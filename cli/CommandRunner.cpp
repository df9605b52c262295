#include "CommandRunner.h"

#include "PresetCheck.h"
#include "PresetDiff.h"
#include "PresetFile.h"
#include "PresetImage.h"
#include "PresetJson.h"
#include "PresetSource.h"
#include "TextReport.h"

#include <QCommandLineParser>
#include <QFile>
#include <QJsonDocument>
#include <QTextStream>

namespace {

const QString OutputOption = QStringLiteral("output");
const QString DeviceOption = QStringLiteral("device");
const QString NoVerifyOption = QStringLiteral("no-verify");

QCommandLineOption option(const QString &name)
{
    if (name == OutputOption)
        return QCommandLineOption({"o", OutputOption}, "Write to <file>.", "file");
    if (name == DeviceOption)
        return QCommandLineOption(DeviceOption,
                                  "The unit at <path> (a /dev/hidraw node, as list shows it); "
                                  "without it, the first unit found.",
                                  "path");
    return QCommandLineOption(NoVerifyOption, "Do not download the preset again to compare it.");
}

} // namespace

CommandRunner::CommandRunner(QTextStream &out, QTextStream &err) : out(out), err(err) {}

const QList<CommandRunner::Command> &CommandRunner::commands()
{
    static const QList<Command> list{
        {"show", {"FILE"}, "Show the whole preset as readable text.", {}, &CommandRunner::show},
        {"export",
         {"FILE"},
         "Write the preset as JSON (to standard output unless -o is given).",
         {OutputOption},
         &CommandRunner::exportJson},
        {"import",
         {"JSON"},
         "Write a preset file from JSON made by export.",
         {OutputOption},
         &CommandRunner::importJson},
        {"diff",
         {"A", "B"},
         "Show what differs between two presets (preset files or JSON), one line each.",
         {},
         &CommandRunner::diff},
        {"check",
         {"FILE"},
         "Give the file's verdict as Open gives it and every problem in the preset.",
         {},
         &CommandRunner::check},
        {"list", {}, "List every RSX-4 plugged in.", {}, &CommandRunner::list},
        {"info",
         {},
         "Show the unit's firmware strings and versions.",
         {DeviceOption},
         &CommandRunner::info},
        {"download",
         {},
         "Save the unit's preset into a file.",
         {OutputOption, DeviceOption},
         &CommandRunner::download},
        {"upload",
         {"FILE"},
         "Send a preset to the unit, then download it again and compare.",
         {DeviceOption, NoVerifyOption},
         &CommandRunner::upload},
    };
    return list;
}

QString CommandRunner::usage() const
{
    QString text = QStringLiteral("Usage: cuesmith-cli COMMAND [options] [arguments]\n"
                                  "       cuesmith-cli COMMAND --help\n\n"
                                  "Presets of the RSX-4 as text and JSON, and transfers to and "
                                  "from the unit.\n\nCommands:\n");
    for (const Command &c : commands())
        text += QStringLiteral("  %1 %2\n")
                    .arg((c.name + ' ' + c.arguments.join(' ')).leftJustified(12))
                    .arg(c.description);
    text += QStringLiteral("\nExit status: 0 success, 1 differences or problems found, 2 usage "
                           "error,\n3 file error, 4 no unit or no access, 5 transfer refused, "
                           "failed or timed out,\n6 verification found a difference.\n");
    return text;
}

int CommandRunner::fail(int status, const QString &message)
{
    err << "cuesmith-cli: " << message << '\n';
    err.flush();
    return status;
}

int CommandRunner::run(const QStringList &arguments)
{
    const QString name = arguments.value(1);
    if (name == "--help" || name == "-h" || name == "help") {
        out << usage();
        return Success;
    }
    if (name == "--version" || name == "-v") {
        out << "cuesmith-cli " << QStringLiteral(CUESMITH_VERSION) << '\n';
        return Success;
    }
    for (const Command &command : commands()) {
        if (command.name != name)
            continue;
        QCommandLineParser parser;
        parser.setApplicationDescription(command.description);
        parser.addPositionalArgument(command.name, {}, command.name);
        for (const QString &argument : command.arguments)
            parser.addPositionalArgument(argument, {}, argument);
        const QCommandLineOption help({"h", "help"}, "Show this help.");
        parser.addOption(help);
        for (const QString &o : command.options)
            parser.addOption(option(o));
        QStringList rest = arguments.mid(1);
        rest.prepend(QStringLiteral("cuesmith-cli"));
        if (!parser.parse(rest))
            return fail(UsageError, parser.errorText() + "\n" + parser.helpText());
        if (parser.isSet(help)) {
            out << parser.helpText();
            return Success;
        }
        if (parser.positionalArguments().size() != command.arguments.size() + 1)
            return fail(UsageError,
                        QStringLiteral("%1 takes %2\n%3")
                            .arg(command.name,
                                 command.arguments.isEmpty() ? QStringLiteral("no arguments")
                                                             : command.arguments.join(' '),
                                 parser.helpText()));
        const int status = (this->*command.handler)(parser);
        out.flush();
        err.flush();
        return status;
    }
    return fail(UsageError, (name.isEmpty() ? QStringLiteral("no command given")
                                            : QStringLiteral("unknown command \"%1\"").arg(name)) +
                                "\n\n" + usage());
}

bool CommandRunner::loadPreset(const QString &path, PresetImage &image, bool settle)
{
    QString error;
    QStringList notices;
    const bool loaded = PresetSource::load(path, image, error, &notices, settle);
    for (const QString &notice : notices)
        err << path << ": " << notice << '\n';
    if (!loaded)
        fail(FileError, error);
    return loaded;
}

bool CommandRunner::writeOutput(const QString &path, const QByteArray &data)
{
    if (path.isEmpty() || path == "-") {
        out << QString::fromUtf8(data);
        return true;
    }
    QString error;
    if (!PresetSource::writeFile(path, data, error)) {
        fail(FileError, error);
        return false;
    }
    return true;
}

int CommandRunner::show(QCommandLineParser &parser)
{
    PresetImage image;
    if (!loadPreset(parser.positionalArguments().at(1), image))
        return FileError;
    out << TextReport::show(image);
    return Success;
}

int CommandRunner::exportJson(QCommandLineParser &parser)
{
    PresetImage image;
    if (!loadPreset(parser.positionalArguments().at(1), image))
        return FileError;
    const QByteArray json =
        QJsonDocument(PresetJson::toJson(image)).toJson(QJsonDocument::Indented);
    return writeOutput(parser.value(OutputOption), json) ? Success : FileError;
}

int CommandRunner::importJson(QCommandLineParser &parser)
{
    if (!parser.isSet(OutputOption))
        return fail(UsageError, "import needs -o FILE: the preset file to write");
    const QString path = parser.positionalArguments().at(1);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(FileError,
                    QStringLiteral("%1: cannot be read: %2").arg(path, file.errorString()));
    PresetImage image;
    QString error;
    if (!PresetSource::loadJson(file.readAll(), image, error))
        return fail(FileError, path + ": " + error);
    if (!PresetSource::save(parser.value(OutputOption), image, error))
        return fail(FileError, error);
    return Success;
}

int CommandRunner::diff(QCommandLineParser &parser)
{
    PresetImage before;
    PresetImage after;
    if (!loadPreset(parser.positionalArguments().at(1), before) ||
        !loadPreset(parser.positionalArguments().at(2), after))
        return FileError;
    const QStringList lines = PresetDiff::compare(before, after);
    for (const QString &line : lines)
        out << line << '\n';
    return lines.isEmpty() ? Success : Differences;
}

int CommandRunner::check(QCommandLineParser &parser)
{
    const QString path = parser.positionalArguments().at(1);
    PresetImage image;
    QString error;
    QStringList notices;
    const bool loaded = PresetSource::load(path, image, error, &notices, false);
    for (const QString &notice : notices)
        out << path << ": " << notice << '\n';
    if (!loaded)
        return fail(FileError, error);
    if (notices.isEmpty())
        out << path << ": opens as a preset file of this version\n";
    const QStringList problems = PresetCheck::problems(image);
    for (const QString &problem : problems)
        out << problem << '\n';
    out << (problems.isEmpty() ? QStringLiteral("no problems\n")
                               : QStringLiteral("%1 problems\n").arg(problems.size()));
    return problems.isEmpty() ? Success : Differences;
}

int CommandRunner::list(QCommandLineParser &)
{
    return fail(NoUnit, "no RSX-4 found");
}

int CommandRunner::info(QCommandLineParser &)
{
    return fail(NoUnit, "no RSX-4 found");
}

int CommandRunner::download(QCommandLineParser &)
{
    return fail(NoUnit, "no RSX-4 found");
}

int CommandRunner::upload(QCommandLineParser &)
{
    return fail(NoUnit, "no RSX-4 found");
}
