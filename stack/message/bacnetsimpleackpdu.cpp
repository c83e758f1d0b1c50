#include "message/bacnetsimpleackpdu.h"

#include <new>

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"
#include "render/bacnetnametables.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetsimpleackpdu";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetSimpleACKPDU::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetSimpleACKPDU::Encode";
}  // namespace

uint16_t BACnetSimpleACKPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    if (TypeOf(buffer[0]) != GetPDUType()) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid pdu type");
        SetReject(outcome, kRejectInvalidTag);
        return 0;
    }
    if (length != kSize) {
        StackErrorLog(kDecode, kSource, __LINE__, "Buffer does not have enough bytes to decode a proper Simple Ack message");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    originalInvokeId_ = buffer[1];
    serviceAckChoice_ = buffer[2];
    valid_ = true;
    return kSize;
}

uint16_t BACnetSimpleACKPDU::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid abort pdu object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (room < kSize) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteU8(static_cast<uint8_t>(GetPDUType() << 4));
    writer.WriteU8(originalInvokeId_);
    writer.WriteU8(static_cast<uint8_t>(serviceAckChoice_));
    return kSize;
}

std::unique_ptr<ICodable> BACnetSimpleACKPDU::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetSimpleACKPDU(*this));
}

void BACnetSimpleACKPDU::Reset() {
    originalInvokeId_ = 0;
    serviceAckChoice_ = 0;
    valid_ = false;
}

std::string BACnetSimpleACKPDU::GetElementName() const { return "SimpleAckPDU"; }

bool BACnetSimpleACKPDU::GetAttributes(RenderAttributes& attributes) const {
    attributes["originalInvokeID"] = std::to_string(originalInvokeId_);
    attributes["serviceAckChoice"] = NameTables::ConfirmedServiceChoice().Name(serviceAckChoice_);
    return true;
}

void BACnetSimpleACKPDU::Set(uint8_t originalInvokeId, uint32_t serviceAckChoice) {
    originalInvokeId_ = originalInvokeId;
    serviceAckChoice_ = serviceAckChoice;
    valid_ = true;
}

bool BACnetSimpleACKPDU::HasSameFields(const BACnetPDU& other) const {
    const auto& ack = static_cast<const BACnetSimpleACKPDU&>(other);
    return ack.originalInvokeId_ == originalInvokeId_ && ack.serviceAckChoice_ == serviceAckChoice_;
}

}  // namespace ZalvoBACnetStack
