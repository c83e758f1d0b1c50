// I-Have (unconfirmed service choice 1): a device says that it holds an
// object, giving its own identifier and the object's identifier and name.
// All three members are application-tagged.
#pragma once

#include <string_view>

#include "core/bacnetprimitivecharstring.h"
#include "core/bacnetprimitiveobjectidentifier.h"
#include "message/bacnetunconfirmedservicerequest.h"

namespace ZalvoBACnetStack {

class BACnetIHaveRequest : public BACnetUnconfirmedServiceRequest {
public:
    static constexpr uint32_t kServiceChoice = 1;
    static constexpr uint16_t kDeviceObjectType = 8;

    BACnetIHaveRequest() = default;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // The object name needs one octet of room beyond what it writes.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kIHaveRequest; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "IHaveRequest"; }
    // "DeviceIdentifier", "ObjectIdentifier", "ObjectName".
    bool GetChildren(RenderChildren& children) const override;

    // A valid device identifier, a valid object identifier and the name; on
    // a refusal the request is left empty.
    bool SetIHaveRequest(const BACnetPrimitiveObjectIdentifier& deviceIdentifier,
                         const BACnetPrimitiveObjectIdentifier& objectIdentifier, std::string_view objectName,
                         uint8_t characterSet = BACnetPrimitiveCharSTRING::kUTF8);

    const BACnetPrimitiveObjectIdentifier& GetDeviceIdentifier() const { return deviceIdentifier_; }
    const BACnetPrimitiveObjectIdentifier& GetObjectIdentifier() const { return objectIdentifier_; }
    const BACnetPrimitiveCharSTRING& GetObjectName() const { return objectName_; }

private:
    BACnetPrimitiveObjectIdentifier deviceIdentifier_;
    BACnetPrimitiveObjectIdentifier objectIdentifier_;
    BACnetPrimitiveCharSTRING objectName_;
};

}  // namespace ZalvoBACnetStack
