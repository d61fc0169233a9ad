#pragma once

#include "TShell.h"

#include <functional>
#include <vector>

// A shell that opens nothing: it records what it is asked and answers a program start
// with StartResult.
class TRecordingShell : public platform::TShell {
public:
    struct TRequest {
        QString Kind;
        QString Target;
        QString Params;
        bool operator==(const TRequest&) const = default;
    };

    void OpenUrl(const QString& Address) override
    {
        Requests.push_back({ "web", Address, {} });
        if (DuringRequest)
            DuringRequest();
    }
    std::error_code StartProgram(const QString& Program, const QString& Params) override
    {
        Requests.push_back({ "program", Program, Params });
        return StartResult;
    }

    std::vector<TRequest> Requests;
    std::error_code StartResult;
    // Runs while a web address is being handed over.
    std::function<void()> DuringRequest;
};
