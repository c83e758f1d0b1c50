#include "message/bacnetabortpdu.h"

#include <new>

#include "core/stackerrorlog.h"
#include "render/bacnetnametables.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetabortpdu";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetAbortPDU::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetAbortPDU::Encode";
constexpr const char* kWrongSize = "Buffer does not have enough bytes to decode a proper Abort message";
}  // namespace

uint16_t BACnetAbortPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartThreeOctetDecode(buffer, length, outcome, kWrongTypeAborts, kWrongSize)) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    server_ = (buffer[0] & kServerFlag) != 0;
    originalInvokeId_ = buffer[1];
    abortReason_ = buffer[2];
    valid_ = true;
    return kSize;
}

uint16_t BACnetAbortPDU::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartThreeOctetEncode(buffer, room, outcome)) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    return WriteThreeOctets(buffer, room, server_ ? kServerFlag : 0, originalInvokeId_, abortReason_);
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
