#include "message/bacnetpdu.h"

#include <new>

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
