#pragma once

#include "TDemonLink.h"

#include <cstdint>
#include <string>

class TMemoryStream;

// A participant of the host link: its hidden window, its single-instance
// marker and its program's file name and title. Fields start as 0 or empty.
class TEntity {
public:
    explicit TEntity(TDemonLink* Component = nullptr);

    TDemonLink* Demon;
    TWindowHandle Handle = 0;
    std::int32_t MutexHandle = 0;
    std::string ExeName;
    std::string Title;

    // Copies the four data fields of Source as they stand; no source changes nothing.
    void Assign(const TEntity* Source);
    // The field, asking the host (Refresh) first when it is empty.
    std::string GetExeName();
    std::string GetTitle();
    // Replaces the data fields by the host's record of Handle; no change when
    // there is no demon or the host knows no such window.
    void Refresh();
    // Handle, MutexHandle, GetExeName(), GetTitle(), so an empty name is looked up first.
    void WriteTo(TMemoryStream& Stream);
    // Handle, MutexHandle, ExeName, Title; throws EReadError on a short record
    // and then leaves every field as it was.
    void ReadFrom(TMemoryStream& Stream);
    // True when Handle names an existing window; false without a demon.
    bool IsAlive() const;
    // "LX_" and the file-name part of GetExeName(): C:\Books\demo.exe gives LX_demo.exe.
    std::string MutexName();
};
