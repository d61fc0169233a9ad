#pragma once

#include <cstdint>

// The kinds of host-link messages (a frame's dwData). Any other value is
// passed to the component's OnGotAMessage unchanged. What each one carries is
// written and read by the struct named beside it (HostRequests.h).
inline constexpr std::int32_t lmQuit = 4096; // TQuitMessage
inline constexpr std::int32_t lmReply = 4097; // the answer's struct; carries its request's stamp
inline constexpr std::int32_t lmRegister = 4098; // TEntity (WriteTo, ReadFrom)
inline constexpr std::int32_t lmUnregister = 4099; // TEntity (WriteTo, ReadFrom)
inline constexpr std::int32_t lmQueryEntity = 4100; // TQueryEntityRequest; reply TQueryEntityReply
inline constexpr std::int32_t lmParams = 4101; // ParamListText.h
inline constexpr std::int32_t lmExecute = 4102; // TExecuteRequest; reply TExecuteReply
inline constexpr std::int32_t lmGetFile = 4103; // TTextMessage; reply TGetFileReply
inline constexpr std::int32_t lmResolveName = 4104; // TTextMessage; reply TTextMessage
inline constexpr std::int32_t lmQueryString = 4105; // TTextMessage; reply TTextMessage
inline constexpr std::int32_t lmGetValue = 4106; // TTextMessage; reply TTextMessage

// Selector bytes of an lmQueryEntity payload.
inline constexpr std::uint8_t QueryEntityByHandle = 1;
inline constexpr std::uint8_t QueryEntityByTitle = 2;
