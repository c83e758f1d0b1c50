// What a ReadPropertyMultiple request asks of one object: its identifier
// [0] and the property references enclosed in opening and closing tag 1.
#pragma once

#include "core/bacnetobjectbase.h"
#include "core/bacnetprimitiveobjectidentifier.h"
#include "core/bacnetsequenceof.h"
#include "services/bacnetpropertyreference.h"

namespace ZalvoBACnetStack {

class BACnetReadAccessSpecification : public BACnetObjectBase {
public:
    using PropertyReferences = BACnetSequenceOf<BACnetPropertyReference>;

    BACnetReadAccessSpecification();

    // Starts a ReadAccessSpecification for the object with no references yet (not
    // valid until one is added).
    void SetObjectIdentifier(uint16_t objectType, uint32_t objectInstance);
    // Appends a copy of a valid reference; valid once the object is set.
    bool AddPropertyReference(const BACnetPropertyReference& reference);

    const BACnetPrimitiveObjectIdentifier& GetObjectIdentifier() const { return objectIdentifier_; }
    const PropertyReferences& GetListOfPropertyReferences() const { return listOfPropertyReferences_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kReadAccessSpecification; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "ReadAccessSpecification"; }
    // "ObjectIdentifier" (0), "ListOfPropertyReferences" (1) with its count.
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetPrimitiveObjectIdentifier objectIdentifier_;
    PropertyReferences listOfPropertyReferences_;
};

}  // namespace ZalvoBACnetStack
