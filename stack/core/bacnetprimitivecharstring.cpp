#include "core/bacnetprimitivecharstring.h"

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivecharstring";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveCharSTRING::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveCharSTRING::Encode";
// Smallest room worth trying: a one-octet header and the character set.
constexpr uint16_t kMinimumRoom = 2;
constexpr const char* kTagFailure = "Could not extract BACnet Tag";
}  // namespace

void BACnetPrimitiveCharSTRING::SetValue(std::string_view bytes, uint8_t characterSet) {
    value_.assign(bytes.data(), bytes.size());
    characterSet_ = characterSet;
    MarkAssigned(static_cast<uint32_t>(value_.size() + 1));
}

uint16_t BACnetPrimitiveCharSTRING::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length == 0) {
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    uint32_t contentLength = 0;
    const char* failure = nullptr;
    const uint16_t headerSize =
        DecodeStringHeader(buffer, length, outcome, Datatype::kCharacterString, kTagFailure, contentLength, failure);
    if (headerSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    BACnetStackOctetReader reader(buffer, length);
    reader.Skip(headerSize);
    // The character-set octet is part of every CharacterString.
    if (contentLength == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Missing character set octet");
        SetReject(outcome, kRejectParameterOutOfRange);
        Reset();
        return 0;
    }
    uint8_t characterSet = 0;
    reader.ReadU8(characterSet);
    const char* bytes = reinterpret_cast<const char*>(reader.Current());
    value_.assign(bytes, contentLength - 1);
    reader.Skip(contentLength - 1);
    characterSet_ = characterSet;
    valid_ = true;
    return static_cast<uint16_t>(reader.Position());
}

uint16_t BACnetPrimitiveCharSTRING::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid prameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (room < kMinimumRoom) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    const size_t contentLength = value_.size() + 1;
    uint8_t header[BACnetTag::kMaxHeaderSize];
    const uint16_t headerSize = BuildHeader(static_cast<uint32_t>(contentLength), room, header);
    if (headerSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "size<=0");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (size_t{room} - headerSize <= contentLength) {
        StackErrorLog(kEncode, kSource, __LINE__,
                      "Error_insufficient_space. max_length=[%d], message_offset=[%d], value.size+encoding=[%d]",
                      int{room}, int{headerSize}, static_cast<int>(contentLength));
        StackErrorLog(kEncode, kSource, __LINE__, "Value=[%s]", value_.c_str());
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteBytes(header, headerSize);
    writer.WriteU8(characterSet_);
    writer.WriteBytes(reinterpret_cast<const uint8_t*>(value_.data()), value_.size());
    return static_cast<uint16_t>(writer.Position());
}

void BACnetPrimitiveCharSTRING::Reset() {
    value_.clear();
    characterSet_ = kUTF8;
    ResetPrimitive(Datatype::kCharacterString);
}

bool BACnetPrimitiveCharSTRING::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != Datatype::kCharacterString) return false;
    const auto* same = dynamic_cast<const BACnetPrimitiveCharSTRING*>(other);
    return same != nullptr && same->characterSet_ == characterSet_ && same->value_ == value_;
}

bool BACnetPrimitiveCharSTRING::GetAttributes(RenderAttributes& attributes) const {
    BACnetPrimitiveBase::GetAttributes(attributes);
    attributes["encoding"] = std::to_string(characterSet_);
    attributes["length"] = std::to_string(value_.size());
    return true;
}

}  // namespace ZalvoBACnetStack
