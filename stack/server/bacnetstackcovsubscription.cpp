#include "server/bacnetstackcovsubscription.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {

constexpr const char* kSource = "bacnetstackcovsubscription";
constexpr const char* kSet = "ZalvoBACnetStack::BACnetStackCOVSubscription::SetCOVSubscription";

}  // namespace

bool BACnetStackCOVSubscription::SetCOVSubscription(bool issueConfirmedNotifications, uint64_t expiryTime,
                                                    const BACnetPrimitiveBitSTRING& statusFlags,
                                                    const ICodable* value) {
    std::unique_ptr<ICodable> copy = value != nullptr ? value->Clone() : nullptr;
    if (copy == nullptr) {
        StackErrorLog(kSet, kSource, __LINE__, "Error - failed to set the value");
        return false;
    }
    issueConfirmedNotifications_ = issueConfirmedNotifications;
    expiryTime_ = expiryTime;
    statusFlags_ = statusFlags;
    value_ = std::move(copy);
    return true;
}

}  // namespace ZalvoBACnetStack
