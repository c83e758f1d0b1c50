// BACnet BOOLEAN. Application-tagged, the value travels in the tag's
// length/value/type field and no contents follow (0x10 false, 0x11 true);
// context-tagged, one content octet 0 or 1 follows a length-1 header.
#pragma once

#include "core/bacnetprimitivebase.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveBOOL : public BACnetPrimitiveBase {
public:
    BACnetPrimitiveBOOL() : BACnetPrimitiveBase(Datatype::kBoolean) {}
    explicit BACnetPrimitiveBOOL(bool value) : BACnetPrimitiveBOOL() { SetValue(value); }

    void SetValue(bool value);
    bool GetValue() const { return value_; }
    // A context boolean always has one content octet.
    void SetContextTag(uint8_t tagNumber) override;

    // A failure leaves the value as after Reset().
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override { return CloneOf(*this); }
    uint8_t GetDatatype() const override { return Datatype::kBoolean; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "Boolean"; }
    std::string GetElementText() const override { return value_ ? "true" : "false"; }
    bool GetAttributes(RenderAttributes& attributes) const override;

private:
    bool value_ = false;
};

}  // namespace ZalvoBACnetStack
