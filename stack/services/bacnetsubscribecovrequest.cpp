#include "services/bacnetsubscribecovrequest.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetsubscribecovrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetSubscribeCOVRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetSubscribeCOVRequest::Encode";
constexpr const char* kSet = "ZalvoBACnetStack::BACnetSubscribeCOVRequest::SetSubscribeCOVRequest";
constexpr uint8_t kSubscriberProcessIdentifierTag = 0;
constexpr uint8_t kMonitoredObjectIdentifierTag = 1;
constexpr uint8_t kIssueConfirmedNotificationsTag = 2;
constexpr uint8_t kLifetimeTag = 3;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetSubscribeCOVRequest::BACnetSubscribeCOVRequest() { Reset(); }

uint16_t BACnetSubscribeCOVRequest::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (!Codec::DecodeRequired(subscriberProcessIdentifier_, cursor, outcome, kSubscriberProcessIdentifierTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode subscriberProcessIdentifier");
        Reset();
        return 0;
    }
    if (!Codec::DecodeRequired(monitoredObjectIdentifier_, cursor, outcome, kMonitoredObjectIdentifierTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode monitoredObjectIdentifier");
        Reset();
        return 0;
    }
    Codec::DecodeOptional(issueConfirmedNotifications_, cursor, outcome, kIssueConfirmedNotificationsTag);
    Codec::DecodeOptional(lifetime_, cursor, outcome, kLifetimeTag);
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetSubscribeCOVRequest::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetPropertyReference object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (!Codec::EncodeContext(subscriberProcessIdentifier_, cursor, outcome, kSubscriberProcessIdentifierTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode subscriberProcessIdentifier");
        return 0;
    }
    if (!Codec::EncodeContext(monitoredObjectIdentifier_, cursor, outcome, kMonitoredObjectIdentifierTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode monitoredObjectIdentifier");
        return 0;
    }
    if (issueConfirmedNotifications_.IsValid() &&
        !Codec::EncodeContext(issueConfirmedNotifications_, cursor, outcome, kIssueConfirmedNotificationsTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode issueConfirmedNotifications");
        return 0;
    }
    if (lifetime_.IsValid() && !Codec::EncodeContext(lifetime_, cursor, outcome, kLifetimeTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode lifetime");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetSubscribeCOVRequest::Clone() const { return Codec::CopyOf(*this); }

void BACnetSubscribeCOVRequest::Reset() {
    Codec::ResetContextMember(subscriberProcessIdentifier_, kSubscriberProcessIdentifierTag);
    Codec::ResetContextMember(monitoredObjectIdentifier_, kMonitoredObjectIdentifierTag);
    Codec::ResetContextMember(issueConfirmedNotifications_, kIssueConfirmedNotificationsTag);
    Codec::ResetContextMember(lifetime_, kLifetimeTag);
    valid_ = false;
}

bool BACnetSubscribeCOVRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetSubscribeCOVRequest*>(other);
    return same != nullptr && same->valid_ == valid_ &&
           subscriberProcessIdentifier_.IsEqual(&same->subscriberProcessIdentifier_) &&
           monitoredObjectIdentifier_.IsEqual(&same->monitoredObjectIdentifier_) &&
           Codec::SameOptional(issueConfirmedNotifications_, same->issueConfirmedNotifications_) &&
           Codec::SameOptional(lifetime_, same->lifetime_);
}

bool BACnetSubscribeCOVRequest::GetChildren(RenderChildren& children) const {
    // The optional members are listed whether present or not.
    children.push_back(
        MakeRenderChild(&subscriberProcessIdentifier_, "SubscriberProcessIdentifier", kSubscriberProcessIdentifierTag));
    children.push_back(
        MakeRenderChild(&monitoredObjectIdentifier_, "MonitoredObjectIdentifier", kMonitoredObjectIdentifierTag));
    children.push_back(MakeRenderChild(&issueConfirmedNotifications_, "IssueConfirmedNotifications",
                                       kIssueConfirmedNotificationsTag));
    children.push_back(MakeRenderChild(&lifetime_, "Lifetime", kLifetimeTag));
    return true;
}

bool BACnetSubscribeCOVRequest::SetSubscribeCOVRequest(const BACnetPrimitiveUINT& subscriberProcessIdentifier,
                                                       const BACnetPrimitiveObjectIdentifier& monitoredObjectIdentifier,
                                                       const BACnetPrimitiveBOOL* issueConfirmedNotifications,
                                                       const BACnetPrimitiveUINT* lifetime) {
    Reset();
    if (!subscriberProcessIdentifier.IsValid()) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the subscriber process identifier");
    } else if (!monitoredObjectIdentifier.IsValid()) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the monitored object identifier");
    } else if ((issueConfirmedNotifications == nullptr || issueConfirmedNotifications->IsValid()) &&
               (lifetime == nullptr || lifetime->IsValid())) {
        subscriberProcessIdentifier_.SetValue(subscriberProcessIdentifier.GetValue());
        monitoredObjectIdentifier_.SetRawValue(monitoredObjectIdentifier.GetRawValue());
        if (issueConfirmedNotifications != nullptr)
            issueConfirmedNotifications_.SetValue(issueConfirmedNotifications->GetValue());
        if (lifetime != nullptr) lifetime_.SetValue(lifetime->GetValue());
        valid_ = true;
        return true;
    }
    StackErrorLog(kSet, kSource, __LINE__, "Failed to set the subscribe cov request");
    Reset();
    return false;
}

void BACnetSubscribeCOVRequest::SetSubscribeCOVRequest(uint32_t subscriberProcessIdentifier, uint16_t objectType,
                                                       uint32_t objectInstance,
                                                       std::optional<bool> issueConfirmedNotifications,
                                                       std::optional<uint32_t> lifetime) {
    Reset();
    subscriberProcessIdentifier_.SetValue(subscriberProcessIdentifier);
    monitoredObjectIdentifier_.SetValue(objectType, objectInstance);
    if (issueConfirmedNotifications) issueConfirmedNotifications_.SetValue(*issueConfirmedNotifications);
    if (lifetime) lifetime_.SetValue(*lifetime);
    valid_ = true;
}

}  // namespace ZalvoBACnetStack
