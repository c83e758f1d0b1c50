// One result of a ReadPropertyMultiple acknowledgement: the property
// identifier [2], an optional array index [3], then either the value [4]
// (decoded as the datatype the property has for the object type of the
// enclosing access result) or the error that reading it met [5].
#pragma once

#include <optional>

#include "core/bacnetabstractsyntaxtype.h"
#include "core/bacnetenumerations.h"
#include "core/bacnetobjectbase.h"
#include "core/bacnetprimitiveuint.h"
#include "services/bacneterror.h"

namespace ZalvoBACnetStack {

class BACnetReadResult : public BACnetObjectBase {
public:
    BACnetReadResult();

    // The object type whose property datatypes type the value on decoding
    // (the enclosing access result's object). Not part of the contents.
    void SetObjectType(uint16_t objectType) { objectType_ = objectType; }
    uint16_t GetObjectType() const { return objectType_; }

    // A result with exactly one of `value` and `propertyAccessError`, both
    // copied; anything else is refused (reported, false, left empty).
    bool SetReadResult(const BACnetPrimitiveENUM& propertyIdentifier, const BACnetPrimitiveUINT* propertyArrayIndex,
                       const BACnetAbstractSyntaxType* value, const BACnetError* propertyAccessError);
    bool SetReadResultValue(uint32_t propertyIdentifier, std::optional<uint32_t> propertyArrayIndex,
                            const BACnetAbstractSyntaxType& value);
    bool SetReadResultError(uint32_t propertyIdentifier, std::optional<uint32_t> propertyArrayIndex,
                            uint32_t errorClass, uint32_t errorCode);

    const BACnetPropertyIdentifier& GetPropertyIdentifier() const { return propertyIdentifier_; }
    bool HasPropertyArrayIndex() const { return propertyArrayIndex_.IsValid(); }
    const BACnetPrimitiveUINT& GetPropertyArrayIndex() const { return propertyArrayIndex_; }
    bool HasPropertyValue() const { return propertyValue_.IsValid(); }
    const BACnetAbstractSyntaxType& GetPropertyValue() const { return propertyValue_; }
    bool HasPropertyAccessError() const { return propertyAccessError_.IsValid(); }
    const BACnetError& GetPropertyAccessError() const { return propertyAccessError_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kReadResult; }
    // Empty and not valid; the object type stays as set.
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "ReadResult"; }
    // "PropertyIdentifier" (2), "PropertyArrayIndex" (3) when present,
    // "PropertyValue" (4) when present and wholly valid, "PropertyAccessError"
    // (5) when present.
    bool GetChildren(RenderChildren& children) const override;

private:
    bool ValueIsWhollyValid() const;

    uint16_t objectType_ = 0;
    BACnetPropertyIdentifier propertyIdentifier_;
    BACnetPrimitiveUINT propertyArrayIndex_;
    BACnetAbstractSyntaxType propertyValue_;
    BACnetError propertyAccessError_;
};

}  // namespace ZalvoBACnetStack
