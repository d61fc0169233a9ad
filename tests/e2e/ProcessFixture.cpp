#include "ProcessFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <sys/stat.h>

bool WaitUntil(const std::function<bool()>& Done)
{
    constexpr int WaitMs = 20000;
    QElapsedTimer Waited;
    Waited.start();
    while (!Done()) {
        if (Waited.elapsed() > WaitMs)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(2);
    }
    return true;
}

void ProcessFixture::SetUp()
{
    ASSERT_TRUE(FTemp.isValid());
    for (const char* Folder : { "registry", "book", "config" })
        ASSERT_TRUE(QDir(FTemp.path()).mkpath(QString::fromLatin1(Folder)));
    qputenv("LERNIX_REGISTRY_DIR", QByteArray::fromStdString(Path("registry")));
    // The program keeps its window's place in the user's settings; not the tester's.
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(Path("config")));
    // As after su or in a bare session: whatever Qt says about the missing folder must
    // not reach the messages the tests compare.
    qunsetenv("XDG_RUNTIME_DIR");
}

void ProcessFixture::TearDown()
{
    if (FHost.state() != QProcess::NotRunning) {
        FHost.kill();
        FHost.waitForFinished();
    }
}

std::string ProcessFixture::Path(const std::string& Name) const
{
    return FTemp.filePath(QString::fromStdString(Name)).toStdString();
}

void ProcessFixture::Write(const std::string& Name, const std::string& Bytes) const
{
    QFile File(QPath(Name));
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    ASSERT_EQ(File.write(Bytes.data(), static_cast<qint64>(Bytes.size())), static_cast<qint64>(Bytes.size()));
}

TWindowHandle ProcessFixture::StartHost(const std::string& Suffix, QStringList Arguments)
{
    Arguments.prepend(QString::fromStdString("--suffix=" + Suffix));
    FHost.start(QStringLiteral(LERNIX_HOST), Arguments);
    static const QRegularExpression Ready(QStringLiteral("window (\\d+) is ready"));
    QRegularExpressionMatch Match;
    WaitUntil([&] {
        Match = Ready.match(QString::fromStdString(HostLog()));
        return Match.hasMatch() || FHost.state() == QProcess::NotRunning;
    });
    return Match.hasMatch() ? Match.captured(1).toInt() : 0;
}

std::string ProcessFixture::HostLog()
{
    FHostLog += FHost.readAllStandardError().toStdString();
    return FHostLog;
}

TRunResult ProcessFixture::Run(const QString& Program, const QStringList& Arguments)
{
    QProcess Process;
    Process.start(Program, Arguments);
    TRunResult Result;
    if (!Process.waitForStarted())
        return Result;
    if (!WaitUntil([&] { return Process.state() == QProcess::NotRunning; })) {
        Process.kill();
        Process.waitForFinished();
    } else if (Process.exitStatus() == QProcess::NormalExit) {
        Result.Status = Process.exitCode();
    }
    Result.Out = Process.readAllStandardOutput().toStdString();
    Result.Err = Process.readAllStandardError().toStdString();
    return Result;
}
