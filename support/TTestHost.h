#pragma once

#include "TkdbCustomDemon.h"

#include <map>
#include <string>
#include <vector>

// A host window (the server names with Suffix) for tests and benchmarks. It answers each
// request while it handles it, from its own operations:
//   lmRegister, lmUnregister  keep Participants (nothing is answered);
//   lmQueryEntity             a record of Participants by handle or by exact title, an
//                             empty reply when none matches;
//   lmGetFile                 Files[name];
//   lmResolveName             the name unchanged;
//   lmQueryString             the text; the text "stale" is answered with a stamp one day
//                             later, so that the reply cannot match;
//   lmGetValue                "value of " and the key;
//   lmExecute                 starts the program detached (parameters split at spaces) and
//                             answers its process id, 0 when it cannot be started.
class TTestHost : public TkdbCustomDemon {
    Q_OBJECT

public:
    TTestHost(platform::TWindowMessaging* Messaging, const std::string& Suffix, QObject* Owner = nullptr);

    std::string GetWindowClassName() const override { return FClassName; }
    std::string GetWindowName() const override { return FWindowName; }
    std::unique_ptr<TEntity> FindEntityByTitle(const std::string& Title) override;
    std::unique_ptr<TEntity> FindEntityByHandle(TWindowHandle Handle) override;
    std::int32_t ExecuteProgram(
        const std::string& Program, const std::string& Parameters, bool Wait, std::int32_t Option) override;
    std::unique_ptr<TMemoryStream> GetFileStream(const std::string& Name) override;
    std::string ResolveFileName(const std::string& Name) override;
    std::string QueryHostString(const std::string& Text) override;
    std::string GetHostValue(const std::string& Key) override;

    // Requests handled so far, of every kind.
    int Requests = 0;
    std::vector<TEntity> Participants;
    std::map<std::string, std::string> Files;

private:
    void Answer(TLernixMessageStream& Request);
    // Fills Reply; false when the request wants no answer.
    bool Fill(TLernixMessageStream& Request, TLernixMessageStream& Reply);

    std::string FClassName;
    std::string FWindowName;
};
