#include "message/bacnetabortpdu.h"

#include <new>

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"
#include "render/bacnetnametables.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetabortpdu";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetAbortPDU::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetAbortPDU::Encode";
}  // namespace

uint16_t BACnetAbortPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
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
    if (length != kSize) {
        StackErrorLog(kDecode, kSource, __LINE__, "Buffer does not have enough bytes to decode a proper Abort message");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    server_ = (buffer[0] & kServerFlag) != 0;
    originalInvokeId_ = buffer[1];
    abortReason_ = buffer[2];
    valid_ = true;
    return kSize;
}

uint16_t BACnetAbortPDU::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    writer.WriteU8(static_cast<uint8_t>(GetPDUType() << 4 | (server_ ? kServerFlag : 0)));
    writer.WriteU8(originalInvokeId_);
    writer.WriteU8(static_cast<uint8_t>(abortReason_));
    return kSize;
}

std::unique_ptr<ICodable> BACnetAbortPDU::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetAbortPDU(*this));
}

void BACnetAbortPDU::Reset() {
    server_ = false;
    originalInvokeId_ = 0;
    abortReason_ = 0;
    valid_ = false;
}

std::string BACnetAbortPDU::GetElementName() const { return "AbortPDU"; }

bool BACnetAbortPDU::GetAttributes(RenderAttributes& attributes) const {
    attributes["originalInvokeId"] = std::to_string(originalInvokeId_);
    attributes["abortReason"] = NameTables::AbortReason().Name(abortReason_);
    attributes["server"] = server_ ? "1" : "0";
    return true;
}

void BACnetAbortPDU::Set(bool server, uint8_t originalInvokeId, uint32_t abortReason) {
    server_ = server;
    originalInvokeId_ = originalInvokeId;
    abortReason_ = abortReason;
    valid_ = true;
}

bool BACnetAbortPDU::HasSameFields(const BACnetPDU& other) const {
    const auto& abort = static_cast<const BACnetAbortPDU&>(other);
    return abort.server_ == server_ && abort.originalInvokeId_ == originalInvokeId_ &&
           abort.abortReason_ == abortReason_;
}

}  // namespace ZalvoBACnetStack
