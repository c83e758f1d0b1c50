// Complex-ACK PDU (type 3): the positive answer that carries data. The
// segmentation flags, the original invoke ID, the sequence number and
// proposed window size of a segmented message, the service ACK choice and
// the acknowledgement. A segment is not reassembled: its octets are decoded
// as if they were the whole acknowledgement.
#pragma once

#include <memory>

#include "message/bacnetconfirmedserviceack.h"
#include "message/bacnetpdu.h"

namespace ZalvoBACnetStack {

class BACnetComplexACKPDU : public BACnetPDU {
public:
    static constexpr uint16_t kHeaderSize = 3;
    static constexpr uint16_t kSegmentedHeaderSize = 5;
    static constexpr uint8_t kSegmentedMessage = Segmentation::kSegmentedMessage;
    static constexpr uint8_t kMoreFollows = Segmentation::kMoreFollows;

    BACnetComplexACKPDU() = default;
    BACnetComplexACKPDU(const BACnetComplexACKPDU& other);
    ~BACnetComplexACKPDU() override;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetPDUType() const override { return kComplexACK; }
    void Reset() override;

    std::string GetElementName() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;
    bool GetChildren(RenderChildren& children) const override;

    // Replaces the acknowledgement with a copy of `serviceAck`.
    bool SetServiceAck(const BACnetConfirmedServiceACK& serviceAck);
    void SetOriginalInvokeId(uint8_t originalInvokeId) { originalInvokeId_ = originalInvokeId; }

    bool IsSegmentedMessage() const { return segmentation_.segmentedMessage; }
    bool GetMoreFollows() const { return segmentation_.moreFollows; }
    uint8_t GetOriginalInvokeId() const { return originalInvokeId_; }
    uint8_t GetSequenceNumber() const { return segmentation_.sequenceNumber; }
    uint8_t GetProposedWindowSize() const { return segmentation_.proposedWindowSize; }
    uint32_t GetServiceAckChoice() const { return serviceAckChoice_; }
    const BACnetConfirmedServiceACK* GetServiceAck() const { return serviceAck_.get(); }

protected:
    bool HasSameFields(const BACnetPDU& other) const override;

private:
    Segmentation segmentation_;
    uint8_t originalInvokeId_ = 0;
    uint32_t serviceAckChoice_ = 0;
    std::unique_ptr<BACnetConfirmedServiceACK> serviceAck_;
};

}  // namespace ZalvoBACnetStack
