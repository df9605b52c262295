#include "cli/CommandRunner.h"

#include "cli/PresetCheck.h"
#include "cli/PresetDiff.h"
#include "cli/PresetJson.h"
#include "cli/PresetSource.h"
#include "cli/TextReport.h"
#include "cli/UnitSession.h"
#include "core/Version.h"
#include "core/device/FirmwareStringNames.h"
#include "core/document/PresetFile.h"
#include "core/document/UnitBackup.h"
#include "core/preset/PresetImage.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

namespace {

const QString OutputOption = QStringLiteral("output");
const QString DeviceOption = QStringLiteral("device");
const QString NoVerifyOption = QStringLiteral("no-verify");
const QString NoBackupOption = QStringLiteral("no-backup");

QCommandLineOption option(const QString &name)
{
    if (name == OutputOption)
        return QCommandLineOption({"o", OutputOption}, "Write to <file>.", "file");
    if (name == DeviceOption)
        return QCommandLineOption(DeviceOption,
                                  "The unit at <path> (a /dev/hidraw node, as list shows it); "
                                  "without it, the first unit found.",
                                  "path");
    if (name == NoBackupOption)
        return QCommandLineOption(NoBackupOption,
                                  "Do not keep the unit's preset as a backup file first.");
    return QCommandLineOption(NoVerifyOption, "Do not download the preset again to compare it.");
}

// QCommandLineParser names the program as it was started, which may be a
// path into a build tree; the user knows it by its name.
QString helpText(const QCommandLineParser &parser)
{
    QString text = parser.helpText();
    const QString started = QStringLiteral("Usage: ") + QCoreApplication::arguments().value(0);
    if (text.startsWith(started))
        text.replace(0, started.size(), QStringLiteral("Usage: cuesmith-cli"));
    return text;
}

QString argumentHelp(const QString &argument)
{
    if (argument == "JSON")
        return QStringLiteral("A preset as JSON, as export writes it.");
    return QStringLiteral("A preset file (*.rsx4pre) or a preset as JSON.");
}

} // namespace

CommandRunner::CommandRunner(QTextStream &out, QTextStream &err) : m_out(out), m_err(err) {}

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
         "Keep the unit's preset as a backup, send a preset to the unit, then download it "
         "again and compare.",
         {DeviceOption, NoVerifyOption, NoBackupOption},
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

void CommandRunner::endProgress()
{
    if (!m_progressOpen)
        return;
    m_err << '\n';
    m_progressOpen = false;
}

CommandRunner::Status CommandRunner::fail(Status status, const QString &message)
{
    endProgress();
    m_err << "cuesmith-cli: " << message << '\n';
    m_err.flush();
    return status;
}

int CommandRunner::run(const QStringList &arguments)
{
    const QString name = arguments.value(1);
    if (name == "--help" || name == "-h" || name == "help") {
        m_out << usage();
        return Success;
    }
    if (name == "--version" || name == "-v") {
        m_out << "cuesmith-cli " << Version::Text << '\n';
        return Success;
    }
    for (const Command &command : commands()) {
        if (command.name != name)
            continue;
        QCommandLineParser parser;
        parser.setApplicationDescription(command.description);
        parser.addPositionalArgument(command.name, QStringLiteral("The command."), command.name);
        for (const QString &argument : command.arguments)
            parser.addPositionalArgument(argument, argumentHelp(argument), argument);
        const QCommandLineOption help({"h", "help"}, "Show this help.");
        parser.addOption(help);
        for (const QString &o : command.options)
            parser.addOption(option(o));
        QStringList rest = arguments.mid(1);
        rest.prepend(QStringLiteral("cuesmith-cli"));
        if (!parser.parse(rest))
            return fail(UsageError, parser.errorText() + "\n" + helpText(parser));
        if (parser.isSet(help)) {
            m_out << helpText(parser);
            return Success;
        }
        if (parser.positionalArguments().size() != command.arguments.size() + 1)
            return fail(UsageError,
                        QStringLiteral("%1 takes %2\n%3")
                            .arg(command.name,
                                 command.arguments.isEmpty() ? QStringLiteral("no arguments")
                                                             : command.arguments.join(' '),
                                 helpText(parser)));
        const Status status = (this->*command.handler)(parser);
        endProgress();
        m_out.flush();
        m_err.flush();
        return status;
    }
    return fail(UsageError, (name.isEmpty() ? QStringLiteral("no command given")
                                            : QStringLiteral("unknown command \"%1\"").arg(name)) +
                                "\n\n" + usage());
}

bool CommandRunner::loadPreset(const QString &path, PresetImage &image, QTextStream &notes,
                               QStringList &notices, bool settle)
{
    QString error;
    const bool loaded = PresetSource::load(path, image, error, &notices, settle);
    for (const QString &notice : notices)
        notes << path << ": " << notice << '\n';
    if (!loaded)
        fail(FileError, error);
    return loaded;
}

