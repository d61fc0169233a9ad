#include "ProgramStart.h"

#include <QProcess>
#include <QStringList>

std::vector<std::string> SplitParameters(const std::string& Parameters)
{
    std::vector<std::string> Words;
    for (const QString& Word : QProcess::splitCommand(QString::fromLocal8Bit(Parameters)))
        Words.push_back(Word.toLocal8Bit().toStdString());
    return Words;
}

std::int64_t StartDetached(const std::string& Program, const std::vector<std::string>& Arguments)
{
    QStringList QtArguments;
    for (const std::string& Argument : Arguments)
        QtArguments.append(QString::fromLocal8Bit(Argument));
    qint64 Pid = 0;
    if (Program.empty() || !QProcess::startDetached(QString::fromLocal8Bit(Program), QtArguments, {}, &Pid))
        return 0;
    return Pid;
}
