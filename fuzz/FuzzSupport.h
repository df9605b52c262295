#pragma once

// Shared by the libFuzzer targets: the one offscreen application, a quiet log,
// a failed invariant as a crash libFuzzer records, dialogs that answer
// themselves, and the seed files each target writes for itself.

#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QVector>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// Reports a broken invariant and aborts, so libFuzzer keeps the input.
[[noreturn]] inline void fail(const char *file, int line, const char *what, const QString &detail)
{
    std::fprintf(stderr, "\n%s:%d: invariant broken: %s\n", file, line, what);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  %s\n", qPrintable(detail));
    std::fflush(stderr);
    std::abort();
}

#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::fuzz::fail(__FILE__, __LINE__, #condition, (detail));                                \
    } while (false)

// Modal dialogs close themselves as soon as their event loop runs: a fuzz
// input can never wait on a dialog. A progress dialog is shown, not run, so it
// stays. Keeps the titles of the dialogs it closed.
class DialogCloser : public QObject
{
public:
    QStringList titles;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *dialog = qobject_cast<QDialog *>(watched);
            if (dialog && dialog->isModal() && !qobject_cast<QProgressDialog *>(dialog)) {
                QPointer<QDialog> guard = dialog;
                titles << dialog->windowTitle();
                // Queued: a dialog closed before its loop starts would wait forever.
                QTimer::singleShot(0, dialog, [guard] {
                    if (guard && guard->isVisible())
                        guard->done(QDialog::Rejected);
                });
            }
        }
        return false;
    }
};

inline QApplication &application()
{
    static int argc = 1;
    static char name[] = "cuesmith-fuzz";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
        // Only what ends a run matters here; Qt's notes would slow every input.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtFatalMsg || type == QtCriticalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(text));
        });
        return new QApplication(argc, argv);
    }();
    return *app;
}

inline DialogCloser &dialogCloser()
{
    static DialogCloser *closer = [] {
        auto *c = new DialogCloser;
        application().installEventFilter(c);
        return c;
    }();
    return *closer;
}

// Writes the seeds when CUESMITH_FUZZ_SEEDS names a folder (scripts/fuzz.sh).
inline void writeSeeds(const char *target, const QVector<QByteArray> &seeds)
{
    const QByteArray folder = qgetenv("CUESMITH_FUZZ_SEEDS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(QString::fromLocal8Bit(folder));
    for (int i = 0; i < seeds.size(); ++i) {
        QFile file(QStringLiteral("%1/%2-seed-%3")
                       .arg(QString::fromLocal8Bit(folder), QLatin1String(target))
                       .arg(i, 3, 10, QLatin1Char('0')));
        if (file.open(QIODevice::WriteOnly))
            file.write(seeds.at(i));
    }
}

// Reads a fuzz input front to back; past its end every read gives 0.
class Input
{
public:
    Input(const std::uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    size_t remaining() const { return m_pos < m_size ? m_size - m_pos : 0; }
    int byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int word()
    {
        const int high = byte();
        return high << 8 | byte();
    }
    QByteArray bytes(size_t count)
    {
        const size_t n = qMin(count, remaining());
        QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), int(n));
        m_pos += n;
        return out;
    }

private:
    const std::uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

} // namespace fuzz
