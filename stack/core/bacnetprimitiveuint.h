// BACnet Unsigned Integer: 1 to 4 content octets, most significant first.
// Setters choose the fewest octets that hold the value; a decoded value keeps
// the length it arrived with, so it re-encodes octet for octet.
#pragma once

#include "core/bacnetprimitivebase.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveUINT : public BACnetPrimitiveBase {
public:
    BACnetPrimitiveUINT() : BACnetPrimitiveBase(Datatype::kUnsigned) {}
    explicit BACnetPrimitiveUINT(uint32_t value) : BACnetPrimitiveUINT() { SetValue(value); }

    void SetValue(uint32_t value) {
        value_ = value;
        MarkAssigned(ContentLength(value));
    }
    uint32_t GetValue() const { return value_; }
    // The fewest octets that hold `value` (1 to 4).
    static uint8_t ContentLength(uint32_t value) {
        return value < 0x100u ? 1 : value < 0x10000u ? 2 : value < 0x1000000u ? 3 : 4;
    }

    // A failure leaves the value as after Reset().
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override { return CloneOf(*this); }
    uint8_t GetDatatype() const override { return Datatype::kUnsigned; }
    void Reset() override {
        value_ = 0;
        ResetPrimitive(Datatype::kUnsigned);
    }
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "UnsignedInteger"; }
    std::string GetElementText() const override { return std::to_string(value_); }
    bool GetAttributes(RenderAttributes& attributes) const override;

private:
    uint32_t value_ = 0;
};

}  // namespace ZalvoBACnetStack
