#include "core/bacnetprimitiveenum.h"

#include <new>

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitiveenum";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveENUM::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveENUM::Encode";

constexpr uint32_t kMaxContentLength = 4;
}  // namespace

uint16_t BACnetPrimitiveENUM::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    uint64_t contents = 0;
    uint32_t contentLength = 0;
    const char* failure = nullptr;
    const uint16_t used =
        DecodeNumber(buffer, length, outcome, Datatype::kEnumerated, 0, contents, contentLength, failure);
    if (used == 0) {
        if (failure != nullptr) StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    // Keep the decoded content length: a re-encode writes the octets it read.
    value_ = static_cast<uint32_t>(contents);
    MarkAssigned(contentLength);
    return used;
}

uint16_t BACnetPrimitiveENUM::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const uint32_t contentLength = tag_.lengthValueType;
    if (!valid_ || contentLength == 0 || contentLength > kMaxContentLength) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid primitive enum object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    // A content length of 1 to 4 fits the first octet; only an extended tag
    // number takes a second header octet.
    const uint32_t headerSize = tag_.tagNumber >= BACnetTag::kExtendedTagNumber ? 2u : 1u;
    if (uint32_t{room} < headerSize + contentLength) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    const uint16_t header = tag_.Encode(buffer, room);
    if (header == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Could not encode BACnet Tag");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer + header, static_cast<size_t>(room - header));
    if (!writer.WriteUnsigned(contentLength, value_)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    return static_cast<uint16_t>(header + contentLength);
}

std::unique_ptr<ICodable> BACnetPrimitiveENUM::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetPrimitiveENUM(*this));
}

bool BACnetPrimitiveENUM::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != Datatype::kEnumerated) return false;
    const auto* enumerated = dynamic_cast<const BACnetPrimitiveENUM*>(other);
    return enumerated != nullptr && enumerated->value_ == value_;
}

const BACnetNameTable& BACnetPrimitiveENUM::GetNameTable() const {
    static const BACnetNameTable empty(nullptr, 0);
    return empty;
}

bool BACnetPrimitiveENUM::GetAttributes(RenderAttributes& attributes) const {
    BACnetPrimitiveBase::GetAttributes(attributes);
    attributes["value"] = std::to_string(value_);
    return true;
}

}  // namespace ZalvoBACnetStack
