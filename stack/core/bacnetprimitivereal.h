// BACnet REAL: a 32-bit IEEE 754 single, four content octets, most
// significant first.
#pragma once

#include <string>

#include "core/bacnetprimitivebase.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveREAL : public BACnetPrimitiveBase {
public:
    static constexpr uint32_t kContentLength = 4;

    BACnetPrimitiveREAL() : BACnetPrimitiveBase(Datatype::kReal) {}
    explicit BACnetPrimitiveREAL(float value) : BACnetPrimitiveREAL() { SetValue(value); }

    void SetValue(float value) {
        value_ = value;
        MarkAssigned(kContentLength);
    }
    float GetValue() const { return value_; }

    // A failure leaves the value as after Reset().
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override { return CloneOf(*this); }
    uint8_t GetDatatype() const override { return Datatype::kReal; }
    void Reset() override {
        value_ = 0.0f;
        ResetPrimitive(Datatype::kReal);
    }
    // Numeric comparison: a NaN equals nothing.
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "Real"; }
    std::string GetElementText() const override { return FormatNumber(value_); }
    bool GetAttributes(RenderAttributes& attributes) const override;

    // Six significant digits in the shorter of fixed and exponent form
    // (72.5, 0.1, 1.23457e+06, 1e-05); "inf", "-inf" and "nan" otherwise.
    static std::string FormatNumber(double value);

private:
    float value_ = 0.0f;
};

}  // namespace ZalvoBACnetStack
