// BACnet Double: a 64-bit IEEE 754 double, eight content octets, most
// significant first.
#pragma once

#include <string>

#include "core/bacnetprimitivebase.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveDOUBLE : public BACnetPrimitiveBase {
public:
    static constexpr uint32_t kContentLength = 8;

    BACnetPrimitiveDOUBLE() : BACnetPrimitiveBase(Datatype::kDouble) {}
    explicit BACnetPrimitiveDOUBLE(double value) : BACnetPrimitiveDOUBLE() { SetValue(value); }

    void SetValue(double value) {
        value_ = value;
        MarkAssigned(kContentLength);
    }
    double GetValue() const { return value_; }

    // A failure leaves the value as after Reset().
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override { return CloneOf(*this); }
    uint8_t GetDatatype() const override { return Datatype::kDouble; }
    void Reset() override {
        value_ = 0.0;
        ResetPrimitive(Datatype::kDouble);
    }
    // Numeric comparison: a NaN equals nothing.
    bool IsEqual(const ICodable* other) const override;

    // Formatted as a REAL is (six significant digits).
    std::string GetElementName() const override { return "Double"; }
    std::string GetElementText() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;

private:
    double value_ = 0.0;
};

}  // namespace ZalvoBACnetStack