bool CommandRunner::loadPreset(const QString &path, PresetImage &image)
{
    QStringList notices;
    return loadPreset(path, image, m_err, notices, true);
}

bool CommandRunner::writeOutput(const QString &path, const QByteArray &data)
{
    if (path.isEmpty() || path == "-") {
        m_out << QString::fromUtf8(data);
        return true;
    }
    QString error;
    if (!PresetSource::writeFile(path, data, error)) {
        fail(FileError, error);
        return false;
    }
    return true;
}

CommandRunner::Status CommandRunner::show(QCommandLineParser &parser)
{
    PresetImage image;
    if (!loadPreset(parser.positionalArguments().at(1), image))
        return FileError;
    m_out << TextReport::show(image);
    return Success;
}

CommandRunner::Status CommandRunner::exportJson(QCommandLineParser &parser)
{
    PresetImage image;
    if (!loadPreset(parser.positionalArguments().at(1), image))
        return FileError;
    const QByteArray json =
        QJsonDocument(PresetJson::toJson(image)).toJson(QJsonDocument::Indented);
    return writeOutput(parser.value(OutputOption), json) ? Success : FileError;
}

CommandRunner::Status CommandRunner::importJson(QCommandLineParser &parser)
{
    if (!parser.isSet(OutputOption))
        return fail(UsageError, "import needs -o FILE: the preset file to write");
    const QString path = parser.positionalArguments().at(1);
    QByteArray json;
    PresetImage image;
    QString error;
    if (!PresetSource::readJson(path, json, error))
        return fail(FileError, error);
    if (!PresetSource::loadJson(json, image, error))
        return fail(FileError, path + ": " + error);
    if (!PresetSource::save(parser.value(OutputOption), image, error))
        return fail(FileError, error);
    return Success;
}

CommandRunner::Status CommandRunner::diff(QCommandLineParser &parser)
{
    PresetImage before;
    PresetImage after;
    if (!loadPreset(parser.positionalArguments().at(1), before) ||
        !loadPreset(parser.positionalArguments().at(2), after))
        return FileError;
    const QStringList lines = PresetDiff::compare(before, after);
    for (const QString &line : lines)
        m_out << line << '\n';
    return lines.isEmpty() ? Success : Differences;
}

CommandRunner::Status CommandRunner::check(QCommandLineParser &parser)
{
    const QString path = parser.positionalArguments().at(1);
    PresetImage image;
    QStringList notices;
    if (!loadPreset(path, image, m_out, notices, false))
        return FileError;
    if (notices.isEmpty())
        m_out << path << ": opens as a preset file of this version\n";
    const QStringList problems = PresetCheck::problems(image);
    for (const QString &problem : problems)
        m_out << problem << '\n';
    m_out << (problems.isEmpty() ? QStringLiteral("no problems\n")
                                 : QStringLiteral("%1 problems\n").arg(problems.size()));
    return problems.isEmpty() ? Success : Differences;
}

CommandRunner::Status CommandRunner::sessionFailed(const UnitSession &session,
                                                   UnitSession::Result result)
{
    switch (result) {
    case UnitSession::Result::NoUnit:
    case UnitSession::Result::NoPermission:
    case UnitSession::Result::NoAccess:
        return fail(NoUnit, session.message());
    default:
        return fail(TransferError, session.message());
    }
}

void CommandRunner::attach(UnitSession &session, const QString &verb)
{
    session.onWarning = [this](const QString &text) {
        endProgress();
        m_err << "cuesmith-cli: warning: " << text << '\n';
        m_err.flush();
    };
    if (!m_progressShown)
        return;
    session.onProgress = [this, verb](int value, int maximum) {
        m_err << '\r' << verb << ' ' << value << '/' << maximum << " bytes";
        m_progressOpen = true;
        if (value >= maximum)
            endProgress();
        m_err.flush();
    };
}

bool CommandRunner::isUnitNode(const QString &device)
{
    if (device.isEmpty())
        return true;
    // Another HID device would take the unit's requests as its own: a path is
    // opened only when sysfs says an RSX-4 is behind it, through any link.
    const QString node = QFileInfo(device).canonicalFilePath();
    for (const HidAccess::Node &unit : m_accessCheck.units()) {
        if (unit.path == device ||
            (!node.isEmpty() && QFileInfo(unit.path).canonicalFilePath() == node))
            return true;
    }
    fail(NoUnit, device + " is not an RSX-4");
    return false;
}

