#include "services/bacnetcovsubscription.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetcovsubscription";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetCOVSubscription::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetCOVSubscription::Encode";
constexpr const char* kSet = "ZalvoBACnetStack::BACnetCOVSubscription::SetCOVSubscription";
constexpr uint8_t kRecipientTag = 0;
constexpr uint8_t kMonitoredPropertyReferenceTag = 1;
constexpr uint8_t kIssueConfirmedNotificationsTag = 2;
constexpr uint8_t kTimeRemainingTag = 3;
constexpr uint8_t kCOVIncrementTag = 4;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetCOVSubscription::BACnetCOVSubscription() { Reset(); }

bool BACnetCOVSubscription::SetCOVSubscription(const BACnetRecipientProcess& recipient,
                                               const BACnetObjectPropertyReference& monitoredPropertyReference,
                                               bool issueConfirmedNotifications, uint32_t timeRemaining,
                                               const float* covIncrement) {
    Reset();
    if (!recipient.IsValid()) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the recipient");
        return false;
    }
    if (!monitoredPropertyReference.IsValid()) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the monitored property reference");
        return false;
    }
    recipient_ = recipient;
    monitoredPropertyReference_ = monitoredPropertyReference;
    issueConfirmedNotifications_.SetValue(issueConfirmedNotifications);
    timeRemaining_.SetValue(timeRemaining);
    if (covIncrement != nullptr) covIncrement_.SetValue(*covIncrement);
    valid_ = true;
    return true;
}

uint16_t BACnetCOVSubscription::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid prameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    const char* failure = nullptr;
    if (!Codec::DecodeRequired(recipient_, cursor, outcome, kRecipientTag)) {
        failure = "Failed to decode recipient";
    } else if (!Codec::DecodeRequired(monitoredPropertyReference_, cursor, outcome, kMonitoredPropertyReferenceTag)) {
        failure = "Failed to decode monitoredPropertyReference";
    } else if (!Codec::DecodeRequired(issueConfirmedNotifications_, cursor, outcome,
                                      kIssueConfirmedNotificationsTag)) {
        failure = "Failed to decode issueConfirmedNotifications";
    } else if (!Codec::DecodeRequired(timeRemaining_, cursor, outcome, kTimeRemainingTag)) {
        failure = "Failed to decode timeRemaining";
    }
    if (failure != nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        Reset();
        return 0;
    }
    Codec::DecodeOptional(covIncrement_, cursor, outcome, kCOVIncrementTag);
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetCOVSubscription::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "BACnetCOVSubscription::Encode - Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__,
                      "BACnetCOVSubscription::Encode - Invalid BACnetPropertyReference object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    // The encoder reports with the decoder's wording.
    Codec::EncodeCursor cursor{buffer, room};
    const char* failure = nullptr;
    if (!Codec::EncodeContext(recipient_, cursor, outcome, kRecipientTag)) {
        failure = "Failed to decode recipient";
    } else if (!Codec::EncodeContext(monitoredPropertyReference_, cursor, outcome, kMonitoredPropertyReferenceTag)) {
        failure = "Failed to decode monitoredPropertyReference";
    } else if (!Codec::EncodeContext(issueConfirmedNotifications_, cursor, outcome,
                                     kIssueConfirmedNotificationsTag)) {
        failure = "Failed to decode issueConfirmedNotifications";
    } else if (!Codec::EncodeContext(timeRemaining_, cursor, outcome, kTimeRemainingTag)) {
        failure = "Failed to decode timeRemaining";
    } else if (covIncrement_.IsValid() && !Codec::EncodeContext(covIncrement_, cursor, outcome, kCOVIncrementTag)) {
        failure = "Failed to decode covIncrement";
    }
    if (failure != nullptr) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetCOVSubscription::Clone() const { return Codec::CopyOf(*this); }

void BACnetCOVSubscription::Reset() {
    recipient_.Reset();
    monitoredPropertyReference_.Reset();
    Codec::ResetContextMember(issueConfirmedNotifications_, kIssueConfirmedNotificationsTag);
    Codec::ResetContextMember(timeRemaining_, kTimeRemainingTag);
    Codec::ResetContextMember(covIncrement_, kCOVIncrementTag);
    valid_ = false;
}

bool BACnetCOVSubscription::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetCOVSubscription*>(other);
    return same != nullptr && Codec::SameOptional(recipient_, same->recipient_) &&
           Codec::SameOptional(monitoredPropertyReference_, same->monitoredPropertyReference_) &&
           Codec::SameOptional(issueConfirmedNotifications_, same->issueConfirmedNotifications_) &&
           Codec::SameOptional(timeRemaining_, same->timeRemaining_) &&
           Codec::SameOptional(covIncrement_, same->covIncrement_);
}

bool BACnetCOVSubscription::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&recipient_, {}, kRecipientTag));
    children.push_back(
        MakeRenderChild(&monitoredPropertyReference_, "MonitoredPropertyReference", kMonitoredPropertyReferenceTag));
    children.push_back(MakeRenderChild(&issueConfirmedNotifications_, "IssueConfirmedNotifications",
                                       kIssueConfirmedNotificationsTag));
    children.push_back(MakeRenderChild(&timeRemaining_, "TimeRemaining", kTimeRemainingTag));
    children.push_back(MakeRenderChild(&covIncrement_, "COVIncrement", kCOVIncrementTag));
    return true;
}

}  // namespace ZalvoBACnetStack
