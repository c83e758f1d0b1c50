#include "message/bacnetcomplexackpdu.h"

#include <new>

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"
#include "message/bacnetservicefactory.h"
#include "render/bacnetnametables.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetcomplexackpdu";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetComplexACKPDU::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetComplexACKPDU::Encode";
constexpr const char* kSetServiceAck = "ZalvoBACnetStack::BACnetComplexACKPDU::SetServiceAck";
}  // namespace

BACnetComplexACKPDU::BACnetComplexACKPDU(const BACnetComplexACKPDU& other)
    : BACnetPDU(other),
      segmentation_(other.segmentation_),
      originalInvokeId_(other.originalInvokeId_),
      serviceAckChoice_(other.serviceAckChoice_),
      serviceAck_(CloneOwned(other.serviceAck_.get())) {}

BACnetComplexACKPDU::~BACnetComplexACKPDU() = default;

uint16_t BACnetComplexACKPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartDecode(buffer, length, outcome)) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    if (length < kHeaderSize) {
        StackErrorLog(kDecode, kSource, __LINE__, "Not enough bytes to decode a complex ack pdu");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    BACnetStackOctetReader reader(buffer, length);
    uint8_t flags = 0;
    reader.ReadU8(flags);
    reader.ReadU8(originalInvokeId_);
    segmentation_.ReadFlags(flags);
    // The sequence number and window size come before the service ACK choice.
    if (length < segmentation_.HeaderSize(kHeaderSize)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Not enough bytes to decode a segmented complex ack pdu");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    segmentation_.ReadSegment(reader);
    uint8_t serviceAckChoice = 0;
    reader.ReadU8(serviceAckChoice);
    serviceAckChoice_ = serviceAckChoice;
    serviceAck_ = BACnetServiceFactory::CreateConfirmedServiceACK(serviceAckChoice_);
    if (serviceAck_ == nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid confirmed service ack choice");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const uint16_t headerSize = static_cast<uint16_t>(reader.Position());
    const uint16_t ackSize =
        serviceAck_->Decode(reader.Current(), static_cast<uint16_t>(reader.Remaining()), outcome);
    if (ackSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode the BACnet Confirmed Service Ack");
        return 0;
    }
    valid_ = true;
    return static_cast<uint16_t>(headerSize + ackSize);
}

uint16_t BACnetComplexACKPDU::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartEncode(buffer, room, outcome, "Invalid complexAck pdu object")) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    const uint16_t headerSize = segmentation_.HeaderSize(kHeaderSize);
    if (room < headerSize) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough bytes to encode a complex ack pdu");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    if (serviceAck_ == nullptr) {
        StackErrorLog(kEncode, kSource, __LINE__, "ServiceAck does not exist");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteU8(static_cast<uint8_t>(GetPDUType() << 4 | segmentation_.Flags()));
    writer.WriteU8(originalInvokeId_);
    segmentation_.WriteSegment(writer);
    writer.WriteU8(static_cast<uint8_t>(serviceAckChoice_));
    const uint16_t ackSize = serviceAck_->Encode(buffer + headerSize, static_cast<uint16_t>(room - headerSize), outcome);
    if (ackSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error occurred while encoding the BACnetComplexAPDU");
        return 0;
    }
    return static_cast<uint16_t>(headerSize + ackSize);
}

std::unique_ptr<ICodable> BACnetComplexACKPDU::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetComplexACKPDU(*this));
}

void BACnetComplexACKPDU::Reset() {
    segmentation_ = Segmentation{};
    originalInvokeId_ = 0;
    serviceAckChoice_ = 0;
    serviceAck_.reset();
    valid_ = false;
}

std::string BACnetComplexACKPDU::GetElementName() const { return "ComplexACKPDU"; }

bool BACnetComplexACKPDU::GetAttributes(RenderAttributes& attributes) const {
    attributes["serviceChoice"] = NameTables::ConfirmedServiceChoice().Name(serviceAckChoice_);
    attributes["originalInvokeId"] = std::to_string(originalInvokeId_);
    segmentation_.AddAttributes(attributes);
    return true;
}

bool BACnetComplexACKPDU::GetChildren(RenderChildren& children) const {
    if (serviceAck_ == nullptr || !serviceAck_->IsValid()) return false;
    children.push_back(MakeRenderChild(serviceAck_.get()));
    return true;
}

bool BACnetComplexACKPDU::SetServiceAck(const BACnetConfirmedServiceACK& serviceAck) {
    if (!serviceAck.IsValid()) {
        StackErrorLog(kSetServiceAck, kSource, __LINE__, "Service ack is invalid");
        return false;
    }
    std::unique_ptr<BACnetConfirmedServiceACK> copy = BACnetServiceFactory::CopyConfirmedServiceACK(serviceAck);
    if (copy == nullptr) {
        StackErrorLog(kSetServiceAck, kSource, __LINE__, "Invalid confirmed service ack choice");
        return false;
    }
    serviceAck_ = std::move(copy);
    serviceAckChoice_ = serviceAck.GetServiceChoice();
    segmentation_ = Segmentation{};
    valid_ = true;
    return true;
}

bool BACnetComplexACKPDU::HasSameFields(const BACnetPDU& other) const {
    const auto& ack = static_cast<const BACnetComplexACKPDU&>(other);
    return ack.segmentation_ == segmentation_ && ack.originalInvokeId_ == originalInvokeId_ &&
           ack.serviceAckChoice_ == serviceAckChoice_ && SameOwned(ack.serviceAck_.get(), serviceAck_.get());
}

}  // namespace ZalvoBACnetStack
