#pragma once

#include "TkdbCustomDemon.h"

#include <string>

// A component with given window names, for both ends of a test link.
class TNamedDemon : public TkdbCustomDemon {
public:
    TNamedDemon(platform::TWindowMessaging& Messaging, std::string ClassName, std::string WindowName);
    std::string GetWindowClassName() const override { return FClassName; }
    std::string GetWindowName() const override { return FWindowName; }

private:
    std::string FClassName;
    std::string FWindowName;
};

// A host window (the server names with Suffix) that answers while it handles
// the request: lmGetValue with "value of " and the key; lmQueryString with the
// text, but stamped one day later, so that the reply cannot match.
class TTestHost : public TNamedDemon {
public:
    TTestHost(platform::TWindowMessaging& Messaging, const std::string& Suffix);
    int Requests = 0;

private:
    void Answer(TLernixMessageStream& Request);
};
