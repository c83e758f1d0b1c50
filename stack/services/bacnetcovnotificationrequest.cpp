#include "services/bacnetcovnotificationrequest.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetcovnotificationrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetCOVNotificationRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetCOVNotificationRequest::Encode";
constexpr const char* kAddPropertyValue = "ZalvoBACnetStack::BACnetCOVNotificationRequest::AddPropertyValue";
constexpr uint8_t kSubscriberProcessIdentifierTag = 0;
constexpr uint8_t kInitiatingDeviceIdentifierTag = 1;
constexpr uint8_t kMonitoredObjectIdentifierTag = 2;
constexpr uint8_t kTimeRemainingTag = 3;
constexpr uint8_t kListOfValuesTag = 4;
constexpr uint16_t kDeviceObjectType = 8;
using Codec = BACnetServiceCodec;
}  // namespace

bool BACnetCOVNotificationRequest::AddPropertyValue(const BACnetPropertyValue& value) {
    if (!listOfValues_.Add(value)) {
        StackErrorLog(kAddPropertyValue, kSource, __LINE__, "Failed to add the property value");
        return false;
    }
    return true;
}

uint16_t BACnetCOVNotificationRequest::DecodeNotification(const uint8_t* buffer, uint16_t length,
                                                          BACnetErrorOutcome* outcome) {
    ResetNotification();
    Codec::DecodeCursor cursor{buffer, length};
    const char* failure = nullptr;
    if (!Codec::DecodeRequired(subscriberProcessIdentifier_, cursor, outcome, kSubscriberProcessIdentifierTag)) {
        failure = "Failed to decode subscriberProcessIdentifier";
    } else if (!Codec::DecodeRequired(initiatingDeviceIdentifier_, cursor, outcome, kInitiatingDeviceIdentifierTag)) {
        failure = "Failed to decode initiatingDeviceIdentifier";
    } else if (!Codec::DecodeRequired(monitoredObjectIdentifier_, cursor, outcome, kMonitoredObjectIdentifierTag)) {
        failure = "Failed to decode monitoredObjectIdentifier";
    } else if (!Codec::DecodeRequired(timeRemaining_, cursor, outcome, kTimeRemainingTag)) {
        failure = "Failed to decode timeRemaining";
    } else if (!Codec::DecodeRequired(listOfValues_, cursor, outcome, kListOfValuesTag)) {
        failure = "Failed to decode listOfValues";
    }
    if (failure != nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        ResetNotification();
        return 0;
    }
    return cursor.used;
}

uint16_t BACnetCOVNotificationRequest::EncodeNotification(uint8_t* buffer, uint16_t room,
                                                          BACnetErrorOutcome* outcome) {
    Codec::EncodeCursor cursor{buffer, room};
    const char* failure = nullptr;
    if (!Codec::EncodeContext(subscriberProcessIdentifier_, cursor, outcome, kSubscriberProcessIdentifierTag)) {
        failure = "Failed to encode subscriberProcessIdentifier";
    } else if (!Codec::EncodeContext(initiatingDeviceIdentifier_, cursor, outcome, kInitiatingDeviceIdentifierTag)) {
        failure = "Failed to encode initiatingDeviceIdentifier";
    } else if (!Codec::EncodeContext(monitoredObjectIdentifier_, cursor, outcome, kMonitoredObjectIdentifierTag)) {
        failure = "Failed to encode monitoredObjectIdentifier";
    } else if (!Codec::EncodeContext(timeRemaining_, cursor, outcome, kTimeRemainingTag)) {
        failure = "Failed to encode timeRemaining";
    } else if (!Codec::EncodeContext(listOfValues_, cursor, outcome, kListOfValuesTag)) {
        failure = "Failed to encode listOfValues";
    }
    if (failure != nullptr) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    return cursor.used;
}

void BACnetCOVNotificationRequest::ResetNotification() {
    Codec::ResetContextMember(subscriberProcessIdentifier_, kSubscriberProcessIdentifierTag);
    Codec::ResetContextMember(initiatingDeviceIdentifier_, kInitiatingDeviceIdentifierTag);
    Codec::ResetContextMember(monitoredObjectIdentifier_, kMonitoredObjectIdentifierTag);
    Codec::ResetContextMember(timeRemaining_, kTimeRemainingTag);
    listOfValues_.Reset();
}

