// BACnetWriteAccessSpecification: the writes of a WritePropertyMultiple
// request that go to one object.
//
//   objectIdentifier  [0] BACnetObjectIdentifier
//   listOfProperties  [1] SEQUENCE OF BACnetPropertyValue (constructed)
#pragma once

#include <memory>
#include <string>

#include "core/bacnetprimitiveobjectidentifier.h"
#include "services/bacnetpropertyvaluelist.h"

namespace ZalvoBACnetStack {

class BACnetWriteAccessSpecification final : public BACnetObjectBase {
public:
    BACnetWriteAccessSpecification();

    // Starts a WriteAccessSpecification for the object with no property values yet;
    // an empty identifier is refused (reported, false, not valid).
    bool SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& objectIdentifier);
    void SetObjectIdentifier(uint16_t objectType, uint32_t objectInstance);
    // Appends a copy of a valid property value once the object is set
    // (reported, false otherwise).
    bool AddPropertyValue(const BACnetPropertyValue& value);

    const BACnetPrimitiveObjectIdentifier& GetObjectIdentifier() const { return objectIdentifier_; }
    const BACnetPropertyValueList& GetListOfProperties() const { return listOfProperties_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kWriteAccessSpecification; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "WriteAccessSpecification"; }
    // "ObjectIdentifier" (0), "ListOfProperties" (1) with its count.
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetPrimitiveObjectIdentifier objectIdentifier_;
    BACnetPropertyValueList listOfProperties_;
};

}  // namespace ZalvoBACnetStack
