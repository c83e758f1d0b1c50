// BACnet Date: four content octets, year (since 1900), month, day and
// weekday, each 255 when unspecified. Month 13/14 mean odd/even months,
// day 32 the last day, 33/34 odd/even days; weekday 1 is Monday.
#pragma once

#include <string>

#include "core/bacnetprimitivebase.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveDATE : public BACnetPrimitiveBase {
public:
    static constexpr uint32_t kContentLength = 4;
    static constexpr uint8_t kUnspecified = 255;
    static constexpr uint8_t kOddMonths = 13;
    static constexpr uint8_t kEvenMonths = 14;
    static constexpr uint8_t kLastDayOfMonth = 32;
    static constexpr uint8_t kOddDays = 33;
    static constexpr uint8_t kEvenDays = 34;

    BACnetPrimitiveDATE() : BACnetPrimitiveBase(Datatype::kDate) {}
    BACnetPrimitiveDATE(uint8_t yearSince1900, uint8_t month, uint8_t day, uint8_t weekday) : BACnetPrimitiveDATE() {
        SetValue(yearSince1900, month, day, weekday);
    }

    // Stores the fields as given; they are checked only when decoding.
    void SetValue(uint8_t yearSince1900, uint8_t month, uint8_t day, uint8_t weekday) {
        year_ = yearSince1900;
        month_ = month;
        day_ = day;
        weekday_ = weekday;
        MarkAssigned(kContentLength);
    }
    uint8_t GetYear() const { return year_; }  // years since 1900
    uint8_t GetMonth() const { return month_; }
    uint8_t GetDay() const { return day_; }
    uint8_t GetWeekday() const { return weekday_; }

    // A failure, including a field out of range, leaves the value as after Reset().
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override { return CloneOf(*this); }
    uint8_t GetDatatype() const override { return Datatype::kDate; }
    void Reset() override {
        year_ = month_ = day_ = weekday_ = 0;
        ResetPrimitive(Datatype::kDate);
    }
    bool IsEqual(const ICodable* other) const override;

    // "March, 5, 2024, Tuesday"; one "Invalid ..." text when a field is out of range.
    std::string GetElementName() const override { return "Date"; }
    std::string GetElementText() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;

private:
    uint8_t year_ = 0;
    uint8_t month_ = 0;
    uint8_t day_ = 0;
    uint8_t weekday_ = 0;
};

}  // namespace ZalvoBACnetStack
