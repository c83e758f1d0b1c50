#include "core/bacnetprimitivedate.h"

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivedate";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveDATE::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveDATE::Encode";
// A one-octet header and the four contents.
constexpr uint16_t kMinimumSize = 5;

constexpr const char* kMonthNames[] = {"January, ", "February, ", "March, ",     "April, ",   "May, ",      "June, ",
                                       "July, ",    "August, ",   "September, ", "October, ", "November, ", "December, "};
constexpr const char* kWeekdayNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

bool MonthInRange(uint8_t month) { return (month >= 1 && month <= BACnetPrimitiveDATE::kEvenMonths) || month == 255; }
bool DayInRange(uint8_t day) { return (day >= 1 && day <= BACnetPrimitiveDATE::kEvenDays) || day == 255; }
bool WeekdayInRange(uint8_t weekday) { return (weekday >= 1 && weekday <= 7) || weekday == 255; }
}  // namespace

uint16_t BACnetPrimitiveDATE::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
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
    if (!tag_.IsContext() && tag_.tagNumber != Datatype::kDate) {
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
    uint8_t year = 0, month = 0, day = 0, weekday = 0;
    reader.Skip(headerSize);
    reader.ReadU8(year);
    reader.ReadU8(month);
    reader.ReadU8(day);
    reader.ReadU8(weekday);
    if (reader.Failed()) {
        StackErrorLog(kDecode, kSource, __LINE__, "Message is to short. ");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    if (!MonthInRange(month) || !DayInRange(day) || !WeekdayInRange(weekday)) {
        Reset();
        return 0;
    }
    year_ = year;
    month_ = month;
    day_ = day;
    weekday_ = weekday;
    valid_ = true;
    return static_cast<uint16_t>(reader.Position());
}

uint16_t BACnetPrimitiveDATE::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    const uint8_t contents[kContentLength] = {year_, month_, day_, weekday_};
    writer.WriteBytes(contents, kContentLength);
    return static_cast<uint16_t>(writer.Position());
}

bool BACnetPrimitiveDATE::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != Datatype::kDate) return false;
    const auto* same = dynamic_cast<const BACnetPrimitiveDATE*>(other);
    return same != nullptr && same->year_ == year_ && same->month_ == month_ && same->day_ == day_ &&
           same->weekday_ == weekday_;
}

std::string BACnetPrimitiveDATE::GetElementText() const {
    // Unlike decoding, the text accepts day 0; only these three are refused.
    if (month_ == 0 || (month_ > kEvenMonths && month_ != kUnspecified)) return "Invalid Month";
    if (day_ > kEvenDays && day_ != kUnspecified) return "Invalid Day";
    if (weekday_ == 0 || (weekday_ > 7 && weekday_ != kUnspecified)) return "Invalid Day of Week";

    std::string text;
    text.reserve(64);
    if (month_ == kUnspecified) {
        text += "Unspecified Month, ";
    } else if (month_ == kOddMonths) {
        text += "Odd Months, ";
    } else if (month_ == kEvenMonths) {
        text += "Even Months, ";
    } else {
        text += kMonthNames[month_ - 1];
    }
    if (day_ == kUnspecified) {
        text += "Unspecified Day, ";
    } else if (day_ == kOddDays) {
        text += "Odd days of month, ";
    } else if (day_ == kEvenDays) {
        text += "Even days of month, ";
    } else {
        text += std::to_string(day_);
        text += ", ";
    }
    if (year_ == kUnspecified) {
        text += "Unspecified Year, ";
    } else {
        text += std::to_string(1900 + year_);
        text += ", ";
    }
    text += weekday_ == kUnspecified ? "Unspecified Day of Week" : kWeekdayNames[weekday_ - 1];
    return text;
}

bool BACnetPrimitiveDATE::GetAttributes(RenderAttributes& attributes) const {
    BACnetPrimitiveBase::GetAttributes(attributes);
    attributes["year"] = std::to_string(year_);
    attributes["month"] = std::to_string(month_);
    attributes["day"] = std::to_string(day_);
    attributes["weekday"] = std::to_string(weekday_);
    return true;
}

}  // namespace ZalvoBACnetStack
