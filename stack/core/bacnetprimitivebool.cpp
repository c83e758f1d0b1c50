#include "core/bacnetprimitivebool.h"

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivebool";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveBOOL::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveBOOL::Encode";
}  // namespace

void BACnetPrimitiveBOOL::SetValue(bool value) {
    value_ = value;
    MarkAssigned(tag_.IsContext() ? 1u : (value ? 1u : 0u));
}

void BACnetPrimitiveBOOL::SetContextTag(uint8_t tagNumber) {
    BACnetPrimitiveBase::SetContextTag(tagNumber);
    tag_.lengthValueType = 1;
}

uint16_t BACnetPrimitiveBOOL::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    BACnetStackOctetReader reader(buffer, length);
    const uint16_t headerSize = tag_.Decode(buffer, length);
    if (headerSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Can not extract Property length ");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    reader.Skip(headerSize);
    if (!tag_.IsContext()) {
        if (tag_.tagNumber != Datatype::kBoolean) {
            StackErrorLog(kDecode, kSource, __LINE__, "Invalid tag number fo application boolean");
            SetReject(outcome, kRejectInvalidTag);
            Reset();
            return 0;
        }
        if (tag_.lengthValueType > 1) {
            StackErrorLog(kDecode, kSource, __LINE__, "Invalid value for application boolean");
            SetReject(outcome, kRejectInvalidTag);
            Reset();
            return 0;
        }
        value_ = tag_.lengthValueType == 1;
        valid_ = true;
        return headerSize;
    }
    uint8_t octet = 0;
    if (!reader.ReadU8(octet)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Message is to short. ");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    if (octet > 1) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid value for context boolean");
        SetReject(outcome, kRejectInvalidParameterDatatype);
        Reset();
        return 0;
    }
    value_ = octet == 1;
    valid_ = true;
    return static_cast<uint16_t>(reader.Position());
}

uint16_t BACnetPrimitiveBOOL::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid primitive boolean object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const bool context = tag_.IsContext();
    uint8_t header[BACnetTag::kMaxHeaderSize];
    const uint16_t headerSize = BuildHeader(context ? 1u : (value_ ? 1u : 0u), room, header);
    if (headerSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Could not encode BACnet Tag");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (context && room < headerSize + 1) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteBytes(header, headerSize);
    if (context) writer.WriteU8(value_ ? 1 : 0);
    return static_cast<uint16_t>(writer.Position());
}

void BACnetPrimitiveBOOL::Reset() {
    value_ = false;
    ResetPrimitive(Datatype::kBoolean);
}

bool BACnetPrimitiveBOOL::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != Datatype::kBoolean) return false;
    const auto* same = dynamic_cast<const BACnetPrimitiveBOOL*>(other);
    return same != nullptr && same->value_ == value_;
}

bool BACnetPrimitiveBOOL::GetAttributes(RenderAttributes& attributes) const {
    BACnetPrimitiveBase::GetAttributes(attributes);
    attributes["value"] = std::string(1, value_ ? '1' : '0');
    return true;
}

}  // namespace ZalvoBACnetStack
