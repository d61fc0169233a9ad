#pragma once

#include "TFileSource.h"
#include "TParticipantList.h"
#include "TValueTable.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TLernixMessageStream;

namespace platform {
class TWindowMessaging;
struct TCopyDataFrame;
}

// What the host answers with.
struct THostContent {
    // Served for lmGetFile and lmResolveName; without it no file is found and
    // every name resolves to the empty text.
    std::shared_ptr<const TFileSource> Files;
    TValueTable Values;
    // Starts a program for lmExecute; gives its process id or 0.
    std::function<std::int64_t(const std::string& Program, const std::vector<std::string>& Arguments)> Start;
    // Receives the log, one line at a time, without the line break.
    std::function<void(const std::string& Line)> Log;
    // Log every frame with what it asked and what it got, not only the faults.
    bool Verbose = false;
    // Sees every answer, stamped and filled, just before it is sent, and may change it:
    // tests use it to answer short, or with a stamp that matches no request.
    std::function<void(const TLernixMessageStream& Request, TLernixMessageStream& Answer)> BeforeReply;
};

// The host window and its answers: it keeps the participants that register,
// answers each request with one lmReply to the request's sender while it handles
// the request, and sends lmQuit on demand. Whatever a peer sends, a frame that
// cannot be read is logged and left unanswered.
class TLernixHost {
public:
    // Makes the window with the server names and Suffix. Throws std::runtime_error
    // when a host with these names already runs, and EWindowMessaging when the
    // window cannot be made. Messaging must outlive the host.
    TLernixHost(platform::TWindowMessaging& Messaging, const std::string& Suffix, THostContent Content);
    ~TLernixHost();
    TLernixHost(const TLernixHost&) = delete;
    TLernixHost& operator=(const TLernixHost&) = delete;

    TWindowHandle Handle() const { return FHandle; }
    const TParticipantList& Participants() const { return FParticipants; }
    // Sends lmQuit with ServerDown to every live participant, one after the
    // other; with ServerDown true the list is emptied, since they do not
    // unregister. Gives how many handled it.
    int QuitParticipants(bool ServerDown);

private:
    void OnFrame(const platform::TCopyDataFrame& Frame);
    // Answers Msg; gives what it asked and what it got, for the log.
    std::string Dispatch(TLernixMessageStream& Msg);
    std::string OnRegister(TLernixMessageStream& Msg, bool Register);
    std::string OnQueryEntity(TLernixMessageStream& Msg);
    std::string OnExecute(TLernixMessageStream& Msg);
    std::string OnGetFile(TLernixMessageStream& Msg);
    std::string OnResolveName(TLernixMessageStream& Msg);
    std::string OnLookUp(TLernixMessageStream& Msg);
    // Sends Payload as the lmReply to Request.
    template <typename TPayload> void Reply(const TLernixMessageStream& Request, const TPayload& Payload);
    bool Send(TWindowHandle Target, const TLernixMessageStream& Msg);

    platform::TWindowMessaging& FMessaging;
    THostContent FContent;
    TParticipantList FParticipants;
    TWindowHandle FHandle = 0;
};
