// BACnetObjectPropertyReference: an object identifier in context tag 0, a
// property identifier in context tag 1 and an optional array index in
// context tag 2.
#pragma once

#include <optional>

#include "core/bacnetobjectbase.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {

class BACnetObjectPropertyReference : public BACnetObjectBase {
public:
    BACnetObjectPropertyReference();

    // Each copies a valid value; an empty one is refused (reported, false).
    bool SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& objectIdentifier);
    bool SetPropertyIdentifier(const BACnetPrimitiveENUM& propertyIdentifier);
    bool SetPropertyArrayIndex(const BACnetPrimitiveUINT& propertyArrayIndex);
    // All three (the index only when given); the object is valid afterwards
    // only when every part was set.
    bool SetObjectPropertyReference(const BACnetPrimitiveObjectIdentifier& objectIdentifier,
                                    const BACnetPrimitiveENUM& propertyIdentifier,
                                    const BACnetPrimitiveUINT* propertyArrayIndex);
    // A copy of another reference, which must be valid.
    bool SetObjectPropertyReference(const BACnetObjectPropertyReference& reference);
    void SetObjectPropertyReference(uint16_t objectType, uint32_t objectInstance, uint32_t propertyIdentifier,
                                    std::optional<uint32_t> propertyArrayIndex = std::nullopt);

    const BACnetPrimitiveObjectIdentifier& GetObjectIdentifier() const { return members_.objectIdentifier; }
    const BACnetPropertyIdentifier& GetPropertyIdentifier() const { return members_.propertyIdentifier; }
    bool HasPropertyArrayIndex() const { return members_.propertyArrayIndex.IsValid(); }
    const BACnetPrimitiveUINT& GetPropertyArrayIndex() const { return members_.propertyArrayIndex; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kObjectPropertyReference; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "ObjectPropertyReference"; }
    // "ObjectIdentifier" (0), "PropertyIdentifier" (1), "PropertyArrayIndex" (2) when present.
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetServiceCodec::ObjectPropertyMembers members_;
};

}  // namespace ZalvoBACnetStack
