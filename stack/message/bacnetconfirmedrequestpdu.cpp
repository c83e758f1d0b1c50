#include "message/bacnetconfirmedrequestpdu.h"

#include <new>

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"
#include "message/bacnetservicefactory.h"
#include "render/bacnetnametables.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetconfirmedrequestpdu";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetConfirmedRequestPDU::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetConfirmedRequestPDU::Encode";
constexpr const char* kSetConfirmedRequest = "ZalvoBACnetStack::BACnetConfirmedRequestPDU::SetConfirmedRequest";
constexpr const char* kSetMaxApdu = "ZalvoBACnetStack::BACnetConfirmedRequestPDU::SetMaxApduLengthAccepted";
constexpr const char* kSetServiceRequest = "ZalvoBACnetStack::BACnetConfirmedRequestPDU::SetServiceRequest";
// BACnetRejectReason unrecognized-service.
constexpr uint32_t kRejectUnrecognizedService = 9;
}  // namespace

BACnetConfirmedRequestPDU::BACnetConfirmedRequestPDU(const BACnetConfirmedRequestPDU& other)
    : BACnetPDU(other),
      segmentedMessage_(other.segmentedMessage_),
      moreFollows_(other.moreFollows_),
      segmentedResponseAccepted_(other.segmentedResponseAccepted_),
      maxSegmentsAccepted_(other.maxSegmentsAccepted_),
      maxApduLengthAccepted_(other.maxApduLengthAccepted_),
      invokeId_(other.invokeId_),
      sequenceNumber_(other.sequenceNumber_),
      proposedWindowSize_(other.proposedWindowSize_),
      serviceChoice_(other.serviceChoice_),
      service_(CloneOwned(other.service_.get())) {}

BACnetConfirmedRequestPDU::~BACnetConfirmedRequestPDU() = default;

uint16_t BACnetConfirmedRequestPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    if (TypeOf(buffer[0]) != GetPDUType()) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid pdu type ");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (length < kHeaderSize) {
        StackErrorLog(kDecode, kSource, __LINE__, "Not enough bytes to decode a confirmed request pdu");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    BACnetStackOctetReader reader(buffer, length);
    uint8_t flags = 0;
    uint8_t sizes = 0;
    reader.ReadU8(flags);
    reader.ReadU8(sizes);
    reader.ReadU8(invokeId_);
    segmentedMessage_ = (flags & kSegmentedMessage) != 0;
    moreFollows_ = (flags & kMoreFollows) != 0;
    segmentedResponseAccepted_ = (flags & kSegmentedResponseAccepted) != 0;
    maxSegmentsAccepted_ = (sizes >> 4) & 0x07u;
    maxApduLengthAccepted_ = sizes & 0x0Fu;
    if (segmentedMessage_) {
        // The sequence number and window size come before the service choice.
        if (length < kSegmentedHeaderSize) {
            StackErrorLog(kDecode, kSource, __LINE__, "Not enough bytes to decode a segmented confirmed request pdu");
            SetReject(outcome, kRejectOther);
            return 0;
        }
        reader.ReadU8(sequenceNumber_);
        reader.ReadU8(proposedWindowSize_);
    }
    uint8_t serviceChoice = 0;
    reader.ReadU8(serviceChoice);
    serviceChoice_ = serviceChoice;
    service_ = BACnetServiceFactory::CreateConfirmedServiceRequest(serviceChoice_);
    if (service_ == nullptr) {
        // The text is fixed: it carries no number.
        StackErrorLog(kDecode, kSource, __LINE__, "Unrecognized service=[&u]");
        SetReject(outcome, kRejectUnrecognizedService);
        return 0;
    }
    const uint16_t headerSize = static_cast<uint16_t>(reader.Position());
    const uint16_t serviceSize =
        service_->Decode(reader.Current(), static_cast<uint16_t>(reader.Remaining()), outcome);
    if (serviceSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode the BACnet Confirmed Service Request");
        return 0;
    }
    valid_ = true;
    return static_cast<uint16_t>(headerSize + serviceSize);
}

uint16_t BACnetConfirmedRequestPDU::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid confirmedRequest pdu object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const uint16_t headerSize = segmentedMessage_ ? kSegmentedHeaderSize : kHeaderSize;
    if (room < headerSize) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough bytes to encode a confirmed request pdu");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteU8(static_cast<uint8_t>(GetPDUType() << 4 | (segmentedMessage_ ? kSegmentedMessage : 0) |
                                        (moreFollows_ ? kMoreFollows : 0) |
                                        (segmentedResponseAccepted_ ? kSegmentedResponseAccepted : 0)));
    writer.WriteU8(static_cast<uint8_t>((maxSegmentsAccepted_ & 0x07u) << 4 | (maxApduLengthAccepted_ & 0x0Fu)));
    writer.WriteU8(invokeId_);
    if (segmentedMessage_) {
        writer.WriteU8(sequenceNumber_);
        writer.WriteU8(proposedWindowSize_);
    }
    writer.WriteU8(static_cast<uint8_t>(serviceChoice_));
    const uint16_t serviceSize =
        service_ == nullptr ? 0
                            : service_->Encode(buffer + headerSize, static_cast<uint16_t>(room - headerSize), outcome);
    if (serviceSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error occurred while encoding the BACnetConfirmedRequest");
        return 0;
    }
    return static_cast<uint16_t>(headerSize + serviceSize);
}

