#include "core/bacnetprimitivedate.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivedate";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveDATE::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveDATE::Encode";

constexpr const char* kMonthNames[] = {"January, ", "February, ", "March, ",     "April, ",   "May, ",      "June, ",
                                       "July, ",    "August, ",   "September, ", "October, ", "November, ", "December, "};
constexpr const char* kWeekdayNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

bool MonthInRange(uint8_t month) { return (month >= 1 && month <= BACnetPrimitiveDATE::kEvenMonths) || month == 255; }
bool DayInRange(uint8_t day) { return (day >= 1 && day <= BACnetPrimitiveDATE::kEvenDays) || day == 255; }
bool WeekdayInRange(uint8_t weekday) { return (weekday >= 1 && weekday <= 7) || weekday == 255; }
}  // namespace

uint16_t BACnetPrimitiveDATE::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    uint8_t contents[kContentLength];
    const char* failure = nullptr;
    const uint16_t used =
        DecodeFourOctets(buffer, length, outcome, Datatype::kDate, "Invalid application tag", contents, failure);
    if (used == 0) {
        if (failure != nullptr) StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    if (!MonthInRange(contents[1]) || !DayInRange(contents[2]) || !WeekdayInRange(contents[3])) {
        Reset();
        return 0;
    }
    year_ = contents[0];
    month_ = contents[1];
    day_ = contents[2];
    weekday_ = contents[3];
    valid_ = true;
    return used;
}

uint16_t BACnetPrimitiveDATE::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    const uint8_t contents[kContentLength] = {year_, month_, day_, weekday_};
    const char* failure = nullptr;
    const uint16_t written = EncodeFourOctets(buffer, room, outcome, contents, failure);
    if (written == 0) StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
    return written;
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
