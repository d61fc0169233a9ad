#pragma once

#include "TUniqueFd.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Helpers shared by the platform tests: serving Qt events while waiting, and raw
// socket access that speaks the documented bytes by hand.
namespace platform::test {

// Generous: the tests run on loaded machines; nothing waits this long when it works.
inline constexpr std::chrono::seconds PatientWait { 10 };

// Serves Qt events until Done() or PatientWait; gives Done().
bool ServeEventsUntil(const std::function<bool()>& Done);
// Serves Qt events for a while.
void ServeEventsFor(std::chrono::milliseconds Time);

TUniqueFd ConnectRaw(const std::string& SocketPath);
void WriteRaw(int Socket, const std::vector<std::uint8_t>& Bytes);
// What the window answers, serving Qt events meanwhile: the acknowledgement byte,
// or nothing when it closes the connection without one (or after PatientWait).
std::optional<std::uint8_t> AnswerOf(int Socket);

} // namespace platform::test
