// BACnetAddress: a network number (Unsigned, 0 = the local network) and a
// MAC address (OCTET STRING, empty for a broadcast), both application-tagged.
#pragma once

#include <cstdint>
#include <vector>

#include "core/bacnetobjectbase.h"
#include "core/bacnetprimitiveoctstring.h"
#include "core/bacnetprimitiveuint.h"

namespace ZalvoBACnetStack {

class BACnetAddress : public BACnetObjectBase {
public:
    BACnetAddress() = default;
    BACnetAddress(uint16_t networkNumber, std::vector<uint8_t> macAddress) {
        SetAddress(networkNumber, std::move(macAddress));
    }

    void SetAddress(uint16_t networkNumber, std::vector<uint8_t> macAddress);
    const BACnetPrimitiveUINT& GetNetworkNumber() const { return networkNumber_; }
    const BACnetPrimitiveOctSTRING& GetMacAddress() const { return macAddress_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kAddress; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "Address"; }
    // "NetworkNumber", "MacAddress".
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetPrimitiveUINT networkNumber_;
    BACnetPrimitiveOctSTRING macAddress_;
};

}  // namespace ZalvoBACnetStack
