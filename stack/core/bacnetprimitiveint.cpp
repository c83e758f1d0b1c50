#include "core/bacnetprimitiveint.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitiveint";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveINT::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveINT::Encode";
constexpr const char* kInvalidObject = "Invalid primitive integer object";
}  // namespace

uint16_t BACnetPrimitiveINT::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    uint64_t contents = 0;
    uint32_t contentLength = 0;
    const char* failure = nullptr;
    const uint16_t used = DecodeNumber(buffer, length, outcome, Datatype::kSigned, 0, contents, contentLength, failure);
    if (used == 0) {
        if (failure != nullptr) StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    // Move the first content octet's top bit to bit 31, then shift back
    // arithmetically to extend the sign.
    const unsigned unusedBits = 32 - 8 * contentLength;
    value_ = static_cast<int32_t>(static_cast<uint32_t>(contents) << unusedBits) >> unusedBits;
    valid_ = true;
    return used;
}

uint16_t BACnetPrimitiveINT::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    // The decoded length is kept; a length that could not have been decoded
    // falls back to the shortest form.
    uint32_t contentLength = tag_.lengthValueType;
    if (contentLength == 0 || contentLength > 4) contentLength = ContentLength(value_);
    const char* failure = nullptr;
    const uint16_t written =
        EncodeNumber(buffer, room, outcome, contentLength, static_cast<uint32_t>(value_), kInvalidObject, failure);
    if (written == 0) StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
    return written;
}

bool BACnetPrimitiveINT::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != Datatype::kSigned) return false;
    const auto* same = dynamic_cast<const BACnetPrimitiveINT*>(other);
    return same != nullptr && same->value_ == value_;
}

bool BACnetPrimitiveINT::GetAttributes(RenderAttributes& attributes) const {
    BACnetPrimitiveBase::GetAttributes(attributes);
    attributes["value"] = std::to_string(value_);
    return true;
}

}  // namespace ZalvoBACnetStack
