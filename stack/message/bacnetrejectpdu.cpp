#include "message/bacnetrejectpdu.h"

#include <new>

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"
#include "render/bacnetnametables.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetrejectpdu";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetRejectPDU::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetRejectPDU::Encode";
}  // namespace

uint16_t BACnetRejectPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
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
        StackErrorLog(kDecode, kSource, __LINE__, "Buffer does not have enough bytes to decode a proper Reject message");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    originalInvokeId_ = buffer[1];
    rejectReason_ = buffer[2];
    valid_ = true;
    return kSize;
}

uint16_t BACnetRejectPDU::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    writer.WriteU8(static_cast<uint8_t>(rejectReason_));
    return kSize;
}

std::unique_ptr<ICodable> BACnetRejectPDU::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetRejectPDU(*this));
}

void BACnetRejectPDU::Reset() {
    originalInvokeId_ = 0;
    rejectReason_ = 0;
    valid_ = false;
}

std::string BACnetRejectPDU::GetElementName() const { return "RejectPDU"; }

bool BACnetRejectPDU::GetAttributes(RenderAttributes& attributes) const {
    attributes["originalInvokeId"] = std::to_string(originalInvokeId_);
    attributes["rejectReason"] = NameTables::RejectReason().Name(rejectReason_);
    return true;
}

void BACnetRejectPDU::Set(uint8_t originalInvokeId, uint32_t rejectReason) {
    originalInvokeId_ = originalInvokeId;
    rejectReason_ = rejectReason;
    valid_ = true;
}

bool BACnetRejectPDU::HasSameFields(const BACnetPDU& other) const {
    const auto& reject = static_cast<const BACnetRejectPDU&>(other);
    return reject.originalInvokeId_ == originalInvokeId_ && reject.rejectReason_ == rejectReason_;
}

}  // namespace ZalvoBACnetStack
