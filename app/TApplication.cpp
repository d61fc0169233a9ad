#include "TApplication.h"

#include <QIcon>
#include <QMessageBox>

#include <exception>

TApplication::TApplication(int& Argc, char** Argv)
    : QApplication(Argc, Argv)
{
    setApplicationName("Fokalis");
    setDesktopFileName(AppId);
    setWindowIcon(QIcon(QString(":/icons/%1.svg").arg(AppId)));
    FErrorReporter
        = [](const QString& Message) { QMessageBox::critical(activeWindow(), applicationName(), Message); };
}

bool TApplication::notify(QObject* Receiver, QEvent* Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (const std::exception& Error) {
        FErrorReporter(QString::fromLocal8Bit(Error.what()));
    } catch (...) {
        FErrorReporter(tr("Unknown error"));
    }
    return false;
}

void TApplication::SetErrorReporter(TErrorReporter Reporter)
{
    FErrorReporter = std::move(Reporter);
}
