#pragma once

#include "TkdbCustomDemon.h"

struct TQueryEntityRequest;

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Standalone values of GetHostValue: the program's folder.
inline constexpr const char* WorkAreaKey = "VandrelWorkArea";
inline constexpr const char* HomeDirKey = "VandrelHomeDir";
// What ExecuteProgram with Wait gives when the started program has ended but its exit status
// cannot be known: Linux tells it only to the program's parent, the host. No exit status is
// negative, so it is never taken for success.
inline constexpr std::int32_t UnknownExitCode = -1;

// The host-link component that a program window places on itself: it connects to the host
// when loaded, leaves it when destroyed, and asks the host's window its requests. Every
// request blocks until the host has handled it; a host that does not answer gives an empty
// reply.
class TkdbDemonClient : public TkdbCustomDemon {
    Q_OBJECT

public:
    // Makes the hidden window; see TkdbCustomDemon for Owner and Messaging. Throws ELernix
    // when the window cannot be made.
    explicit TkdbDemonClient(QObject* Owner = nullptr, platform::TWindowMessaging* Messaging = nullptr);
    // Unregisters at the host unless the host announced that it is going down.
    ~TkdbDemonClient() override;

    // Connect, then the single-copy step.
    void Loaded() override;
    // In host mode throws ELernix "Lernix server application is not running" when no host
    // window was found, else registers; then LoadTranslation in both modes.
    void Connect();
    // lmRegister and lmUnregister with the own entity record; nothing is awaited.
    void RegisterAtHost();
    void UnregisterAtHost();

    // "ThisIsTheLernixClientComponentWindowClass" and the empty name.
    std::string GetWindowClassName() const override;
    std::string GetWindowName() const override;
    // The host's record of a participant, or none when the host knows none or does not
    // answer. Throws EReadError for a reply shorter than a record.
    std::unique_ptr<TEntity> FindEntityByTitle(const std::string& Title) override;
    std::unique_ptr<TEntity> FindEntityByHandle(TWindowHandle Handle) override;
    // Asks the host to start Program with Parameters (Option passed on unchanged). Without
    // Wait gives the host's process id. With Wait blocks, answering only the frames that
    // reach the hidden window, until the process ends and gives its exit status when known, else
    // UnknownExitCode (always so when the host, not this program, started it). Throws ELernix "Could not
    // execute
    // "<Program>."" when the host answers 0 or the process cannot be watched, EReadError
    // when the host does not answer.
    std::int32_t ExecuteProgram(
        const std::string& Program, const std::string& Parameters, bool Wait, std::int32_t Option) override;
    // The file's bytes at position 0 (possibly none), or none when the host has no such
    // file. Throws EReadError when the host does not answer.
    std::unique_ptr<TMemoryStream> GetFileStream(const std::string& Name) override;
    // The host's answers; each throws EReadError when the host does not answer.
    std::string ResolveFileName(const std::string& Name) override;
    std::string QueryHostString(const std::string& Text) override;
    // In host mode the host's answer. Standalone nothing is sent: for WorkAreaKey and
    // HomeDirKey (exactly in this case) the program's folder ending in a separator, for
    // any other key the empty text.
    std::string GetHostValue(const std::string& Key) override;

private:
    using TWritePayload = std::function<void(TLernixMessageStream& Request)>;
    // A request of Kind to the host with the payload that Write puts in; gives the reply,
    // at position 0, empty when none came.
    std::unique_ptr<TLernixMessageStream> Request(std::int32_t Kind, const TWritePayload& Write);
    // A request whose payload is Text alone.
    std::unique_ptr<TLernixMessageStream> AskText(std::int32_t Kind, const std::string& Text);
    std::unique_ptr<TEntity> FindEntity(const TQueryEntityRequest& Query);
    void SendOwnEntity(std::int32_t Kind);
};
