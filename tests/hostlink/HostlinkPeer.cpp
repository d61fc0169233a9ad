// A test host in its own process: hostlink_peer SUFFIX. It serves until a quit
// message arrives, then exits with code 0.
#include "TWindowMessaging.h"
#include "TestDemons.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

class TPeerHost : public TTestHost {
public:
    using TTestHost::TTestHost;

protected:
    void ReleaseOnQuit() override { QCoreApplication::quit(); }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SUFFIX\n", argv[0]);
        return 2;
    }
    const auto messaging = platform::CreatePosixWindowMessaging();
    TPeerHost host(*messaging, argv[1]);
    return QCoreApplication::exec();
}
