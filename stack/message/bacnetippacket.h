// A BACnet/IP message: the virtual link layer header (BVLL) and, for the
// functions that carry one, the NPDU and application PDU behind it.
#pragma once

#include "message/bacnetbvll.h"
#include "message/bacnetpacket.h"

namespace ZalvoBACnetStack {

class BACnetIPPacket : public BACnetPacket {
public:
    BACnetIPPacket() = default;

    // The BVLL, then (for the functions that carry one) NPDU and APDU. A
    // function without an NPDU makes a complete packet of the BVLL alone.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    // Also resets the BVLL.
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    // Nothing while the BVLL is not valid; else the BVLL, then NPDU and APDU
    // when both are valid.
    bool GetChildren(RenderChildren& children) const override;

    // Copies function, length, data and valid from `bvll`; the packet counts
    // as decoded from then on.
    void SetBVLL(const BACnetBVLL& bvll);
    const BACnetBVLL& GetBVLL() const { return bvll_; }
    BACnetBVLL& GetBVLL() { return bvll_; }

private:
    BACnetBVLL bvll_;
};

}  // namespace ZalvoBACnetStack
