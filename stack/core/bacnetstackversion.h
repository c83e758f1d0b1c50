// The stack's version, reported by the exported version queries and written
// into every document header.
#pragma once

#include <cstdint>

namespace ZalvoBACnetStack {

inline constexpr uint32_t kStackVersionMajor = 3;
inline constexpr uint32_t kStackVersionMinor = 3;
inline constexpr uint32_t kStackVersionPatch = 2;
inline constexpr uint32_t kStackVersionBuild = 0;

}  // namespace ZalvoBACnetStack
