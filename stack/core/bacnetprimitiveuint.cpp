#include "core/bacnetprimitiveuint.h"

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitiveuint";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveUINT::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveUINT::Encode";
}  // namespace

uint16_t BACnetPrimitiveUINT::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    const uint16_t headerSize = tag_.Decode(buffer, length);
    if (headerSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Can not extract Property length ");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    if (!tag_.IsContext() && tag_.tagNumber != Datatype::kUnsigned) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid application tag");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    const uint32_t contentLength = tag_.lengthValueType;
    if (contentLength == 0 || contentLength > 4) {
        StackErrorLog(kDecode, kSource, __LINE__, "Tag value out of range");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    BACnetStackOctetReader reader(buffer, length);
    uint64_t value = 0;
    if (!reader.Skip(headerSize) || !reader.ReadUnsigned(contentLength, value)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Message is to short. ");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    value_ = static_cast<uint32_t>(value);
    valid_ = true;
    return static_cast<uint16_t>(reader.Position());
}

uint16_t BACnetPrimitiveUINT::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid primitive enum object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    // The decoded length is kept; a length that could not have been decoded
    // falls back to the shortest form.
    uint32_t contentLength = tag_.lengthValueType;
    if (contentLength == 0 || contentLength > 4) contentLength = ContentLength(value_);
    uint8_t header[BACnetTag::kMaxHeaderSize];
    const uint16_t headerSize = BuildHeader(contentLength, BACnetTag::kMaxHeaderSize, header);
    if (headerSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Could not encode BACnet Tag");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (room < headerSize + contentLength) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteBytes(header, headerSize);
    writer.WriteUnsigned(contentLength, value_);
    return static_cast<uint16_t>(writer.Position());
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
