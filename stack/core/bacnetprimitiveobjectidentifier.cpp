#include "core/bacnetprimitiveobjectidentifier.h"

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"
#include "render/bacnetnametables.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitiveobjectidentifier";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveObjectIdentifier::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveObjectIdentifier::Encode";
}  // namespace

uint16_t BACnetPrimitiveObjectIdentifier::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
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
    if (!tag_.IsContext() && tag_.tagNumber != Datatype::kObjectIdentifier) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid application tag");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    if (tag_.lengthValueType != kContentLength) {
        SetReject(outcome, kRejectParameterOutOfRange);
        Reset();
        return 0;
    }
    BACnetStackOctetReader reader(buffer, length);
    uint32_t value = 0;
    if (!reader.Skip(headerSize) || !reader.ReadU32(value)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Message is to short. ");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    value_ = value;
    valid_ = true;
    return static_cast<uint16_t>(reader.Position());
}

uint16_t BACnetPrimitiveObjectIdentifier::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid primitive object identifier object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (room < kContentLength + 1) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    uint8_t header[BACnetTag::kMaxHeaderSize];
    const uint16_t headerSize = BuildHeader(kContentLength, room, header);
    if (headerSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Could not encode BACnet Tag");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (room < headerSize + kContentLength) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteBytes(header, headerSize);
    writer.WriteU32(value_);
    return static_cast<uint16_t>(writer.Position());
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
