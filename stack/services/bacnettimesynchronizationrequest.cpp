#include "services/bacnettimesynchronizationrequest.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnettimesynchronizationrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetTimeSynchronizationRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetTimeSynchronizationRequest::Encode";
constexpr const char* kSetDateTime = "ZalvoBACnetStack::BACnetTimeSynchronizationRequest::SetDateTime";
using Codec = BACnetServiceCodec;
}  // namespace

uint16_t BACnetTimeSynchronizationRequest::Decode(const uint8_t* buffer, uint16_t length,
                                                  BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    const uint16_t used = dateTime_.Decode(buffer, length, outcome);
    if (used == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode datetime");
        Reset();
        return 0;
    }
    valid_ = true;
    return used;
}

uint16_t BACnetTimeSynchronizationRequest::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid TimeSynchronizationRequest object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const uint16_t written = dateTime_.Encode(buffer, room, outcome);
    if (written == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode datetime");
        return 0;
    }
    return written;
}

std::unique_ptr<ICodable> BACnetTimeSynchronizationRequest::Clone() const { return Codec::CopyOf(*this); }

void BACnetTimeSynchronizationRequest::Reset() {
    dateTime_.Reset();
    valid_ = false;
}

bool BACnetTimeSynchronizationRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* request = dynamic_cast<const BACnetTimeSynchronizationRequest*>(other);
    return request != nullptr && request->valid_ == valid_ && Codec::SameOptional(request->dateTime_, dateTime_);
}

bool BACnetTimeSynchronizationRequest::GetChildren(RenderChildren& children) const {
    if (!dateTime_.IsValid()) return false;
    children.push_back(MakeRenderChild(&dateTime_));
    return true;
}

bool BACnetTimeSynchronizationRequest::SetDateTime(const BACnetDateTime& dateTime) {
    if (!dateTime.IsValid() || !dateTime_.SetDateTime(dateTime.GetDate(), dateTime.GetTime())) {
        StackErrorLog(kSetDateTime, kSource, __LINE__, "Failed to set the datetime");
        return false;
    }
    valid_ = true;
    return true;
}

}  // namespace ZalvoBACnetStack
