// The network layer header (NPDU protocol control information): version,
// control octet, the optional destination (DNET, DLEN, DADR) and source
// (SNET, SLEN, SADR) specifiers and the hop count. Network layer messages
// are not interpreted; whatever follows the header is left to the packet.
#pragma once

#include <array>
#include <cstdint>

#include "core/bacnetobjectbase.h"

namespace ZalvoBACnetStack {

class BACnetStackOctetReader;
class BACnetStackOctetWriter;

class BACnetNPDU : public BACnetObjectBase {
public:
    static constexpr uint8_t kProtocolVersion = 1;
    static constexpr uint8_t kDefaultHopCount = 255;
    // Control octet bits.
    static constexpr uint8_t kNetworkLayerMessage = 0x80;
    static constexpr uint8_t kDestinationSpecifier = 0x20;
    static constexpr uint8_t kSourceSpecifier = 0x08;
    static constexpr uint8_t kExpectingReply = 0x04;
    static constexpr uint8_t kPriorityMask = 0x03;
    static constexpr uint8_t kMaxDestinationAddressLength = 7;
    static constexpr uint8_t kMaxSourceAddressLength = 6;

    BACnetNPDU() = default;

    // The header only: 2 octets plus the specifiers and hop count the control
    // octet announces.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override;
    // Version 1, control 0, no specifiers, hop count 255, not valid.
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override;
    std::string GetElementText() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;

    // Sets the destination specifier (address null or length 0 for a
    // broadcast on that network) and the hop count 255. False, with nothing
    // changed, for an address longer than 7 octets.
    bool SetDestination(uint16_t network, const uint8_t* address, uint8_t length);
    // Sets the source specifier. False, with nothing changed, for an address
    // longer than 6 octets.
    bool SetSource(uint16_t network, const uint8_t* address, uint8_t length);

    uint8_t GetVersion() const { return version_; }
    uint8_t GetControl() const { return control_; }
    bool HasDestination() const { return (control_ & kDestinationSpecifier) != 0; }
    bool HasSource() const { return (control_ & kSourceSpecifier) != 0; }
    uint16_t GetDestinationNetwork() const { return destinationNetwork_; }
    uint8_t GetDestinationAddressLength() const { return destinationAddressLength_; }
    const uint8_t* GetDestinationAddress() const { return destinationAddress_.data(); }
    uint16_t GetSourceNetwork() const { return sourceNetwork_; }
    uint8_t GetSourceAddressLength() const { return sourceAddressLength_; }
    const uint8_t* GetSourceAddress() const { return sourceAddress_.data(); }
    uint8_t GetHopCount() const { return hopCount_; }

private:
    // The optional fields after the control octet; false on failure
    // (reported), `used` = octets consumed on success.
    bool DecodeUsingControl(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome, uint16_t& used);
    bool DecodeDestinationAddress(BACnetStackOctetReader& reader, BACnetErrorOutcome* outcome);
    bool DecodeSourceAddress(BACnetStackOctetReader& reader, BACnetErrorOutcome* outcome);
    bool EncodeDestinationAddress(BACnetStackOctetWriter& writer, BACnetErrorOutcome* outcome);
    bool EncodeSourceAddress(BACnetStackOctetWriter& writer, BACnetErrorOutcome* outcome);

    uint8_t version_ = kProtocolVersion;
    uint8_t control_ = 0;
    uint16_t destinationNetwork_ = 0;
    uint8_t destinationAddressLength_ = 0;
    std::array<uint8_t, kMaxDestinationAddressLength> destinationAddress_{};
    uint16_t sourceNetwork_ = 0;
    uint8_t sourceAddressLength_ = 0;
    std::array<uint8_t, kMaxSourceAddressLength> sourceAddress_{};
    uint8_t hopCount_ = kDefaultHopCount;
};

}  // namespace ZalvoBACnetStack
