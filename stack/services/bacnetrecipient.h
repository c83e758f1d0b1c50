// BACnetRecipient: where notifications go, either a device (its object
// identifier in context tag 0) or a network address (a BACnetAddress between
// opening and closing tag 1).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/bacnetobjectbase.h"
#include "core/bacnetprimitiveobjectidentifier.h"
#include "services/bacnetaddress.h"

namespace ZalvoBACnetStack {

class BACnetRecipient final : public BACnetObjectBase {
public:
    BACnetRecipient();

    // Each makes its choice the held one and drops the other; a value that
    // is not valid is refused (reported, false) and changes nothing.
    bool SetDevice(const BACnetPrimitiveObjectIdentifier& device);
    bool SetAddress(const BACnetAddress& address);
    void SetDevice(uint32_t deviceInstance);
    void SetAddress(uint16_t networkNumber, std::vector<uint8_t> macAddress);
    // A copy of another recipient, which must hold a choice.
    bool SetRecipient(const BACnetRecipient& recipient);

    bool HasDevice() const { return device_.IsValid(); }
    bool HasAddress() const { return address_.IsValid(); }
    const BACnetPrimitiveObjectIdentifier& GetDevice() const { return device_; }
    const BACnetAddress& GetAddress() const { return address_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kRecipient; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "Recipient"; }
    // "Device" (0) when the device is held, otherwise "Address" (1) when the address is.
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetPrimitiveObjectIdentifier device_;
    BACnetAddress address_;
};

}  // namespace ZalvoBACnetStack