CommandRunner::Status CommandRunner::list(QCommandLineParser &)
{
    const QVector<UnitSession::Unit> units = UnitSession::units();
    if (units.isEmpty())
        return fail(NoUnit, UnitSession::noUnitMessage(m_accessCheck));
    for (const UnitSession::Unit &unit : units) {
        UnitSession session(m_accessCheck, m_replyTimeout);
        const UnitSession::Result result = session.open(unit.path, false);
        QString name = session.link().firmwareStrings().first();
        if (result == UnitSession::Result::NoPermission)
            name = QStringLiteral("no permission");
        else if (result == UnitSession::Result::NoAccess)
            name = QStringLiteral("cannot be opened");
        else if (result != UnitSession::Result::Ok)
            name = QStringLiteral("no answer");
        m_out << unit.path << '\t' << unit.serial << '\t' << name << '\n';
    }
    return Success;
}

CommandRunner::Status CommandRunner::info(QCommandLineParser &parser)
{
    if (!isUnitNode(parser.value(DeviceOption)))
        return NoUnit;
    UnitSession session(m_accessCheck, m_replyTimeout);
    const UnitSession::Result result = session.open(parser.value(DeviceOption), true);
    if (result != UnitSession::Result::Ok)
        return sessionFailed(session, result);
    const DeviceLink &link = session.link();
    const QStringList &strings = link.firmwareStrings();
    m_out << "Name: " << strings.value(0) << '\n';
    const QStringList &captions = FirmwareStringNames::captions();
    for (int i = 0; i < captions.size(); ++i)
        m_out << captions.at(i) << ' ' << strings.value(i + 1) << '\n';
    m_out << "Firmware Version: " << QString::number(link.firmwareVersion(), 'f', 1) << '\n'
          << "Image Version: " << link.unitImageVersion() << '\n'
          << "CPLD Version: " << QString::number(link.unitCpldVersion(), 'f', 1) << '\n';
    return Success;
}

CommandRunner::Status CommandRunner::download(QCommandLineParser &parser)
{
    if (!parser.isSet(OutputOption))
        return fail(UsageError, "download needs -o FILE: the preset file to write");
    if (!isUnitNode(parser.value(DeviceOption)))
        return NoUnit;
    UnitSession session(m_accessCheck, m_replyTimeout);
    attach(session, QStringLiteral("Receiving preset from RSX-4:"));
    PresetImage image;
    UnitSession::Result result = session.open(parser.value(DeviceOption), true);
    if (result == UnitSession::Result::Ok)
        result = session.download(image);
    if (result != UnitSession::Result::Ok)
        return sessionFailed(session, result);
    // The unit's bytes as they came, not rebuilt: a backup restores what was there.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PresetFile::write(buffer, image);
    QString error;
    if (!PresetSource::writeFile(parser.value(OutputOption), buffer.data(), error))
        return fail(FileError, error);
    return Success;
}

CommandRunner::Status CommandRunner::upload(QCommandLineParser &parser)
{
    PresetImage image;
    if (!loadPreset(parser.positionalArguments().at(1), image))
        return FileError;
    image.buildImage();
    if (!isUnitNode(parser.value(DeviceOption)))
        return NoUnit;
    UnitSession session(m_accessCheck, m_replyTimeout);
    attach(session, QStringLiteral("Sending preset to RSX-4:"));
    UnitSession::Result result = session.open(parser.value(DeviceOption), true);
    UnitBackup backup;
    DeviceLink::BackupSink keep;
    if (!parser.isSet(NoBackupOption))
        keep = [this, &backup](const PresetImage &unitPreset) {
            if (backup.keep(unitPreset) == UnitBackup::Result::Failed)
                return false;
            endProgress();
            m_err << "backup: " << backup.lastPath() << '\n';
            m_err.flush();
            return true;
        };
    if (result == UnitSession::Result::Ok)
        result = session.upload(image, keep);
    if (result != UnitSession::Result::Ok &&
        session.link().lastOutcome() == DeviceLink::TransferOutcome::BackupRefused)
        return fail(FileError, QStringLiteral("%1: the unit's preset could not be kept as a "
                                              "backup in %2 (%3); nothing was sent")
                                   .arg(session.path(), backup.lastPath(), backup.lastError()));
    if (result != UnitSession::Result::Ok)
        return sessionFailed(session, result);
    if (parser.isSet(NoVerifyOption))
        return Success;

    attach(session, QStringLiteral("Verifying:"));
    PresetImage back;
    result = session.download(back);
    if (result != UnitSession::Result::Ok)
        return sessionFailed(session, result);
    for (int address = 0; address < session.link().transferLength(); ++address) {
        const int sent = image.imageByte(address) & 0xFF;
        const int held = back.imageByte(address) & 0xFF;
        if (sent != held)
            return fail(VerifyError,
                        QStringLiteral("%1: verification failed: address %2 holds 0x%3, 0x%4 "
                                       "was sent")
                            .arg(session.path())
                            .arg(address)
                            .arg(held, 2, 16, QChar('0'))
                            .arg(sent, 2, 16, QChar('0')));
    }
    return Success;
}
