#include "core/bacnetprimitivereal.h"

#include <bit>
#include <cmath>
#include <cstdio>

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivereal";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveREAL::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveREAL::Encode";
constexpr const char* kInvalidObject = "Invalid primitive enum object";
}  // namespace

uint16_t BACnetPrimitiveREAL::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    uint64_t contents = 0;
    uint32_t contentLength = 0;
    const char* failure = nullptr;
    const uint16_t used =
        DecodeNumber(buffer, length, outcome, Datatype::kReal, kContentLength, contents, contentLength, failure);
    if (used == 0) {
        if (failure != nullptr) StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    value_ = std::bit_cast<float>(static_cast<uint32_t>(contents));
    valid_ = true;
    return used;
}

uint16_t BACnetPrimitiveREAL::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    const char* failure = nullptr;
    const uint16_t written =
        EncodeNumber(buffer, room, outcome, kContentLength, std::bit_cast<uint32_t>(value_), kInvalidObject, failure);
    if (written == 0) StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
    return written;
}

bool BACnetPrimitiveREAL::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != Datatype::kReal) return false;
    const auto* same = dynamic_cast<const BACnetPrimitiveREAL*>(other);
    return same != nullptr && same->value_ == value_;
}

bool BACnetPrimitiveREAL::GetAttributes(RenderAttributes& attributes) const {
    BACnetPrimitiveBase::GetAttributes(attributes);
    attributes["value"] = FormatNumber(value_);
    return true;
}

std::string BACnetPrimitiveREAL::FormatNumber(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char text[32];
    const int size = std::snprintf(text, sizeof text, "%g", value);
    return std::string(text, size > 0 ? static_cast<size_t>(size) : 0);
}

}  // namespace ZalvoBACnetStack
