#pragma once

#include "MessageStamp.h"
#include "TDemonLink.h"
#include "TEntity.h"
#include "TMemoryStream.h"

#include <cstdint>
#include <memory>
#include <string>

// One host-link message. The stream's content is the payload only; stamp and
// kind travel in the frame beside it.
class TLernixMessageStream : public TMemoryStream {
public:
    explicit TLernixMessageStream(TDemonLink* Component = nullptr);

    std::int32_t StampTime = 0;
    std::int32_t StampDate = 0;
    // On a received message, Handle is the sender's window.
    std::unique_ptr<TEntity> SenderEntity;
    // The component that made the message; each send sets it again.
    TDemonLink* Demon;
    std::int32_t MsgKind = 0;

    TMessageStamp Stamp() const { return { StampTime, StampDate }; }
    void SetStamp(TMessageStamp Stamp);

    void WriteString(const std::string& S);
    std::string ReadString();
    // Hands the message to Demon's Send; does nothing without a demon.
    void SendTo(const TEntity& Target, TLernixMessageStream* Reply);
    // Copies stamp, sender record, kind and then Source's whole content, written
    // at this stream's position, which stays put: a fresh stream reads it from 0.
    // Source's position ends at its end.
    void AssignMessage(TLernixMessageStream& Source);
};
