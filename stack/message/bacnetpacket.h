// A BACnet message without a link layer header: the network layer header
// (NPDU) and one application PDU. BACnetIPPacket adds the BACnet/IP virtual
// link layer header in front.
#pragma once

#include <cstdint>
#include <memory>

#include "core/bacnetobjectbase.h"
#include "message/bacnetnpdu.h"
#include "message/bacnetpdu.h"

namespace ZalvoBACnetStack {

class BACnetPacket : public BACnetObjectBase {
public:
    static constexpr uint32_t kNetworkTypeIP = 0;
    static constexpr uint32_t kNetworkTypeMSTP = 1;

    BACnetPacket() = default;
    ~BACnetPacket() override;

    // NPDU then APDU; octets after the APDU are ignored. A failed decode
    // leaves the packet not decoded, with the parts that did decode.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // NPDU then APDU, for a decoded or built packet.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override;
    // NPDU defaults, no APDU, not decoded.
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    // 0 for every packet of this stack ("IP"); 1 would be "MSTP".
    virtual uint32_t GetNetworkType() const { return kNetworkTypeIP; }

    std::string GetElementName() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;
    // The NPDU and the APDU, when both are valid.
    bool GetChildren(RenderChildren& children) const override;

    // Replaces the APDU (false, with nothing changed, for none); the packet
    // is then decoded exactly when the APDU is valid.
    bool InsertAPDUAndTakeOwnership(std::unique_ptr<BACnetPDU> adoptedApdu);

    bool IsDecoded() const { return valid_; }
    const BACnetNPDU& GetNPDU() const { return npdu_; }
    BACnetNPDU& GetNPDU() { return npdu_; }
    const BACnetPDU* GetAPDU() const { return apdu_.get(); }

    // A new empty packet for network type 0 (a BACnetIPPacket); null for any other.
    static std::unique_ptr<BACnetPacket> CreatePacket(uint32_t networkType);

protected:
    BACnetPacket(const BACnetPacket& other);
    // Clears the NPDU, the APDU and the decoded flag, not a link layer header.
    void ResetLayers();
    // Both layers equal (with the decoded flag).
    bool LayersEqual(const BACnetPacket& other) const;

    BACnetNPDU npdu_;
    std::unique_ptr<BACnetPDU> apdu_;
};

}  // namespace ZalvoBACnetStack
