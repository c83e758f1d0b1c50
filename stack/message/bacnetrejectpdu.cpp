#include "message/bacnetrejectpdu.h"

#include <new>

#include "core/stackerrorlog.h"
#include "render/bacnetnametables.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetrejectpdu";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetRejectPDU::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetRejectPDU::Encode";
constexpr const char* kWrongSize = "Buffer does not have enough bytes to decode a proper Reject message";
}  // namespace

uint16_t BACnetRejectPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartThreeOctetDecode(buffer, length, outcome, kWrongTypeRejects, kWrongSize)) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    originalInvokeId_ = buffer[1];
    rejectReason_ = buffer[2];
    valid_ = true;
    return kSize;
}

uint16_t BACnetRejectPDU::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartThreeOctetEncode(buffer, room, outcome)) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    return WriteThreeOctets(buffer, room, 0, originalInvokeId_, rejectReason_);
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
