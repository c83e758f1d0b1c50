// ReadProperty request (confirmed service choice 12): the object identifier
// [0], the property identifier [1] and an optional array index [2].
#pragma once

#include <optional>

#include "message/bacnetconfirmedservicerequest.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {

class BACnetReadPropertyRequest : public BACnetConfirmedServiceRequest {
public:
    static constexpr uint32_t kServiceChoice = 12;

    BACnetReadPropertyRequest();

    // Each copies a valid value; an empty one is refused (reported, false).
    bool SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& objectIdentifier);
    bool SetPropertyIdentifier(const BACnetPrimitiveENUM& propertyIdentifier);
    bool SetPropertyArrayIndex(const BACnetPrimitiveUINT& propertyArrayIndex);
    // The whole request (the index only when given); not valid on failure.
    bool SetReadPropertyRequest(const BACnetPrimitiveObjectIdentifier& objectIdentifier,
                                const BACnetPrimitiveENUM& propertyIdentifier,
                                const BACnetPrimitiveUINT* propertyArrayIndex);
    void SetReadPropertyRequest(uint16_t objectType, uint32_t objectInstance, uint32_t propertyIdentifier,
                                std::optional<uint32_t> propertyArrayIndex = std::nullopt);

    const BACnetPrimitiveObjectIdentifier& GetObjectIdentifier() const { return members_.objectIdentifier; }
    const BACnetPropertyIdentifier& GetPropertyIdentifier() const { return members_.propertyIdentifier; }
    bool HasPropertyArrayIndex() const { return members_.propertyArrayIndex.IsValid(); }
    const BACnetPrimitiveUINT& GetPropertyArrayIndex() const { return members_.propertyArrayIndex; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kReadPropertyRequest; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;
    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "ReadPropertyRequest"; }
    // "ObjectIdentifier" (0), "PropertyIdentifier" (1), "PropertyArrayIndex" (2) when present.
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetServiceCodec::ObjectPropertyMembers members_;
};

}  // namespace ZalvoBACnetStack
