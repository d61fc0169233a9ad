#include "TApplication.h"

#include "RawCommandLine.h"

#include <QIcon>
#include <QMessageBox>

#include <exception>

// The command line is kept before QApplication takes its own options out of it.
TApplication::TApplication(int& Argc, char** Argv)
    : QApplication((KeepRawCommandLine(Argc, Argv), Argc), Argv)
{
    setApplicationName("Fokalis");
    setDesktopFileName(AppId);
    QIcon Icon;
    for (const int Size : { 16, 32, 64, 128 })
        Icon.addFile(QString(":/icons/%1-%2.png").arg(AppId).arg(Size));
    setWindowIcon(Icon);
    FErrorReporter
        = [](const QString& Message) { QMessageBox::critical(activeWindow(), applicationName(), Message); };
}

bool TApplication::notify(QObject* Receiver, QEvent* Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (const std::exception& Error) {
        ShowError(QString::fromLocal8Bit(Error.what()));
    } catch (...) {
        ShowError(tr("Unknown error"));
    }
    return false;
}

void TApplication::ShowError(const QString& Message) const
{
    FErrorReporter(Message);
}

void TApplication::SetErrorReporter(TErrorReporter Reporter)
{
    FErrorReporter = std::move(Reporter);
}
