#include "ProgramFileNames.h"

#include <QCoreApplication>

std::string ApplicationFileName()
{
    return QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
}
