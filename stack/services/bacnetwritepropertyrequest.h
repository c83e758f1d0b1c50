// WriteProperty (confirmed service 15): write one value to one property.
//
//   objectIdentifier    [0] BACnetObjectIdentifier
//   propertyIdentifier  [1] BACnetPropertyIdentifier
//   propertyArrayIndex  [2] Unsigned OPTIONAL
//   propertyValue       [3] ABSTRACT-SYNTAX.&Type (constructed)
//   priority            [4] Unsigned (1..16) OPTIONAL
//
// The value is kept as the tags between opening and closing tag 3 describe
// it (no datatype lookup): whoever executes the write checks it against the
// property, and a NULL that relinquishes a command stays a NULL.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/bacnetabstractsyntaxtype.h"
#include "message/bacnetconfirmedservicerequest.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {

class BACnetWritePropertyRequest final : public BACnetConfirmedServiceRequest {
public:
    static constexpr uint32_t kServiceChoice = 15;
    static constexpr uint32_t kMinPriority = 1;
    static constexpr uint32_t kMaxPriority = 16;

    BACnetWritePropertyRequest();

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kWritePropertyRequest; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;
    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "WritePropertyRequest"; }
    // "ObjectIdentifier" (0), "PropertyIdentifier" (1), "PropertyArrayIndex"
    // (2) when present, "PropertyValue" (3), "Priority" (4) when present.
    bool GetChildren(RenderChildren& children) const override;

    // Copies every given part (a null index or priority is left out); an
    // empty part, an empty value or a priority outside 1 to 16 is refused
    // (reported, false, the request left not valid).
    bool SetWritePropertyRequest(const BACnetPrimitiveObjectIdentifier& objectIdentifier,
                                 const BACnetPrimitiveENUM& propertyIdentifier,
                                 const BACnetPrimitiveUINT* propertyArrayIndex, const BACnetAbstractSyntaxType& value,
                                 const BACnetPrimitiveUINT* priority);
    bool SetWritePropertyRequest(uint16_t objectType, uint32_t objectInstance, uint32_t propertyIdentifier,
                                 std::optional<uint32_t> propertyArrayIndex, const BACnetAbstractSyntaxType& value,
                                 std::optional<uint32_t> priority);
    // 1 to 16; anything else is refused (reported, false, priority unchanged).
    bool SetPriority(uint32_t priority);

    const BACnetPrimitiveObjectIdentifier& GetObjectIdentifier() const { return members_.objectIdentifier; }
    const BACnetPropertyIdentifier& GetPropertyIdentifier() const { return members_.propertyIdentifier; }
    bool HasPropertyArrayIndex() const { return members_.propertyArrayIndex.IsValid(); }
    const BACnetPrimitiveUINT& GetPropertyArrayIndex() const { return members_.propertyArrayIndex; }
    const BACnetAbstractSyntaxType& GetPropertyValue() const { return propertyValue_; }
    bool HasPriority() const { return priority_.IsValid(); }
    const BACnetPrimitiveUINT& GetPriority() const { return priority_; }

private:
    BACnetServiceCodec::ObjectPropertyMembers members_;
    BACnetAbstractSyntaxType propertyValue_;
    BACnetPrimitiveUINT priority_;
};

}  // namespace ZalvoBACnetStack
