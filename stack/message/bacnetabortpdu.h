// Abort PDU (type 7): ends a confirmed transaction. Exactly three octets:
// type with the server flag in bit 0, original invoke ID, abort reason.
#pragma once

#include "message/bacnetpdu.h"

namespace ZalvoBACnetStack {

class BACnetAbortPDU : public BACnetPDU {
public:
    static constexpr uint16_t kSize = kThreeOctets;
    static constexpr uint8_t kServerFlag = 0x01;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetPDUType() const override { return kAbort; }
    void Reset() override;

    std::string GetElementName() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;

    // Fills the PDU and makes it valid; `server` is true when the server sends it.
    void Set(bool server, uint8_t originalInvokeId, uint32_t abortReason);
    bool IsServer() const { return server_; }
    uint8_t GetOriginalInvokeId() const { return originalInvokeId_; }
    uint32_t GetAbortReason() const { return abortReason_; }

protected:
    bool HasSameFields(const BACnetPDU& other) const override;

private:
    bool server_ = false;
    uint8_t originalInvokeId_ = 0;
    uint32_t abortReason_ = 0;
};

}  // namespace ZalvoBACnetStack
