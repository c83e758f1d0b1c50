// I-Am (unconfirmed service choice 0): a device announces its identifier,
// the largest APDU it accepts, its segmentation support and its vendor. All
// four members are application-tagged.
#pragma once

#include "core/bacnetenumerations.h"
#include "core/bacnetprimitiveobjectidentifier.h"
#include "core/bacnetprimitiveuint.h"
#include "message/bacnetunconfirmedservicerequest.h"

namespace ZalvoBACnetStack {

class BACnetIAmRequest : public BACnetUnconfirmedServiceRequest {
public:
    static constexpr uint32_t kServiceChoice = 0;
    static constexpr uint16_t kDeviceObjectType = 8;
    // The smallest APDU every BACnet device must accept.
    static constexpr uint32_t kMinimumApduLength = 50;
    static constexpr uint32_t kMaxApduLength = 65535;
    // segmented-both, segmented-transmit, segmented-receive, no-segmentation.
    static constexpr uint32_t kMaxSegmentation = 3;
    static constexpr uint32_t kMaxVendorId = 65535;

    BACnetIAmRequest() = default;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kIAmRequest; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "IAmRequest"; }
    // "IAmDeviceIdentifier", "MaxAPDULengthAccepted", "SegmentationSupported", "VendorId".
    bool GetChildren(RenderChildren& children) const override;

    // All four; on a refusal the request is left empty.
    bool SetIAmRequest(const BACnetPrimitiveObjectIdentifier& deviceIdentifier, uint32_t maxApduLengthAccepted,
                       uint32_t segmentationSupported, uint32_t vendorId);
    // A valid device object identifier.
    bool SetIAmDeviceIdentifier(const BACnetPrimitiveObjectIdentifier& deviceIdentifier);
    // 50 to 65535 octets.
    bool SetMaxApduLengthAccepted(uint32_t maxApduLengthAccepted);
    // A BACnetSegmentation value, 0 to 3.
    bool SetSegmentationSupported(uint32_t segmentationSupported);
    // 0 to 65535.
    bool SetVendorId(uint32_t vendorId);

    const BACnetPrimitiveObjectIdentifier& GetIAmDeviceIdentifier() const { return iAmDeviceIdentifier_; }
    const BACnetPrimitiveUINT& GetMaxApduLengthAccepted() const { return maxApduLengthAccepted_; }
    const BACnetSegmentation& GetSegmentationSupported() const { return segmentationSupported_; }
    const BACnetPrimitiveUINT& GetVendorId() const { return vendorId_; }

private:
    void UpdateValidity() {
        valid_ = iAmDeviceIdentifier_.IsValid() && maxApduLengthAccepted_.IsValid() &&
                 segmentationSupported_.IsValid() && vendorId_.IsValid();
    }

    BACnetPrimitiveObjectIdentifier iAmDeviceIdentifier_;
    BACnetPrimitiveUINT maxApduLengthAccepted_;
    BACnetSegmentation segmentationSupported_;
    BACnetPrimitiveUINT vendorId_;
};

}  // namespace ZalvoBACnetStack
