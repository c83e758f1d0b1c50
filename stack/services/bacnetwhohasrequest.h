// Who-Has (unconfirmed service choice 7): asks the devices whose instance
// lies in [low, high] (or every device, without the range) whether they
// hold an object, named either by its identifier (context tag 2) or by its
// name (context tag 3). The two limits are context tags 0 and 1 and are
// present together or not at all.
#pragma once

#include <memory>
#include <string_view>

#include "core/bacnetprimitivecharstring.h"
#include "core/bacnetprimitiveobjectidentifier.h"
#include "core/bacnetprimitiveuint.h"
#include "message/bacnetunconfirmedservicerequest.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {

class BACnetWhoHasRequest : public BACnetUnconfirmedServiceRequest {
public:
    static constexpr uint32_t kServiceChoice = 7;
    static constexpr uint32_t kMaxDeviceInstance = BACnetServiceCodec::DeviceInstanceRange::kMaxDeviceInstance;
    static constexpr uint8_t kLowLimitTag = BACnetServiceCodec::DeviceInstanceRange::kLowLimitTag;
    static constexpr uint8_t kHighLimitTag = BACnetServiceCodec::DeviceInstanceRange::kHighLimitTag;
    static constexpr uint8_t kObjectIdentifierTag = 2;
    static constexpr uint8_t kObjectNameTag = 3;

    BACnetWhoHasRequest() = default;
    BACnetWhoHasRequest(const BACnetWhoHasRequest& other);
    BACnetWhoHasRequest& operator=(const BACnetWhoHasRequest&) = delete;
    ~BACnetWhoHasRequest() override = default;

    // No octets is accepted here (valid, nothing consumed); the
    // Unconfirmed-Request PDU refuses such a Who-Has.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kWhoHasRequest; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "WhoHasRequest"; }
    // The limits when both are present, then "ObjectIdentifier" (2) or "ObjectName" (3).
    bool GetChildren(RenderChildren& children) const override;

    // Both limits; refused (and the request left without limits) when low is
    // above high or either is not a device instance.
    bool SetDeviceInstanceRangeLimits(uint32_t low, uint32_t high);
    void ClearDeviceInstanceRangeLimits();
    // The object asked for; either replaces the other. The request is valid
    // once it names an object.
    bool SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& objectIdentifier);
    void SetObjectName(std::string_view objectName, uint8_t characterSet = BACnetPrimitiveCharSTRING::kUTF8);

    bool HasLimits() const { return range_.Has(); }
    uint32_t GetDeviceInstanceRangeLowLimit() const { return range_.lowLimit.GetValue(); }
    uint32_t GetDeviceInstanceRangeHighLimit() const { return range_.highLimit.GetValue(); }
    // 2 (object identifier), 3 (object name) or 0 when no object is held.
    uint8_t GetObjectChoice() const { return objectChoice_; }
    // The object asked for, of the kind objectChoice says, or null.
    const BACnetPrimitiveObjectIdentifier* GetObjectIdentifier() const;
    const BACnetPrimitiveCharSTRING* GetObjectName() const;

private:
    BACnetServiceCodec::DeviceInstanceRange range_;
    std::unique_ptr<BACnetPrimitiveBase> object_;
    uint8_t objectChoice_ = 0;
};

}  // namespace ZalvoBACnetStack
