// BACnet Time: four content octets, hour, minute, second and hundredths,
// each 255 when unspecified.
#pragma once

#include <string>

#include "core/bacnetprimitivebase.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveTIME : public BACnetPrimitiveBase {
public:
    static constexpr uint32_t kContentLength = 4;
    static constexpr uint8_t kUnspecified = 255;

    BACnetPrimitiveTIME() : BACnetPrimitiveBase(Datatype::kTime) {}
    BACnetPrimitiveTIME(uint8_t hour, uint8_t minute, uint8_t second, uint8_t hundredths) : BACnetPrimitiveTIME() {
        SetValue(hour, minute, second, hundredths);
    }

    // Stores the fields as given; they are checked only when decoding.
    void SetValue(uint8_t hour, uint8_t minute, uint8_t second, uint8_t hundredths) {
        hour_ = hour;
        minute_ = minute;
        second_ = second;
        hundredths_ = hundredths;
        MarkAssigned(kContentLength);
    }
    uint8_t GetHour() const { return hour_; }
    uint8_t GetMinute() const { return minute_; }
    uint8_t GetSecond() const { return second_; }
    uint8_t GetHundredths() const { return hundredths_; }

    // A failure, including a field out of range, leaves the value as after Reset().
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override { return CloneOf(*this); }
    uint8_t GetDatatype() const override { return Datatype::kTime; }
    void Reset() override {
        hour_ = minute_ = second_ = hundredths_ = 0;
        ResetPrimitive(Datatype::kTime);
    }
    bool IsEqual(const ICodable* other) const override;

    // hour:minute:second.hundredths, unpadded decimals (14:5:3.7).
    std::string GetElementName() const override { return "Time"; }
    std::string GetElementText() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;

private:
    uint8_t hour_ = 0;
    uint8_t minute_ = 0;
    uint8_t second_ = 0;
    uint8_t hundredths_ = 0;
};

}  // namespace ZalvoBACnetStack
