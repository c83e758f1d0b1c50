// The outcome a failed decode or encode wants the peer to hear: an Error,
// an Abort or a Reject PDU. Filled where the failure is found; callers may
// pass null when nobody will answer.
#pragma once

#include <cstdint>

namespace ZalvoBACnetStack {

struct BACnetErrorOutcome {
    enum Kind : uint32_t { kError = 0, kAbort = 1, kReject = 2 };

    uint32_t kind = kError;
    // Error: class << 16 | code. Abort or reject: the reason.
    uint32_t value = 0;
    bool set = false;

    void Clear() { *this = BACnetErrorOutcome{}; }
};

// Reject reasons the codec uses.
inline constexpr uint32_t kRejectOther = 0;
inline constexpr uint32_t kRejectInvalidParameterDatatype = 3;
inline constexpr uint32_t kRejectInvalidTag = 4;
inline constexpr uint32_t kRejectParameterOutOfRange = 6;
// Abort reasons the codec uses.
inline constexpr uint32_t kAbortOther = 0;
inline constexpr uint32_t kAbortSegmentationNotSupported = 4;
inline constexpr uint32_t kAbortOutOfResources = 9;

inline void SetOutcome(BACnetErrorOutcome* outcome, uint32_t kind, uint32_t value) {
    if (outcome == nullptr) return;
    outcome->kind = kind;
    outcome->value = value;
    outcome->set = true;
}
inline void SetReject(BACnetErrorOutcome* outcome, uint32_t reason) {
    SetOutcome(outcome, BACnetErrorOutcome::kReject, reason);
}
inline void SetAbort(BACnetErrorOutcome* outcome, uint32_t reason) {
    SetOutcome(outcome, BACnetErrorOutcome::kAbort, reason);
}
inline void SetError(BACnetErrorOutcome* outcome, uint16_t errorClass, uint16_t errorCode) {
    SetOutcome(outcome, BACnetErrorOutcome::kError, (uint32_t{errorClass} << 16) | errorCode);
}

}  // namespace ZalvoBACnetStack
