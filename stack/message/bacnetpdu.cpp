#include "message/bacnetpdu.h"

#include <new>
#include <string>

#include "message/bacnetabortpdu.h"
#include "message/bacnetcomplexackpdu.h"
#include "message/bacnetconfirmedrequestpdu.h"
#include "message/bacneterrorpdu.h"
#include "message/bacnetmessagedatatypes.h"
#include "message/bacnetrejectpdu.h"
#include "message/bacnetsimpleackpdu.h"
#include "message/bacnetunconfirmedrequestpdu.h"

namespace ZalvoBACnetStack {
namespace {
template <class T>
std::unique_ptr<BACnetPDU> Make() {
    return std::unique_ptr<BACnetPDU>(new (std::nothrow) T());
}
}  // namespace

uint8_t BACnetPDU::GetDatatype() const { return Datatype::kPDU; }

bool BACnetPDU::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* pdu = dynamic_cast<const BACnetPDU*>(other);
    return pdu != nullptr && pdu->GetPDUType() == GetPDUType() && pdu->valid_ == valid_ && HasSameFields(*pdu);
}

const char* BACnetPDU::StartDecode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                   const WrongType& wrongType) {
    Reset();
    if (buffer == nullptr || length == 0) {
        SetReject(outcome, kRejectOther);
        return "Invalid parameters ";
    }
    if (TypeOf(buffer[0]) != GetPDUType()) {
        SetOutcome(outcome, wrongType.kind, wrongType.reason);
        return wrongType.text;
    }
    return nullptr;
}

const char* BACnetPDU::StartEncode(const uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                   const char* invalidText) const {
    if (buffer == nullptr || room == 0) {
        SetAbort(outcome, kAbortOther);
        return "Invalid parameters";
    }
    if (!valid_) {
        SetAbort(outcome, kAbortOther);
        return invalidText;
    }
    return nullptr;
}

const char* BACnetPDU::StartThreeOctetDecode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                             const WrongType& wrongType, const char* wrongSizeText) {
    if (const char* failure = StartDecode(buffer, length, outcome, wrongType)) return failure;
    if (length != kThreeOctets) {
        SetAbort(outcome, kAbortOther);
        return wrongSizeText;
    }
    return nullptr;
}

const char* BACnetPDU::StartThreeOctetEncode(const uint8_t* buffer, uint16_t room,
                                             BACnetErrorOutcome* outcome) const {
    // The three kinds have always shared this text.
    if (const char* failure = StartEncode(buffer, room, outcome, "Invalid abort pdu object")) return failure;
    if (room < kThreeOctets) {
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return "Not enough space to encode this object";
    }
    return nullptr;
}

uint16_t BACnetPDU::WriteThreeOctets(uint8_t* buffer, uint16_t room, uint8_t flags, uint8_t originalInvokeId,
                                     uint32_t last) const {
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteU8(static_cast<uint8_t>(GetPDUType() << 4 | flags));
    writer.WriteU8(originalInvokeId);
    writer.WriteU8(static_cast<uint8_t>(last));
    return kThreeOctets;
}

void BACnetPDU::Segmentation::AddAttributes(RenderAttributes& attributes) const {
    attributes["segmentedMessage"] = segmentedMessage ? "1" : "0";
    attributes["moreFollows"] = moreFollows ? "1" : "0";
    if (segmentedMessage) {
        attributes["sequenceNumber"] = std::to_string(sequenceNumber);
        attributes["proposedWindowSize"] = std::to_string(proposedWindowSize);
    }
}

std::unique_ptr<BACnetPDU> BACnetPDU::CreatePDU(uint8_t pduType) {
    switch (pduType) {
        case kConfirmedRequest: return Make<BACnetConfirmedRequestPDU>();
        case kUnconfirmedRequest: return Make<BACnetUnconfirmedRequestPDU>();
        case kSimpleACK: return Make<BACnetSimpleACKPDU>();
        case kComplexACK: return Make<BACnetComplexACKPDU>();
        case kError: return Make<BACnetErrorPDU>();
        case kReject: return Make<BACnetRejectPDU>();
        case kAbort: return Make<BACnetAbortPDU>();
        default: return nullptr;  // Segment-ACK (4) and the unassigned types 8 to 15
    }
}

}  // namespace ZalvoBACnetStack
