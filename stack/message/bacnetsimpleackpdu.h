// Simple-ACK PDU (type 2): the positive answer to a confirmed request that
// returns no data. Exactly three octets: type, original invoke ID, service
// ACK choice.
#pragma once

#include "message/bacnetpdu.h"

namespace ZalvoBACnetStack {

class BACnetSimpleACKPDU : public BACnetPDU {
public:
    static constexpr uint16_t kSize = kThreeOctets;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetPDUType() const override { return kSimpleACK; }
    void Reset() override;

    std::string GetElementName() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;

    // Fills the PDU and makes it valid.
    void Set(uint8_t originalInvokeId, uint32_t serviceAckChoice);
    uint8_t GetOriginalInvokeId() const { return originalInvokeId_; }
    uint32_t GetServiceAckChoice() const { return serviceAckChoice_; }

protected:
    bool HasSameFields(const BACnetPDU& other) const override;

private:
    uint8_t originalInvokeId_ = 0;
    uint32_t serviceAckChoice_ = 0;
};

}  // namespace ZalvoBACnetStack
