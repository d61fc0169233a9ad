#include "QtNoise.h"

#include <QString>
#include <QtGlobal>

namespace {

QtMessageHandler QtHandler = nullptr;

void PassAllButRuntimeFolderWarning(QtMsgType Type, const QMessageLogContext& Context, const QString& Message)
{
    if (Type == QtWarningMsg && Message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    QtHandler(Type, Context, Message);
}

} // namespace

void DropRuntimeFolderWarning()
{
    if (QtHandler == nullptr)
        QtHandler = qInstallMessageHandler(PassAllButRuntimeFolderWarning);
}
