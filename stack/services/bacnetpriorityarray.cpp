#include "services/bacnetpriorityarray.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetpriorityarray";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPriorityArray::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPriorityArray::Encode";
constexpr const char* kGet = "ZalvoBACnetStack::BACnetPriorityArray::GetPriorityValue";
constexpr const char* kSet = "ZalvoBACnetStack::BACnetPriorityArray::SetPriorityValueAndTakeControl";
using Codec = BACnetServiceCodec;
}  // namespace

const BACnetPriorityValue* BACnetPriorityArray::GetPriorityValue(uint32_t index) const {
    if (index >= kSlots) {
        StackErrorLog(kGet, kSource, __LINE__, "Error - priority is out of range");
        return nullptr;
    }
    return &slots_[index];
}

bool BACnetPriorityArray::SetPriorityValueAndTakeControl(uint32_t index, std::unique_ptr<ICodable> value) {
    if (index >= kSlots) {
        StackErrorLog(kSet, kSource, __LINE__, "Error - priority is out of range");
        return false;
    }
    if (!slots_[index].SetPriorityValueAndTakeControl(std::move(value))) return false;
    valid_ = true;
    for (const BACnetPriorityValue& slot : slots_) valid_ = valid_ && slot.IsValid();
    return true;
}

uint16_t BACnetPriorityArray::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error - Invalid prameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    for (uint8_t index = 0; index < kSlots; ++index) {
        const uint16_t used = slots_[index].Decode(cursor.Here(), cursor.Left(), outcome);
        if (used == 0 || !cursor.Advance(used)) {
            StackErrorLog(kDecode, kSource, __LINE__,
                          "Error - error occurred during decode of priority value at index=[%u]", unsigned{index});
            Reset();
            return 0;
        }
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetPriorityArray::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error - Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error - Invalid BACnetPriorityValue object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    for (uint8_t index = 0; index < kSlots; ++index) {
        if (!Codec::EncodePlain(slots_[index], cursor, outcome)) {
            StackErrorLog(kEncode, kSource, __LINE__,
                          "Error - error occurred during encode of priority value at index=[%u]", unsigned{index});
            return 0;
        }
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetPriorityArray::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    if (copy == nullptr) return nullptr;
    // A slot whose value could not be copied makes the copy unusable.
    const auto& copied = static_cast<const BACnetPriorityArray&>(*copy);
    for (uint8_t index = 0; index < kSlots; ++index) {
        if (slots_[index].IsValid() != copied.slots_[index].IsValid()) return nullptr;
    }
    return copy;
}

void BACnetPriorityArray::Reset() {
    for (BACnetPriorityValue& slot : slots_) slot.Reset();
    valid_ = false;
}

bool BACnetPriorityArray::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetPriorityArray*>(other);
    if (same == nullptr) return false;
    for (uint8_t index = 0; index < kSlots; ++index) {
        if (!slots_[index].IsEqual(&same->slots_[index])) return false;
    }
    return true;
}

bool BACnetPriorityArray::GetAttributes(RenderAttributes& attributes) const {
    attributes["count"] = std::to_string(kSlots);
    return true;
}

bool BACnetPriorityArray::GetChildren(RenderChildren& children) const {
    for (uint8_t index = 0; index < kSlots; ++index)
        children.push_back(MakeRenderChild(&slots_[index], {}, index + 1u, "priority"));
    return true;
}

}  // namespace ZalvoBACnetStack
