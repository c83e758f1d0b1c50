#include "services/bacnetwritepropertymultiplerequest.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetwritepropertymultiplerequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetWritePropertyMultipleRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetWritePropertyMultipleRequest::Encode";
constexpr const char* kInsert =
    "ZalvoBACnetStack::BACnetWritePropertyMultipleRequest::InsertWriteAccessSpecification";
using Codec = BACnetServiceCodec;
}  // namespace

bool BACnetWritePropertyMultipleRequest::InsertWriteAccessSpecification(
    const BACnetWriteAccessSpecification& accessSpecification) {
    if (!list_.InsertWriteAccessSpecification(accessSpecification)) {
        StackErrorLog(kInsert, kSource, __LINE__, "Failed to insert write access specification into list");
        return false;
    }
    valid_ = true;
    return true;
}

uint16_t BACnetWritePropertyMultipleRequest::Decode(const uint8_t* buffer, uint16_t length,
                                                    BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    const uint16_t used = list_.Decode(buffer, length, outcome);
    if (used == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode listOfWriteAccessSpecifications");
        Reset();
        return 0;
    }
    valid_ = true;
    return used;
}

uint16_t BACnetWritePropertyMultipleRequest::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    const uint16_t used = list_.Encode(buffer, room, outcome);
    if (used == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode listOfWriteAccessSpecifications");
        return 0;
    }
    return used;
}

std::unique_ptr<ICodable> BACnetWritePropertyMultipleRequest::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    // A value in the list may have failed to copy when memory ran out.
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetWritePropertyMultipleRequest::Reset() {
    list_.Reset();
    valid_ = false;
}

bool BACnetWritePropertyMultipleRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetWritePropertyMultipleRequest*>(other);
    return same != nullptr && same->valid_ == valid_ && list_.IsEqual(&same->list_);
}

bool BACnetWritePropertyMultipleRequest::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&list_));
    return true;
}

}  // namespace ZalvoBACnetStack
