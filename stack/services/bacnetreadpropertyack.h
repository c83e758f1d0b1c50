// ReadProperty acknowledgement (service choice 12): the object identifier
// [0], the property identifier [1], an optional array index [2] and the
// property value [3]. The value is decoded as the datatype the property has
// for the object type, so enumerations carry their names.
#pragma once

#include <optional>

#include "core/bacnetabstractsyntaxtype.h"
#include "message/bacnetconfirmedserviceack.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {

class BACnetReadPropertyACK : public BACnetConfirmedServiceACK {
public:
    static constexpr uint32_t kServiceChoice = 12;

    BACnetReadPropertyACK();

    // Each copies a valid value; an empty one is refused (reported, false).
    bool SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& objectIdentifier);
    bool SetPropertyIdentifier(const BACnetPrimitiveENUM& propertyIdentifier);
    bool SetPropertyArrayIndex(const BACnetPrimitiveUINT& propertyArrayIndex);
    // The whole acknowledgement with a copy of `value`; not valid on failure.
    bool SetReadPropertyACK(const BACnetPrimitiveObjectIdentifier& objectIdentifier,
                            const BACnetPrimitiveENUM& propertyIdentifier,
                            const BACnetPrimitiveUINT* propertyArrayIndex, const BACnetAbstractSyntaxType& value);
    bool SetReadPropertyACK(uint16_t objectType, uint32_t objectInstance, uint32_t propertyIdentifier,
                            std::optional<uint32_t> propertyArrayIndex, const BACnetAbstractSyntaxType& value);

    const BACnetPrimitiveObjectIdentifier& GetObjectIdentifier() const { return members_.objectIdentifier; }
    const BACnetPropertyIdentifier& GetPropertyIdentifier() const { return members_.propertyIdentifier; }
    bool HasPropertyArrayIndex() const { return members_.propertyArrayIndex.IsValid(); }
    const BACnetPrimitiveUINT& GetPropertyArrayIndex() const { return members_.propertyArrayIndex; }
    const BACnetAbstractSyntaxType& GetPropertyValue() const { return propertyValue_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kReadPropertyACK; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;
    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "ReadPropertyACK"; }
    // "ObjectIdentifier" (0), "PropertyIdentifier" (1), "PropertyArrayIndex"
    // (2) when present, "PropertyValue" (3).
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetServiceCodec::ObjectPropertyMembers members_;
    BACnetAbstractSyntaxType propertyValue_;
};

}  // namespace ZalvoBACnetStack
