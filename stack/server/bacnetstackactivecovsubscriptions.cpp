#include "server/bacnetstackactivecovsubscriptions.h"

#include <new>

#include "core/stackerrorlog.h"
#include "server/bacnetstackcovsubscription.h"

namespace ZalvoBACnetStack {
namespace {

constexpr const char* kSource = "bacnetstackactivecovsubscriptions";
constexpr const char* kAddOrUpdate = "ZalvoBACnetStack::BACnetStackActiveCOVSubscriptions::AddOrUpdateSubscription";

constexpr uint16_t kErrorClassResources = 3;
constexpr uint16_t kErrorCodeNoSpaceToAddListElement = 19;

}  // namespace

BACnetStackActiveCOVSubscriptions::BACnetStackActiveCOVSubscriptions() = default;
BACnetStackActiveCOVSubscriptions::~BACnetStackActiveCOVSubscriptions() = default;

BACnetStackCOVSubscription* BACnetStackActiveCOVSubscriptions::AddOrUpdateSubscription(
    uint32_t subscriberProcessIdentifier, uint16_t objectType, uint32_t objectInstance, uint32_t propertyIdentifier,
    bool issueConfirmedNotifications, uint64_t expiryTime, const BACnetPrimitiveBitSTRING* statusFlags,
    const ICodable* value, BACnetErrorOutcome* outcome) {
    if (statusFlags == nullptr || value == nullptr) {
        StackErrorLog(kAddOrUpdate, kSource, __LINE__, "Error - statusFlags or value does not exist");
        SetAbort(outcome, kAbortOther);
        return nullptr;
    }
    const MonitoredProperty monitored{objectType, objectInstance, propertyIdentifier};
    auto group = groups_.find(monitored);
    if (group != groups_.end()) {
        const auto entry = group->second.find(subscriberProcessIdentifier);
        if (entry != group->second.end()) {
            // The same subscriber is updated wherever the request came from.
            if (entry->second == nullptr) {
                StackErrorLog(kAddOrUpdate, kSource, __LINE__, "Error - subscription is null and shouldn't be");
                SetAbort(outcome, kAbortOther);
                return nullptr;
            }
            if (!entry->second->SetCOVSubscription(issueConfirmedNotifications, expiryTime, *statusFlags, value)) {
                StackErrorLog(kAddOrUpdate, kSource, __LINE__, "Failed to set the COV subscription");
                SetAbort(outcome, kAbortOther);
                return nullptr;
            }
            return entry->second.get();
        }
        if (group->second.size() >= kMaxSubscriptionsPerGroup) {
            StackErrorLog(kAddOrUpdate, kSource, __LINE__,
                          "Error - reached max number of subscriptions for this object");
            SetError(outcome, kErrorClassResources, kErrorCodeNoSpaceToAddListElement);
            return nullptr;
        }
    }
    std::unique_ptr<BACnetStackCOVSubscription> subscription(new (std::nothrow) BACnetStackCOVSubscription);
    if (subscription == nullptr) {
        StackErrorLog(kAddOrUpdate, kSource, __LINE__,
                      "Error - out of memory when trying to create a new subscription");
        SetAbort(outcome, kAbortOther);
        return nullptr;
    }
    if (!subscription->SetCOVSubscription(issueConfirmedNotifications, expiryTime, *statusFlags, value)) {
        StackErrorLog(kAddOrUpdate, kSource, __LINE__, "Failed to set the COV subscription");
        SetAbort(outcome, kAbortOther);
        return nullptr;
    }
    BACnetStackCOVSubscription* added = subscription.get();
    groups_[monitored].emplace(subscriberProcessIdentifier, std::move(subscription));
    return added;
}

BACnetStackCOVSubscription* BACnetStackActiveCOVSubscriptions::FindSubscription(uint32_t subscriberProcessIdentifier,
                                                                               uint16_t objectType,
                                                                               uint32_t objectInstance,
                                                                               uint32_t propertyIdentifier) const {
    const auto group = groups_.find({objectType, objectInstance, propertyIdentifier});
    if (group == groups_.end()) return nullptr;
    const auto entry = group->second.find(subscriberProcessIdentifier);
    return entry != group->second.end() ? entry->second.get() : nullptr;
}

void BACnetStackActiveCOVSubscriptions::RemoveSubscription(uint32_t subscriberProcessIdentifier, uint16_t objectType,
                                                           uint32_t objectInstance, uint32_t propertyIdentifier) {
    const auto group = groups_.find({objectType, objectInstance, propertyIdentifier});
    if (group == groups_.end()) return;
    group->second.erase(subscriberProcessIdentifier);
    if (group->second.empty()) groups_.erase(group);
}

size_t BACnetStackActiveCOVSubscriptions::GetGroupSize(uint16_t objectType, uint32_t objectInstance,
                                                       uint32_t propertyIdentifier) const {
    const auto group = groups_.find({objectType, objectInstance, propertyIdentifier});
    return group != groups_.end() ? group->second.size() : 0;
}

size_t BACnetStackActiveCOVSubscriptions::GetSubscriptionCount() const {
    size_t count = 0;
    for (const auto& [monitored, group] : groups_) count += group.size();
    return count;
}

void BACnetStackActiveCOVSubscriptions::Clear() { groups_.clear(); }

}  // namespace ZalvoBACnetStack
