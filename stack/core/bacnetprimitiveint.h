// BACnet Signed Integer: 1 to 4 content octets of two's complement, most
// significant first, sign-extended from the top bit of the first octet.
// Setters choose the fewest octets; a decoded value keeps its length.
#pragma once

#include "core/bacnetprimitivebase.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveINT : public BACnetPrimitiveBase {
public:
    BACnetPrimitiveINT() : BACnetPrimitiveBase(Datatype::kSigned) {}
    explicit BACnetPrimitiveINT(int32_t value) : BACnetPrimitiveINT() { SetValue(value); }

    void SetValue(int32_t value) {
        value_ = value;
        MarkAssigned(ContentLength(value));
    }
    int32_t GetValue() const { return value_; }
    // The fewest two's complement octets that hold `value` (1 to 4).
    static uint8_t ContentLength(int32_t value) {
        if (value >= -0x80 && value < 0x80) return 1;
        if (value >= -0x8000 && value < 0x8000) return 2;
        if (value >= -0x800000 && value < 0x800000) return 3;
        return 4;
    }

    // A failure leaves the value as after Reset().
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override { return CloneOf(*this); }
    uint8_t GetDatatype() const override { return Datatype::kSigned; }
    void Reset() override {
        value_ = 0;
        ResetPrimitive(Datatype::kSigned);
    }
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "Integer"; }
    std::string GetElementText() const override { return std::to_string(value_); }
    bool GetAttributes(RenderAttributes& attributes) const override;

private:
    int32_t value_ = 0;
};

}  // namespace ZalvoBACnetStack
