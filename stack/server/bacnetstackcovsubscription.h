// One change-of-value subscription, as its device keeps it: whether
// notifications are confirmed, when it expires, and the status flags and
// monitored value at the time it was made (owned copies).
#pragma once

#include <cstdint>
#include <memory>

#include "core/bacnetprimitivebitstring.h"
#include "core/icodable.h"

namespace ZalvoBACnetStack {

class BACnetStackCOVSubscription {
public:
    // The expiry of a subscription that never expires.
    static constexpr uint64_t kNeverExpires = 0;

    // Stores copies of `statusFlags` and `value`; without a value ("Error -
    // failed to set the value") false and nothing changed.
    [[nodiscard]] bool SetCOVSubscription(bool issueConfirmedNotifications, uint64_t expiryTime,
                                          const BACnetPrimitiveBitSTRING& statusFlags, const ICodable* value);

    bool GetIssueConfirmedNotifications() const { return issueConfirmedNotifications_; }
    // In the seconds of the host's clock; kNeverExpires for an indefinite one.
    uint64_t GetExpiryTime() const { return expiryTime_; }
    // Indefinite, or not earlier than `now`.
    bool IsActiveAt(uint64_t now) const { return expiryTime_ == kNeverExpires || expiryTime_ >= now; }
    // 0 for an indefinite or an expired subscription.
    uint64_t TimeRemaining(uint64_t now) const { return IsActiveAt(now) && expiryTime_ != 0 ? expiryTime_ - now : 0; }
    const BACnetPrimitiveBitSTRING& GetStatusFlags() const { return statusFlags_; }
    // Null until a value was set.
    const ICodable* GetValue() const { return value_.get(); }

private:
    bool issueConfirmedNotifications_ = false;
    uint64_t expiryTime_ = kNeverExpires;
    BACnetPrimitiveBitSTRING statusFlags_;
    std::unique_ptr<ICodable> value_;
};

}  // namespace ZalvoBACnetStack
