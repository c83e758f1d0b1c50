// Confirmed-Request PDU (type 0): the segmentation flags, the sender's
// maximum segments and APDU size codes, the invoke ID, the sequence number
// and proposed window size of a segmented message, the service choice and
// the service request. A segment is not reassembled: its octets are decoded
// as if they were the whole service request.
#pragma once

#include <memory>

#include "message/bacnetconfirmedservicerequest.h"
#include "message/bacnetpdu.h"

namespace ZalvoBACnetStack {

class BACnetConfirmedRequestPDU : public BACnetPDU {
public:
    static constexpr uint16_t kHeaderSize = 4;
    static constexpr uint16_t kSegmentedHeaderSize = 6;
    static constexpr uint8_t kSegmentedMessage = Segmentation::kSegmentedMessage;
    static constexpr uint8_t kMoreFollows = Segmentation::kMoreFollows;
    static constexpr uint8_t kSegmentedResponseAccepted = 0x02;
    // Largest max-APDU-length-accepted code (1476 octets).
    static constexpr uint32_t kMaxApduLengthCode = 5;

    BACnetConfirmedRequestPDU() = default;
    BACnetConfirmedRequestPDU(const BACnetConfirmedRequestPDU& other);
    ~BACnetConfirmedRequestPDU() override;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetPDUType() const override { return kConfirmedRequest; }
    void Reset() override;

    std::string GetElementName() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;
    bool GetChildren(RenderChildren& children) const override;

    // An unsegmented request carrying a copy of `service`.
    bool SetConfirmedRequest(uint32_t maxApduLengthAccepted, uint8_t invokeId,
                             const BACnetConfirmedServiceRequest& service);
    // Refuses codes above 5.
    bool SetMaxApduLengthAccepted(uint32_t maxApduLengthAccepted);
    // Replaces the service with a copy of `service`.
    bool SetServiceRequest(const BACnetConfirmedServiceRequest& service);

    bool IsSegmentedMessage() const { return segmentation_.segmentedMessage; }
    bool GetMoreFollows() const { return segmentation_.moreFollows; }
    bool IsSegmentedResponseAccepted() const { return segmentedResponseAccepted_; }
    uint32_t GetMaxSegmentsAccepted() const { return maxSegmentsAccepted_; }
    uint32_t GetMaxApduLengthAccepted() const { return maxApduLengthAccepted_; }
    uint8_t GetInvokeId() const { return invokeId_; }
    uint8_t GetSequenceNumber() const { return segmentation_.sequenceNumber; }
    uint8_t GetProposedWindowSize() const { return segmentation_.proposedWindowSize; }
    uint32_t GetServiceChoice() const { return serviceChoice_; }
    const BACnetConfirmedServiceRequest* GetService() const { return service_.get(); }

protected:
    bool HasSameFields(const BACnetPDU& other) const override;

private:
    Segmentation segmentation_;
    bool segmentedResponseAccepted_ = false;
    uint32_t maxSegmentsAccepted_ = 0;
    uint32_t maxApduLengthAccepted_ = 0;
    uint8_t invokeId_ = 0;
    uint32_t serviceChoice_ = 0;
    std::unique_ptr<BACnetConfirmedServiceRequest> service_;
};

}  // namespace ZalvoBACnetStack