bool BACnetCOVNotificationRequest::SameNotification(const BACnetCOVNotificationRequest& other) const {
    return Codec::SameOptional(subscriberProcessIdentifier_, other.subscriberProcessIdentifier_) &&
           Codec::SameOptional(initiatingDeviceIdentifier_, other.initiatingDeviceIdentifier_) &&
           Codec::SameOptional(monitoredObjectIdentifier_, other.monitoredObjectIdentifier_) &&
           Codec::SameOptional(timeRemaining_, other.timeRemaining_) &&
           listOfValues_.IsEqual(&other.listOfValues_);
}

void BACnetCOVNotificationRequest::AppendNotificationChildren(RenderChildren& children) const {
    children.push_back(
        MakeRenderChild(&subscriberProcessIdentifier_, "SubscriberProcessIdentifier", kSubscriberProcessIdentifierTag));
    children.push_back(
        MakeRenderChild(&initiatingDeviceIdentifier_, "InitiatingDeviceIdentifier", kInitiatingDeviceIdentifierTag));
    children.push_back(
        MakeRenderChild(&monitoredObjectIdentifier_, "MonitoredObjectIdentifier", kMonitoredObjectIdentifierTag));
    children.push_back(MakeRenderChild(&timeRemaining_, "TimeRemaining", kTimeRemainingTag));
    children.push_back(MakeRenderChild(&listOfValues_, "ListOfValues", kListOfValuesTag));
}

bool BACnetCOVNotificationRequest::SetNotification(const char* operation, const char* source,
                                                   const char* failureMessage,
                                                   const BACnetPrimitiveUINT& subscriberProcessIdentifier,
                                                   const BACnetPrimitiveObjectIdentifier& initiatingDeviceIdentifier,
                                                   const BACnetPrimitiveObjectIdentifier& monitoredObjectIdentifier,
                                                   const BACnetPrimitiveUINT& timeRemaining,
                                                   const BACnetPropertyValueList& values) {
    ResetNotification();
    const char* refusal = nullptr;
    if (!subscriberProcessIdentifier.IsValid()) {
        refusal = "Failed to set the subscriber process identifier";
    } else if (!initiatingDeviceIdentifier.IsValid()) {
        refusal = "Failed to set the initiating device identifier";
    } else if (!monitoredObjectIdentifier.IsValid()) {
        refusal = "Failed to set the monitored object identifier";
    } else if (!timeRemaining.IsValid()) {
        refusal = "Failed to set the time remaining";
    } else if (!values.IsValid()) {
        refusal = "Failed to set the list of values";
    }
    if (refusal != nullptr) {
        StackErrorLog(operation, source, __LINE__, "%s", refusal);
        StackErrorLog(operation, source, __LINE__, "%s", failureMessage);
        return false;
    }
    subscriberProcessIdentifier_.SetValue(subscriberProcessIdentifier.GetValue());
    initiatingDeviceIdentifier_.SetRawValue(initiatingDeviceIdentifier.GetRawValue());
    monitoredObjectIdentifier_.SetRawValue(monitoredObjectIdentifier.GetRawValue());
    timeRemaining_.SetValue(timeRemaining.GetValue());
    listOfValues_ = values;
    if (!listOfValues_.IsEqual(&values)) {
        // A value could not be copied for lack of memory.
        ResetNotification();
        StackErrorLog(operation, source, __LINE__, "Failed to set the list of values");
        StackErrorLog(operation, source, __LINE__, "%s", failureMessage);
        return false;
    }
    return true;
}

void BACnetCOVNotificationRequest::SetNotification(uint32_t subscriberProcessIdentifier,
                                                   uint32_t initiatingDeviceInstance, uint16_t monitoredObjectType,
                                                   uint32_t monitoredObjectInstance, uint32_t timeRemaining) {
    ResetNotification();
    subscriberProcessIdentifier_.SetValue(subscriberProcessIdentifier);
    initiatingDeviceIdentifier_.SetValue(kDeviceObjectType, initiatingDeviceInstance);
    monitoredObjectIdentifier_.SetValue(monitoredObjectType, monitoredObjectInstance);
    timeRemaining_.SetValue(timeRemaining);
    listOfValues_.SetEmpty();
}

}  // namespace ZalvoBACnetStack
