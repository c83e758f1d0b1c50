#include "core/bacnetprimitiveobjectidentifier.h"

#include "core/stackerrorlog.h"
#include "render/bacnetnametables.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitiveobjectidentifier";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveObjectIdentifier::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveObjectIdentifier::Encode";
constexpr const char* kInvalidObject = "Invalid primitive object identifier object";
}  // namespace

uint16_t BACnetPrimitiveObjectIdentifier::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    uint64_t contents = 0;
    uint32_t contentLength = 0;
    const char* failure = nullptr;
    const uint16_t used = DecodeNumber(buffer, length, outcome, Datatype::kObjectIdentifier, kContentLength, contents,
                                       contentLength, failure);
    if (used == 0) {
        if (failure != nullptr) StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    value_ = static_cast<uint32_t>(contents);
    valid_ = true;
    return used;
}

uint16_t BACnetPrimitiveObjectIdentifier::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    const char* failure = nullptr;
    const uint16_t written = EncodeNumber(buffer, room, outcome, kContentLength, value_, kInvalidObject, failure);
    if (written == 0) StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
    return written;
}

bool BACnetPrimitiveObjectIdentifier::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != Datatype::kObjectIdentifier) return false;
    const auto* same = dynamic_cast<const BACnetPrimitiveObjectIdentifier*>(other);
    return same != nullptr && same->value_ == value_;
}

std::string BACnetPrimitiveObjectIdentifier::GetElementText() const {
    std::string text = NameTables::ObjectType().Name(GetObjectType());
    text += ", ";
    text += std::to_string(GetInstance());
    return text;
}

bool BACnetPrimitiveObjectIdentifier::GetAttributes(RenderAttributes& attributes) const {
    BACnetPrimitiveBase::GetAttributes(attributes);
    attributes["objectType"] = std::to_string(GetObjectType());
    attributes["objectInstance"] = std::to_string(GetInstance());
    return true;
}

}  // namespace ZalvoBACnetStack
