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
      segmentation_(other.segmentation_),
      segmentedResponseAccepted_(other.segmentedResponseAccepted_),
      maxSegmentsAccepted_(other.maxSegmentsAccepted_),
      maxApduLengthAccepted_(other.maxApduLengthAccepted_),
      invokeId_(other.invokeId_),
      serviceChoice_(other.serviceChoice_),
      service_(CloneOwned(other.service_.get())) {}

BACnetConfirmedRequestPDU::~BACnetConfirmedRequestPDU() = default;

uint16_t BACnetConfirmedRequestPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartDecode(buffer, length, outcome)) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
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
    segmentation_.ReadFlags(flags);
    segmentedResponseAccepted_ = (flags & kSegmentedResponseAccepted) != 0;
    maxSegmentsAccepted_ = (sizes >> 4) & 0x07u;
    maxApduLengthAccepted_ = sizes & 0x0Fu;
    // The sequence number and window size come before the service choice.
    if (length < segmentation_.HeaderSize(kHeaderSize)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Not enough bytes to decode a segmented confirmed request pdu");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    segmentation_.ReadSegment(reader);
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
    if (const char* failure = StartEncode(buffer, room, outcome, "Invalid confirmedRequest pdu object")) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    const uint16_t headerSize = segmentation_.HeaderSize(kHeaderSize);
    if (room < headerSize) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough bytes to encode a confirmed request pdu");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteU8(static_cast<uint8_t>(GetPDUType() << 4 | segmentation_.Flags() |
                                        (segmentedResponseAccepted_ ? kSegmentedResponseAccepted : 0)));
    writer.WriteU8(static_cast<uint8_t>((maxSegmentsAccepted_ & 0x07u) << 4 | (maxApduLengthAccepted_ & 0x0Fu)));
    writer.WriteU8(invokeId_);
    segmentation_.WriteSegment(writer);
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
    segmentation_ = Segmentation{};
    segmentedResponseAccepted_ = false;
    maxSegmentsAccepted_ = 0;
    maxApduLengthAccepted_ = 0;
    invokeId_ = 0;
    serviceChoice_ = 0;
    service_.reset();
    valid_ = false;
}

std::string BACnetConfirmedRequestPDU::GetElementName() const { return "ConfirmedRequestPDU"; }

bool BACnetConfirmedRequestPDU::GetAttributes(RenderAttributes& attributes) const {
    attributes["serviceChoice"] = NameTables::ConfirmedServiceChoice().Name(serviceChoice_);
    attributes["invokeId"] = std::to_string(invokeId_);
    segmentation_.AddAttributes(attributes);
    attributes["segmentedResponseAccepted"] = segmentedResponseAccepted_ ? "1" : "0";
    // The codes are written in decimal after the "0x" prefix.
    attributes["maxSegmentsAccepted"] = "0x" + std::to_string(maxSegmentsAccepted_);
    attributes["maxAdpuLengthAccepted"] = "0x" + std::to_string(maxApduLengthAccepted_);
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
    segmentation_ = Segmentation{};
    segmentedResponseAccepted_ = false;
    maxSegmentsAccepted_ = 0;
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
    return request.segmentation_ == segmentation_ &&
           request.segmentedResponseAccepted_ == segmentedResponseAccepted_ &&
           request.maxSegmentsAccepted_ == maxSegmentsAccepted_ &&
           request.maxApduLengthAccepted_ == maxApduLengthAccepted_ && request.invokeId_ == invokeId_ &&
           request.serviceChoice_ == serviceChoice_ && SameOwned(request.service_.get(), service_.get());
}

}  // namespace ZalvoBACnetStack
