#include "core/bacnetprimitiveuint.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitiveuint";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveUINT::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveUINT::Encode";
constexpr const char* kInvalidObject = "Invalid primitive enum object";
}  // namespace

uint16_t BACnetPrimitiveUINT::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    uint64_t contents = 0;
    uint32_t contentLength = 0;
    const char* failure = nullptr;
    const uint16_t used =
        DecodeNumber(buffer, length, outcome, Datatype::kUnsigned, 0, contents, contentLength, failure);
    if (used == 0) {
        if (failure != nullptr) StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    value_ = static_cast<uint32_t>(contents);
    valid_ = true;
    return used;
}

uint16_t BACnetPrimitiveUINT::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    // The decoded length is kept; a length that could not have been decoded
    // falls back to the shortest form.
    uint32_t contentLength = tag_.lengthValueType;
    if (contentLength == 0 || contentLength > 4) contentLength = ContentLength(value_);
    const char* failure = nullptr;
    const uint16_t written = EncodeNumber(buffer, room, outcome, contentLength, value_, kInvalidObject, failure);
    if (written == 0) StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
    return written;
}

bool BACnetPrimitiveUINT::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != Datatype::kUnsigned) return false;
    const auto* same = dynamic_cast<const BACnetPrimitiveUINT*>(other);
    return same != nullptr && same->value_ == value_;
}

bool BACnetPrimitiveUINT::GetAttributes(RenderAttributes& attributes) const {
    BACnetPrimitiveBase::GetAttributes(attributes);
    attributes["value"] = std::to_string(value_);
    return true;
}

}  // namespace ZalvoBACnetStack
