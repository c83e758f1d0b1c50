// The change-of-value subscriptions of one device: for every monitored
// (object, property) a group of subscriptions ordered by subscriber process
// identifier. A group holds at most kMaxSubscriptionsPerGroup subscriptions;
// an empty group is removed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <tuple>

#include "core/bacneterroroutcome.h"
#include "core/icodable.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveBitSTRING;
class BACnetStackCOVSubscription;

class BACnetStackActiveCOVSubscriptions {
public:
    static constexpr size_t kMaxSubscriptionsPerGroup = 5;

    BACnetStackActiveCOVSubscriptions();
    ~BACnetStackActiveCOVSubscriptions();
    BACnetStackActiveCOVSubscriptions(const BACnetStackActiveCOVSubscriptions&) = delete;
    BACnetStackActiveCOVSubscriptions& operator=(const BACnetStackActiveCOVSubscriptions&) = delete;

    // Updates the subscription of `subscriberProcessIdentifier` on (object,
    // property) in place, or adds one when the group has room (a full group:
    // "Error - reached max number of subscriptions for this object", Error
    // resources/no-space-to-add-list-element). Without status flags or value:
    // "Error - statusFlags or value does not exist", Abort. The subscription,
    // still owned here, or null with the store unchanged.
    BACnetStackCOVSubscription* AddOrUpdateSubscription(uint32_t subscriberProcessIdentifier, uint16_t objectType,
                                                        uint32_t objectInstance, uint32_t propertyIdentifier,
                                                        bool issueConfirmedNotifications, uint64_t expiryTime,
                                                        const BACnetPrimitiveBitSTRING* statusFlags,
                                                        const ICodable* value, BACnetErrorOutcome* outcome);
    // The subscription of `subscriberProcessIdentifier` on (object,
    // property), still owned here; null when there is none.
    BACnetStackCOVSubscription* FindSubscription(uint32_t subscriberProcessIdentifier, uint16_t objectType,
                                                 uint32_t objectInstance, uint32_t propertyIdentifier) const;
    // Removes and destroys that subscription, and its group when it was the
    // last; nothing when there is none.
    void RemoveSubscription(uint32_t subscriberProcessIdentifier, uint16_t objectType, uint32_t objectInstance,
                            uint32_t propertyIdentifier);
    // The subscriptions on (object, property).
    size_t GetGroupSize(uint16_t objectType, uint32_t objectInstance, uint32_t propertyIdentifier) const;
    // All subscriptions of the device.
    size_t GetSubscriptionCount() const;
    void Clear();

protected:
    // (object type, object instance, property identifier), ordered in that order.
    using MonitoredProperty = std::tuple<uint16_t, uint32_t, uint32_t>;
    using Group = std::map<uint32_t, std::unique_ptr<BACnetStackCOVSubscription>>;

    std::map<MonitoredProperty, Group> groups_;
};

}  // namespace ZalvoBACnetStack
