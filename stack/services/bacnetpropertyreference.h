// BACnetPropertyReference: a property identifier in context tag 0 and an
// optional array index in context tag 1.
#pragma once

#include <optional>

#include "core/bacnetenumerations.h"
#include "core/bacnetobjectbase.h"
#include "core/bacnetprimitiveuint.h"

namespace ZalvoBACnetStack {

class BACnetPropertyReference : public BACnetObjectBase {
public:
    BACnetPropertyReference();
    explicit BACnetPropertyReference(uint32_t propertyIdentifier,
                                     std::optional<uint32_t> propertyArrayIndex = std::nullopt)
        : BACnetPropertyReference() {
        SetPropertyReference(propertyIdentifier, propertyArrayIndex);
    }

    void SetPropertyReference(uint32_t propertyIdentifier, std::optional<uint32_t> propertyArrayIndex = std::nullopt);
    const BACnetPropertyIdentifier& GetPropertyIdentifier() const { return propertyIdentifier_; }
    bool HasPropertyArrayIndex() const { return propertyArrayIndex_.IsValid(); }
    const BACnetPrimitiveUINT& GetPropertyArrayIndex() const { return propertyArrayIndex_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kPropertyReference; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "PropertyReference"; }
    // "PropertyIdentifier" (context 0), "PropertyArrayIndex" (context 1) when present.
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetPropertyIdentifier propertyIdentifier_;
    BACnetPrimitiveUINT propertyArrayIndex_;
};

}  // namespace ZalvoBACnetStack
