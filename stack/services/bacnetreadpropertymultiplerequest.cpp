#include "services/bacnetreadpropertymultiplerequest.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetreadpropertymultiplerequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetReadPropertyMultipleRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetReadPropertyMultipleRequest::Encode";
constexpr const char* kInsert = "ZalvoBACnetStack::BACnetReadPropertyMultipleRequest::InsertReadAccessSpecification";
using Codec = BACnetServiceCodec;
}  // namespace

bool BACnetReadPropertyMultipleRequest::InsertReadAccessSpecification(
    const BACnetReadAccessSpecification& accessSpecification) {
    if (!listOfReadAccessSpecifications_.Add(accessSpecification)) {
        StackErrorLog(kInsert, kSource, __LINE__, "Failed to insert read access specification into list");
        return false;
    }
    valid_ = true;
    return true;
}

uint16_t BACnetReadPropertyMultipleRequest::Decode(const uint8_t* buffer, uint16_t length,
                                                   BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    const uint16_t used = listOfReadAccessSpecifications_.Decode(buffer, length, outcome);
    if (used == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode listOfReadAccessSpecifications");
        Reset();
        return 0;
    }
    valid_ = true;
    return used;
}

uint16_t BACnetReadPropertyMultipleRequest::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    const uint16_t written = listOfReadAccessSpecifications_.Encode(buffer, room, outcome);
    if (written == 0) {
        // Reported with the decoder's wording.
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to decode listOfReadAccessSpecifications");
        return 0;
    }
    return written;
}

std::unique_ptr<ICodable> BACnetReadPropertyMultipleRequest::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetReadPropertyMultipleRequest::Reset() {
    listOfReadAccessSpecifications_.Reset();
    valid_ = false;
}

bool BACnetReadPropertyMultipleRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetReadPropertyMultipleRequest*>(other);
    return same != nullptr && listOfReadAccessSpecifications_.IsEqual(&same->listOfReadAccessSpecifications_);
}

bool BACnetReadPropertyMultipleRequest::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&listOfReadAccessSpecifications_));
    return true;
}

}  // namespace ZalvoBACnetStack
