#include "HostlinkFixture.h"

#include "HostDiscovery.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

constexpr int StartTimeoutMs = 20000;

} // namespace

void HostlinkFixture::SetUp()
{
    qputenv("LERNIX_REGISTRY_DIR", QByteArray::fromStdString(FRuntime.Path()));
    FMessaging = platform::CreatePosixWindowMessaging();
}

QString HostlinkFixture::RuntimePath(const QString& Name) const
{
    const QString Folder = QString::fromLocal8Bit(FRuntime.Path());
    return Name.isEmpty() ? Folder : Folder + "/" + Name;
}

void HostlinkFixture::Deliver(
    TkdbCustomDemon& Demon, std::int32_t Kind, std::int64_t Sender, std::vector<std::uint8_t> Data)
{
    const TCopyDataStruct CopyData { Kind, Data.size(), Data.data() };
    TWindowMessage Message { MsgCopyData, Sender, &CopyData, 0 };
    Demon.WndProc(Message);
}

TWindowHandle HostlinkFixture::StartPeer(QProcess& Peer, const std::string& Suffix)
{
    Peer.start(
        QStringLiteral(HOSTLINK_PEER), { QStringLiteral("--until-eof"), QString::fromStdString(Suffix) });
    if (!Peer.waitForStarted(StartTimeoutMs))
        return 0;
    QElapsedTimer Waited;
    Waited.start();
    TWindowHandle Found = 0;
    while ((Found = FindServerWindow(*FMessaging, Suffix)) == 0 && Waited.elapsed() < StartTimeoutMs
        && Peer.state() == QProcess::Running)
        QThread::msleep(20);
    return Found;
}

std::string HostlinkFixture::StartClient(QProcess& Client, const QStringList& Arguments)
{
    Client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Client.start(QStringLiteral(CLIENT_PEER), Arguments);
    return NextLine(Client);
}

std::string HostlinkFixture::NextLine(QProcess& Client)
{
    QElapsedTimer Waited;
    Waited.start();
    while (!Client.canReadLine() && Waited.elapsed() < StartTimeoutMs)
        if (!Client.waitForReadyRead(200) && Client.state() == QProcess::NotRunning)
            break;
    if (!Client.canReadLine())
        return {};
    return Client.readLine().trimmed().toStdString();
}
