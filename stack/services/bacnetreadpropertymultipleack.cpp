#include "services/bacnetreadpropertymultipleack.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetreadpropertymultipleack";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetReadPropertyMultipleACK::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetReadPropertyMultipleACK::Encode";
constexpr const char* kInsert = "ZalvoBACnetStack::BACnetReadPropertyMultipleACK::InsertReadAccessResult";
using Codec = BACnetServiceCodec;
}  // namespace

bool BACnetReadPropertyMultipleACK::InsertReadAccessResult(const BACnetReadAccessResult& result) {
    if (!listOfReadAccessResults_.Add(result)) {
        StackErrorLog(kInsert, kSource, __LINE__, "Failed to insert read access result into list");
        return false;
    }
    valid_ = true;
    return true;
}

uint16_t BACnetReadPropertyMultipleACK::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    const uint16_t used = listOfReadAccessResults_.Decode(buffer, length, outcome);
    if (used == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode listOfReadAccessResults");
        Reset();
        return 0;
    }
    valid_ = true;
    return used;
}

uint16_t BACnetReadPropertyMultipleACK::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    const uint16_t written = listOfReadAccessResults_.Encode(buffer, room, outcome);
    if (written == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode listOfReadAccessResults");
        return 0;
    }
    return written;
}

std::unique_ptr<ICodable> BACnetReadPropertyMultipleACK::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetReadPropertyMultipleACK::Reset() {
    listOfReadAccessResults_.Reset();
    valid_ = false;
}

bool BACnetReadPropertyMultipleACK::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetReadPropertyMultipleACK*>(other);
    return same != nullptr && listOfReadAccessResults_.IsEqual(&same->listOfReadAccessResults_);
}

bool BACnetReadPropertyMultipleACK::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&listOfReadAccessResults_));
    return true;
}

}  // namespace ZalvoBACnetStack
