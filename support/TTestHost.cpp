#include "TTestHost.h"

#include "HostRequests.h"
#include "MessageKinds.h"
#include "ProgramStart.h"
#include "TLernixMessageStream.h"
#include "TMemoryFiles.h"

#include <cstdio>

const std::map<std::string, std::string>& TestHostValues()
{
    static const std::map<std::string, std::string> Values { { "HomePageURL", "https://example.org/" },
        { "question", "answer" }, { "stale", "too late" } };
    return Values;
}

namespace {

bool AsksForStale(const TLernixMessageStream& Request)
{
    if (Request.MsgKind != lmQueryString)
        return false;
    TMemoryStream Payload;
    Payload.WriteBuffer(Request.Bytes().data(), Request.Bytes().size());
    Payload.SetPosition(0);
    return TTextMessage::Read(Payload).Text == "stale";
}

} // namespace

THostContent TTestHost::Content(TTestHost* Host, std::map<std::string, std::string> Files)
{
    THostContent Content;
    Content.Files = std::make_shared<TMemoryFiles>(std::move(Files));
    Content.Values = TValueTable(TestHostValues());
    Content.Start = StartDetached;
    Content.Log = [](const std::string& Line) { std::fprintf(stderr, "test host: %s\n", Line.c_str()); };
    Content.BeforeReply = [Host](const TLernixMessageStream& Request, TLernixMessageStream& Answer) {
        Host->BeforeReply(Request, Answer);
    };
    return Content;
}

TTestHost::TTestHost(platform::TWindowMessaging& Messaging, const std::string& Suffix,
    std::map<std::string, std::string> Files)
    : TLernixHost(Messaging, Suffix, Content(this, std::move(Files)))
{
}

void TTestHost::BeforeReply(const TLernixMessageStream& Request, TLernixMessageStream& Answer)
{
    ++FAnswers;
    if (AsksForStale(Request))
        Answer.StampDate += 1;
    if (OnAnswer)
        OnAnswer(Request, Answer);
}
