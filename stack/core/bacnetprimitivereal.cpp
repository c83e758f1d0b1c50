#include "core/bacnetprimitivereal.h"

#include <bit>
#include <cmath>
#include <cstdio>

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivereal";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveREAL::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveREAL::Encode";
}  // namespace

uint16_t BACnetPrimitiveREAL::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
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
    if (!tag_.IsContext() && tag_.tagNumber != Datatype::kReal) {
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
    uint32_t bits = 0;
    if (!reader.Skip(headerSize) || !reader.ReadU32(bits)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Message is to short. ");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    value_ = std::bit_cast<float>(bits);
    valid_ = true;
    return static_cast<uint16_t>(reader.Position());
}

uint16_t BACnetPrimitiveREAL::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    writer.WriteU32(std::bit_cast<uint32_t>(value_));
    return static_cast<uint16_t>(writer.Position());
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
