#include "core/bacnetprimitivetime.h"

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivetime";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveTIME::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveTIME::Encode";
// A one-octet header and the four contents.
constexpr uint16_t kMinimumSize = 5;

bool HourInRange(uint8_t hour) { return hour < 24 || hour == BACnetPrimitiveTIME::kUnspecified; }
bool SixtyInRange(uint8_t field) { return field < 60 || field == BACnetPrimitiveTIME::kUnspecified; }
}  // namespace

uint16_t BACnetPrimitiveTIME::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length < kMinimumSize) {
        SetReject(outcome, kRejectOther);
        return 0;
    }
    const uint16_t headerSize = tag_.Decode(buffer, length);
    if (headerSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Could not extract BACnet Tag");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    if (!tag_.IsContext() && tag_.tagNumber != Datatype::kTime) {
        StackErrorLog(kDecode, kSource, __LINE__, "Binvalid application tag");
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
    uint8_t hour = 0, minute = 0, second = 0, hundredths = 0;
    reader.Skip(headerSize);
    reader.ReadU8(hour);
    reader.ReadU8(minute);
    reader.ReadU8(second);
    reader.ReadU8(hundredths);
    if (reader.Failed()) {
        StackErrorLog(kDecode, kSource, __LINE__, "Message is to short. ");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    if (!HourInRange(hour) || !SixtyInRange(minute) || !SixtyInRange(second)) {
        Reset();
        return 0;
    }
    hour_ = hour;
    minute_ = minute;
    second_ = second;
    hundredths_ = hundredths;
    valid_ = true;
    return static_cast<uint16_t>(reader.Position());
}

uint16_t BACnetPrimitiveTIME::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid prameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid primitive integer object");
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
        StackErrorLog(kEncode, kSource, __LINE__, "Could not encode BACnet tag");
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
    const uint8_t contents[kContentLength] = {hour_, minute_, second_, hundredths_};
    writer.WriteBytes(contents, kContentLength);
    return static_cast<uint16_t>(writer.Position());
}

bool BACnetPrimitiveTIME::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != Datatype::kTime) return false;
    const auto* same = dynamic_cast<const BACnetPrimitiveTIME*>(other);
    return same != nullptr && same->hour_ == hour_ && same->minute_ == minute_ && same->second_ == second_ &&
           same->hundredths_ == hundredths_;
}

std::string BACnetPrimitiveTIME::GetElementText() const {
    std::string text = std::to_string(hour_);
    text += ':';
    text += std::to_string(minute_);
    text += ':';
    text += std::to_string(second_);
    text += '.';
    text += std::to_string(hundredths_);
    return text;
}

bool BACnetPrimitiveTIME::GetAttributes(RenderAttributes& attributes) const {
    BACnetPrimitiveBase::GetAttributes(attributes);
    attributes["hour"] = std::to_string(hour_);
    attributes["minute"] = std::to_string(minute_);
    attributes["second"] = std::to_string(second_);
    attributes["hundrethSeconds"] = std::to_string(hundredths_);
    return true;
}

}  // namespace ZalvoBACnetStack
