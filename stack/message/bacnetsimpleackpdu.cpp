#include "message/bacnetsimpleackpdu.h"

#include <new>

#include "core/stackerrorlog.h"
#include "render/bacnetnametables.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetsimpleackpdu";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetSimpleACKPDU::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetSimpleACKPDU::Encode";
constexpr const char* kWrongSize = "Buffer does not have enough bytes to decode a proper Simple Ack message";
}  // namespace

uint16_t BACnetSimpleACKPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartThreeOctetDecode(buffer, length, outcome, kWrongTypeRejects, kWrongSize)) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    originalInvokeId_ = buffer[1];
    serviceAckChoice_ = buffer[2];
    valid_ = true;
    return kSize;
}

uint16_t BACnetSimpleACKPDU::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartThreeOctetEncode(buffer, room, outcome)) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    return WriteThreeOctets(buffer, room, 0, originalInvokeId_, serviceAckChoice_);
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
