// Datatype numbers of the message layers. These objects never travel inside
// a tagged value; the numbers only let IsEqual tell the layers apart from
// each other and from the value classes.
#pragma once

#include <cstdint>

namespace ZalvoBACnetStack::Datatype {
inline constexpr uint8_t kBVLL = 120;
inline constexpr uint8_t kNPDU = 121;
inline constexpr uint8_t kPDU = 122;
inline constexpr uint8_t kPacket = 123;
}  // namespace ZalvoBACnetStack::Datatype
