#include "core/bacnetprimitivedouble.h"

#include <bit>

#include "core/bacnetprimitivereal.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivedouble";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveDOUBLE::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveDOUBLE::Encode";
constexpr const char* kInvalidObject = "Invalid primitive enum object";
}  // namespace

uint16_t BACnetPrimitiveDOUBLE::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    uint64_t contents = 0;
    uint32_t contentLength = 0;
    const char* failure = nullptr;
    const uint16_t used =
        DecodeNumber(buffer, length, outcome, Datatype::kDouble, kContentLength, contents, contentLength, failure);
    if (used == 0) {
        if (failure != nullptr) StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    value_ = std::bit_cast<double>(contents);
    valid_ = true;
    return used;
}

uint16_t BACnetPrimitiveDOUBLE::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    const char* failure = nullptr;
    const uint16_t written =
        EncodeNumber(buffer, room, outcome, kContentLength, std::bit_cast<uint64_t>(value_), kInvalidObject, failure);
    if (written == 0) StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
    return written;
}

bool BACnetPrimitiveDOUBLE::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != Datatype::kDouble) return false;
    const auto* same = dynamic_cast<const BACnetPrimitiveDOUBLE*>(other);
    return same != nullptr && same->value_ == value_;
}

std::string BACnetPrimitiveDOUBLE::GetElementText() const { return BACnetPrimitiveREAL::FormatNumber(value_); }

bool BACnetPrimitiveDOUBLE::GetAttributes(RenderAttributes& attributes) const {
    BACnetPrimitiveBase::GetAttributes(attributes);
    attributes["value"] = BACnetPrimitiveREAL::FormatNumber(value_);
    return true;
}

}  // namespace ZalvoBACnetStack
