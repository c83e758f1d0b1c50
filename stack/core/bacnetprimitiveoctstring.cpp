#include "core/bacnetprimitiveoctstring.h"

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitiveoctstring";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveOctSTRING::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveOctSTRING::Encode";
// Smallest room worth trying: a one-octet header and one octet more.
constexpr uint16_t kMinimumRoom = 2;
constexpr const char* kTagFailure = "Could not extract BACnet Tag";
}  // namespace

void BACnetPrimitiveOctSTRING::SetValue(const uint8_t* octets, size_t count) {
    if (octets == nullptr) count = 0;
    value_.assign(octets, octets + count);
    MarkAssigned(static_cast<uint32_t>(value_.size()));
}

void BACnetPrimitiveOctSTRING::SetValue(std::vector<uint8_t> octets) {
    value_ = std::move(octets);
    MarkAssigned(static_cast<uint32_t>(value_.size()));
}

uint16_t BACnetPrimitiveOctSTRING::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length == 0) {
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    uint32_t contentLength = 0;
    const char* failure = nullptr;
    const uint16_t headerSize =
        DecodeStringHeader(buffer, length, outcome, Datatype::kOctetString, kTagFailure, contentLength, failure);
    if (headerSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    BACnetStackOctetReader reader(buffer, length);
    reader.Skip(headerSize);
    value_.assign(reader.Current(), reader.Current() + contentLength);
    reader.Skip(contentLength);
    valid_ = true;
    return static_cast<uint16_t>(reader.Position());
}

uint16_t BACnetPrimitiveOctSTRING::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (room < kMinimumRoom) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    uint8_t header[BACnetTag::kMaxHeaderSize];
    const uint16_t headerSize = BuildHeader(static_cast<uint32_t>(value_.size()), room, header);
    if (headerSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode the tag");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (size_t{room} - headerSize <= value_.size()) {
        StackErrorLog(kEncode, kSource, __LINE__,
                      "Error insufficient space. max_length=[%d], message_offset=[%d], value.size=[%d]", int{room},
                      int{headerSize}, static_cast<int>(value_.size()));
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteBytes(header, headerSize);
    writer.WriteBytes(value_.data(), value_.size());
    return static_cast<uint16_t>(writer.Position());
}

void BACnetPrimitiveOctSTRING::Reset() {
    value_.clear();
    ResetPrimitive(Datatype::kOctetString);
}

bool BACnetPrimitiveOctSTRING::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != Datatype::kOctetString) return false;
    const auto* same = dynamic_cast<const BACnetPrimitiveOctSTRING*>(other);
    return same != nullptr && same->value_ == value_;
}

std::string BACnetPrimitiveOctSTRING::GetElementText() const {
    if (value_.empty()) return {};
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(2 + 2 * value_.size());
    text += "0x";
    for (const uint8_t octet : value_) {
        text += kDigits[octet >> 4];
        text += kDigits[octet & 0x0F];
    }
    return text;
}

bool BACnetPrimitiveOctSTRING::GetAttributes(RenderAttributes& attributes) const {
    BACnetPrimitiveBase::GetAttributes(attributes);
    attributes["length"] = std::to_string(value_.size());
    return true;
}

}  // namespace ZalvoBACnetStack
