#pragma once

#include <cstdint>

// The kinds of host-link messages (a frame's dwData). Any other value is
// passed to the component's OnGotAMessage unchanged.
inline constexpr std::int32_t lmQuit = 4096; // Boolean ServerDown
inline constexpr std::int32_t lmReply = 4097; // the answer; carries its request's stamp
inline constexpr std::int32_t lmRegister = 4098; // entity record of the client
inline constexpr std::int32_t lmUnregister = 4099; // entity record of the client
inline constexpr std::int32_t lmQueryEntity = 4100; // byte 1 + integer handle, or byte 2 + string title
inline constexpr std::int32_t lmParams = 4101; // parameter-list text
inline constexpr std::int32_t lmExecute = 4102; // program, parameters, Boolean wait, integer option
inline constexpr std::int32_t lmGetFile = 4103; // string file name
inline constexpr std::int32_t lmResolveName = 4104; // string file name
inline constexpr std::int32_t lmQueryString = 4105; // string
inline constexpr std::int32_t lmGetValue = 4106; // string key

// Selector bytes of an lmQueryEntity payload.
inline constexpr std::uint8_t QueryEntityByHandle = 1;
inline constexpr std::uint8_t QueryEntityByTitle = 2;
