// Who-Is (unconfirmed service choice 8): asks the devices whose instance
// lies in [low, high] to announce themselves with I-Am, or every device
// when the range is absent. The two limits are context tags 0 and 1 and are
// present together or not at all.
#pragma once

#include "message/bacnetunconfirmedservicerequest.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {

class BACnetWhoIsRequest : public BACnetUnconfirmedServiceRequest {
public:
    static constexpr uint32_t kServiceChoice = 8;
    static constexpr uint32_t kMaxDeviceInstance = BACnetServiceCodec::DeviceInstanceRange::kMaxDeviceInstance;
    static constexpr uint8_t kLowLimitTag = BACnetServiceCodec::DeviceInstanceRange::kLowLimitTag;
    static constexpr uint8_t kHighLimitTag = BACnetServiceCodec::DeviceInstanceRange::kHighLimitTag;

    BACnetWhoIsRequest() = default;

    // No octets is the request without limits (valid, 0 consumed). A failed
    // decode leaves the request not valid.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // The limits when both are present; nothing otherwise.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kWhoIsRequest; }
    // No limits, not valid.
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    uint32_t GetServiceChoice() const override { return kServiceChoice; }
    bool HasNoContents() const override { return !HasLimits(); }

    std::string GetElementName() const override { return "WhoIsRequest"; }
    // The two limits, only when both are present.
    bool GetChildren(RenderChildren& children) const override;

    // A valid request for every device (no limits).
    void SetWithoutLimits();
    // Both limits; refused (and the request left without limits) when low is
    // above high or either is not a device instance.
    bool SetDeviceInstanceRangeLimits(uint32_t low, uint32_t high);

    bool HasLimits() const { return range_.Has(); }
    uint32_t GetDeviceInstanceRangeLowLimit() const { return range_.lowLimit.GetValue(); }
    uint32_t GetDeviceInstanceRangeHighLimit() const { return range_.highLimit.GetValue(); }

private:
    BACnetServiceCodec::DeviceInstanceRange range_;
};

}  // namespace ZalvoBACnetStack