std::unique_ptr<ICodable> BACnetConfirmedRequestPDU::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetConfirmedRequestPDU(*this));
}

void BACnetConfirmedRequestPDU::Reset() {
    segmentedMessage_ = false;
    moreFollows_ = false;
    segmentedResponseAccepted_ = false;
    maxSegmentsAccepted_ = 0;
    maxApduLengthAccepted_ = 0;
    invokeId_ = 0;
    sequenceNumber_ = 0;
    proposedWindowSize_ = 0;
    serviceChoice_ = 0;
    service_.reset();
    valid_ = false;
}

std::string BACnetConfirmedRequestPDU::GetElementName() const { return "ConfirmedRequestPDU"; }

bool BACnetConfirmedRequestPDU::GetAttributes(RenderAttributes& attributes) const {
    attributes["serviceChoice"] = NameTables::ConfirmedServiceChoice().Name(serviceChoice_);
    attributes["invokeId"] = std::to_string(invokeId_);
    attributes["segmentedMessage"] = segmentedMessage_ ? "1" : "0";
    attributes["moreFollows"] = moreFollows_ ? "1" : "0";
    attributes["segmentedResponseAccepted"] = segmentedResponseAccepted_ ? "1" : "0";
    // The codes are written in decimal after the "0x" prefix.
    attributes["maxSegmentsAccepted"] = "0x" + std::to_string(maxSegmentsAccepted_);
    attributes["maxAdpuLengthAccepted"] = "0x" + std::to_string(maxApduLengthAccepted_);
    if (segmentedMessage_) {
        attributes["sequenceNumber"] = std::to_string(sequenceNumber_);
        attributes["proposedWindowSize"] = std::to_string(proposedWindowSize_);
    }
    return true;
}

bool BACnetConfirmedRequestPDU::GetChildren(RenderChildren& children) const {
    if (service_ == nullptr || !service_->IsValid()) return false;
    children.push_back(MakeRenderChild(service_.get()));
    return true;
}

bool BACnetConfirmedRequestPDU::SetConfirmedRequest(uint32_t maxApduLengthAccepted, uint8_t invokeId,
                                                    const BACnetConfirmedServiceRequest& service) {
    if (!SetMaxApduLengthAccepted(maxApduLengthAccepted)) {
        StackErrorLog(kSetConfirmedRequest, kSource, __LINE__, "Failed to set the max apdu length accepted");
        return false;
    }
    if (!SetServiceRequest(service)) {
        StackErrorLog(kSetConfirmedRequest, kSource, __LINE__, "Failed to set the service request");
        return false;
    }
    invokeId_ = invokeId;
    segmentedMessage_ = false;
    moreFollows_ = false;
    segmentedResponseAccepted_ = false;
    maxSegmentsAccepted_ = 0;
    sequenceNumber_ = 0;
    proposedWindowSize_ = 0;
    valid_ = true;
    return true;
}

bool BACnetConfirmedRequestPDU::SetMaxApduLengthAccepted(uint32_t maxApduLengthAccepted) {
    if (maxApduLengthAccepted > kMaxApduLengthCode) {
        StackErrorLog(kSetMaxApdu, kSource, __LINE__, "Invalid max apdu length accepted = [%u]", maxApduLengthAccepted);
        return false;
    }
    maxApduLengthAccepted_ = maxApduLengthAccepted;
    return true;
}

bool BACnetConfirmedRequestPDU::SetServiceRequest(const BACnetConfirmedServiceRequest& service) {
    if (!service.IsValid()) {
        StackErrorLog(kSetServiceRequest, kSource, __LINE__, "Service request is not valid");
        return false;
    }
    std::unique_ptr<BACnetConfirmedServiceRequest> copy = BACnetServiceFactory::CopyConfirmedServiceRequest(service);
    if (copy == nullptr) {
        StackErrorLog(kSetServiceRequest, kSource, __LINE__, "Invalid confirmed service choice");
        return false;
    }
    service_ = std::move(copy);
    serviceChoice_ = service.GetServiceChoice();
    valid_ = true;
    return true;
}

bool BACnetConfirmedRequestPDU::HasSameFields(const BACnetPDU& other) const {
    const auto& request = static_cast<const BACnetConfirmedRequestPDU&>(other);
    return request.segmentedMessage_ == segmentedMessage_ && request.moreFollows_ == moreFollows_ &&
           request.segmentedResponseAccepted_ == segmentedResponseAccepted_ &&
           request.maxSegmentsAccepted_ == maxSegmentsAccepted_ &&
           request.maxApduLengthAccepted_ == maxApduLengthAccepted_ && request.invokeId_ == invokeId_ &&
           request.sequenceNumber_ == sequenceNumber_ && request.proposedWindowSize_ == proposedWindowSize_ &&
           request.serviceChoice_ == serviceChoice_ && SameOwned(request.service_.get(), service_.get());
}

}  // namespace ZalvoBACnetStack
