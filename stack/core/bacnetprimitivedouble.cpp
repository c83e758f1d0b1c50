#include "core/bacnetprimitivedouble.h"

#include <bit>

#include "core/bacnetoctetstream.h"
#include "core/bacnetprimitivereal.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivedouble";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveDOUBLE::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveDOUBLE::Encode";
}  // namespace

uint16_t BACnetPrimitiveDOUBLE::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
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
    if (!tag_.IsContext() && tag_.tagNumber != Datatype::kDouble) {
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
    uint64_t bits = 0;
    if (!reader.Skip(headerSize) || !reader.ReadUnsigned(kContentLength, bits)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Message is to short. ");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    value_ = std::bit_cast<double>(bits);
    valid_ = true;
    return static_cast<uint16_t>(reader.Position());
}

uint16_t BACnetPrimitiveDOUBLE::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    uint8_t header[BACnetTag::kMaxHeaderSize];
    const uint16_t headerSize = BuildHeader(kContentLength, BACnetTag::kMaxHeaderSize, header);
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
    writer.WriteUnsigned(kContentLength, std::bit_cast<uint64_t>(value_));
    return static_cast<uint16_t>(writer.Position());
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
