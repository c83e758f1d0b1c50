#include "core/bacnetprimitivetime.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivetime";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveTIME::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveTIME::Encode";

bool HourInRange(uint8_t hour) { return hour < 24 || hour == BACnetPrimitiveTIME::kUnspecified; }
bool SixtyInRange(uint8_t field) { return field < 60 || field == BACnetPrimitiveTIME::kUnspecified; }
}  // namespace

uint16_t BACnetPrimitiveTIME::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    uint8_t contents[kContentLength];
    const char* failure = nullptr;
    const uint16_t used =
        DecodeFourOctets(buffer, length, outcome, Datatype::kTime, "Binvalid application tag", contents, failure);
    if (used == 0) {
        if (failure != nullptr) StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    if (!HourInRange(contents[0]) || !SixtyInRange(contents[1]) || !SixtyInRange(contents[2])) {
        Reset();
        return 0;
    }
    hour_ = contents[0];
    minute_ = contents[1];
    second_ = contents[2];
    hundredths_ = contents[3];
    valid_ = true;
    return used;
}

uint16_t BACnetPrimitiveTIME::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    const uint8_t contents[kContentLength] = {hour_, minute_, second_, hundredths_};
    const char* failure = nullptr;
    const uint16_t written = EncodeFourOctets(buffer, room, outcome, contents, failure);
    if (written == 0) StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
    return written;
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
