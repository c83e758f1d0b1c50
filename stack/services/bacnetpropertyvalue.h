// BACnetPropertyValue: a property identifier [0], an optional array index
// [1], the value [2] (constructed, of any datatype, decoded by its own
// tags) and an optional write priority [3].
#pragma once

#include <optional>

#include "core/bacnetabstractsyntaxtype.h"
#include "core/bacnetenumerations.h"
#include "core/bacnetobjectbase.h"
#include "core/bacnetprimitiveuint.h"

namespace ZalvoBACnetStack {

class BACnetPropertyValue : public BACnetObjectBase {
public:
    static constexpr uint32_t kMinPriority = 1;
    static constexpr uint32_t kMaxPriority = 16;

    BACnetPropertyValue();

    // Copies every given part. An empty part, an empty value or a priority
    // outside 1 to 16 is refused (reported, false, the object left empty).
    bool SetPropertyValue(const BACnetPrimitiveENUM& propertyIdentifier, const BACnetPrimitiveUINT* propertyArrayIndex,
                          const BACnetAbstractSyntaxType& value, const BACnetPrimitiveUINT* priority);
    bool SetPropertyValue(uint32_t propertyIdentifier, std::optional<uint32_t> propertyArrayIndex,
                          const BACnetAbstractSyntaxType& value, std::optional<uint32_t> priority = std::nullopt);

    const BACnetPropertyIdentifier& GetPropertyIdentifier() const { return propertyIdentifier_; }
    bool HasPropertyArrayIndex() const { return propertyArrayIndex_.IsValid(); }
    const BACnetPrimitiveUINT& GetPropertyArrayIndex() const { return propertyArrayIndex_; }
    const BACnetAbstractSyntaxType& GetValue() const { return value_; }
    bool HasPriority() const { return priority_.IsValid(); }
    const BACnetPrimitiveUINT& GetPriority() const { return priority_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kPropertyValue; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "PropertyValue"; }
    // "PropertyIdentifier" (0), "PropertyArrayIndex" (1) when present,
    // "Value" (2), "Priority" (3) when present.
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetPropertyIdentifier propertyIdentifier_;
    BACnetPrimitiveUINT propertyArrayIndex_;
    BACnetAbstractSyntaxType value_;
    BACnetPrimitiveUINT priority_;
};

}  // namespace ZalvoBACnetStack
