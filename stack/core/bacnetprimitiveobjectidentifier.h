// BACnet Object Identifier: four content octets, most significant first,
// holding the object type in the top 10 bits and the instance number in the
// low 22 bits.
#pragma once

#include <string>

#include "core/bacnetprimitivebase.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveObjectIdentifier : public BACnetPrimitiveBase {
public:
    static constexpr uint32_t kContentLength = 4;
    static constexpr unsigned kInstanceBits = 22;
    static constexpr uint32_t kMaxInstance = (1u << kInstanceBits) - 1;  // 4194303, also the wildcard
    static constexpr uint16_t kMaxObjectType = (1u << (32 - kInstanceBits)) - 1;

    BACnetPrimitiveObjectIdentifier() : BACnetPrimitiveBase(Datatype::kObjectIdentifier) {}
    BACnetPrimitiveObjectIdentifier(uint16_t objectType, uint32_t instance) : BACnetPrimitiveObjectIdentifier() {
        SetValue(objectType, instance);
    }

    // The type keeps its low 10 bits, the instance its low 22 bits.
    void SetValue(uint16_t objectType, uint32_t instance) {
        SetRawValue(uint32_t{objectType} << kInstanceBits | (instance & kMaxInstance));
    }
    void SetRawValue(uint32_t value) {
        value_ = value;
        MarkAssigned(kContentLength);
    }
    uint32_t GetRawValue() const { return value_; }
    uint16_t GetObjectType() const { return static_cast<uint16_t>(value_ >> kInstanceBits); }
    uint32_t GetInstance() const { return value_ & kMaxInstance; }

    // A failure leaves the value as after Reset().
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override { return CloneOf(*this); }
    uint8_t GetDatatype() const override { return Datatype::kObjectIdentifier; }
    void Reset() override {
        value_ = 0;
        ResetPrimitive(Datatype::kObjectIdentifier);
    }
    bool IsEqual(const ICodable* other) const override;

    // The object type's name, ", ", the instance ("device, 5").
    std::string GetElementName() const override { return "ObjectIdentifier"; }
    std::string GetElementText() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;

private:
    uint32_t value_ = 0;
};

}  // namespace ZalvoBACnetStack
