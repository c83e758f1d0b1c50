// BACnet NULL: the single octet 0x00 (an application tag 0 with no
// contents). It is never written context-tagged.
#pragma once

#include "core/bacnetprimitivebase.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveNULL : public BACnetPrimitiveBase {
public:
    BACnetPrimitiveNULL() : BACnetPrimitiveBase(Datatype::kNull) {}

    // A NULL has no contents; this only marks it as holding a value.
    void SetValue() { MarkAssigned(0); }

    // Accepts exactly the octet 0x00; a failure leaves the value as after Reset().
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // Writes 0x00 whatever the tag says.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override { return CloneOf(*this); }
    uint8_t GetDatatype() const override { return Datatype::kNull; }
    void Reset() override { ResetPrimitive(Datatype::kNull); }
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "Null"; }
};

}  // namespace ZalvoBACnetStack
