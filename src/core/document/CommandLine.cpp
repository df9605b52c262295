#include "core/document/CommandLine.h"

#include <QFileInfo>

CommandLine::CommandLine(const QStringList &arguments)
{
    int first = 1;
    if (arguments.size() > 1 && arguments.at(1) == QLatin1String("-devMode")) {
        m_devMode = true;
        first = 2;
    }
    for (int i = first; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        QString reason;
        if (!QFileInfo(argument).isFile())
            reason = QStringLiteral("not an existing file");
        else if (!m_file.isEmpty())
            reason = QStringLiteral("only one preset file is opened");
        else
            m_file = argument;
        if (!reason.isEmpty())
            m_problems << QStringLiteral("cuesmith: ignoring \"%1\": %2").arg(argument, reason);
    }
}
