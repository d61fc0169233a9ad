#pragma once

#include "TPrivateRuntimeFolder.h"
#include "TWindowMessaging.h"
#include "TkdbCustomDemon.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The message of the TError that Action throws, or "(no error)".
template <typename TError> std::string ErrorText(const std::function<void()>& Action)
{
    try {
        Action();
    } catch (const TError& E) {
        return E.what();
    }
    return "(no error)";
}

// A private runtime folder and an empty settings folder (no registry suffix unless a test
// writes one), the window messaging of this process, and the peers in processes of their own.
class HostlinkFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // Hands a frame to Demon's window procedure as if it had arrived.
    static void Deliver(
        TkdbCustomDemon& Demon, std::int32_t Kind, std::int64_t Sender, std::vector<std::uint8_t> Data);
    // Starts the test host with Suffix in its own process; its window, or 0.
    TWindowHandle StartPeer(QProcess& Peer, const std::string& Suffix);
    // Starts the client program with Arguments; its first line of output, empty when it
    // wrote none.
    static std::string StartClient(QProcess& Client, const QStringList& Arguments);
    // The next line Client writes, without its line break; empty when none comes.
    static std::string NextLine(QProcess& Client);

    // Name in the runtime folder, or the folder itself.
    QString RuntimePath(const QString& Name = {}) const;

    TPrivateRuntimeFolder FRuntime;
    std::unique_ptr<platform::TWindowMessaging> FMessaging;
};
