#include "ProgramFileNames.h"

#include "LearningFile.h"
#include "TEntity.h"

#include <QCoreApplication>

std::string ExtractFilePath(const std::string& Path)
{
    return Path.substr(0, Path.size() - ExtractFileName(Path).size());
}

std::string DictionaryFileName(const std::string& ProgramPath)
{
    // The learning file and the dictionary share the file-name rule.
    return ExtractFilePath(ProgramPath) + LearningFileName(ProgramPath);
}

std::string ApplicationFileName()
{
    return QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
}
