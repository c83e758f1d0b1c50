// Reject PDU (type 6): a confirmed request refused for a protocol error
// in it. Exactly three octets: type, original invoke ID, reject reason.
#pragma once

#include "message/bacnetpdu.h"

namespace ZalvoBACnetStack {

class BACnetRejectPDU : public BACnetPDU {
public:
    static constexpr uint16_t kSize = kThreeOctets;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetPDUType() const override { return kReject; }
    void Reset() override;

    std::string GetElementName() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;

    // Fills the PDU and makes it valid.
    void Set(uint8_t originalInvokeId, uint32_t rejectReason);
    uint8_t GetOriginalInvokeId() const { return originalInvokeId_; }
    uint32_t GetRejectReason() const { return rejectReason_; }

protected:
    bool HasSameFields(const BACnetPDU& other) const override;

private:
    uint8_t originalInvokeId_ = 0;
    uint32_t rejectReason_ = 0;
};

}  // namespace ZalvoBACnetStack
