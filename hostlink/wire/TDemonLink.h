#pragma once

#include "TWindowHandle.h"

#include <memory>

class TEntity;
class TLernixMessageStream;

// What entity records and messages need from the component that made them:
// the host's directory, the transport and the window system. The component
// implements it; the wire format itself stays free of any window system.
class TDemonLink {
public:
    virtual ~TDemonLink() = default;

    // The host's record of the participant whose window is Handle, or none
    // when the host knows none. The caller owns the result.
    virtual std::unique_ptr<TEntity> FindEntityByHandle(TWindowHandle Handle) = 0;
    // Stamps Msg and hands it to Target; a reply, if one comes, is copied into Reply.
    virtual void Send(const TEntity& Target, TLernixMessageStream& Msg, TLernixMessageStream* Reply) = 0;
    // True when Handle names an existing window.
    virtual bool IsWindow(TWindowHandle Handle) const = 0;

protected:
    TDemonLink() = default;
    TDemonLink(const TDemonLink&) = default;
    TDemonLink& operator=(const TDemonLink&) = default;
};
