#include "message/bacnetpacket.h"

#include <new>

#include "core/stackerrorlog.h"
#include "message/bacnetippacket.h"
#include "message/bacnetmessagedatatypes.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetpacket";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPacket::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPacket::Encode";
constexpr const char* kInsert = "ZalvoBACnetStack::BACnetPacket::InsertAPDUAndTakeOwnership";

std::unique_ptr<BACnetPDU> ClonePDU(const BACnetPDU* pdu) {
    if (pdu == nullptr) return nullptr;
    std::unique_ptr<ICodable> copy = pdu->Clone();
    auto* typed = dynamic_cast<BACnetPDU*>(copy.get());
    if (typed == nullptr) return nullptr;
    copy.release();
    return std::unique_ptr<BACnetPDU>(typed);
}
}  // namespace

BACnetPacket::~BACnetPacket() = default;

BACnetPacket::BACnetPacket(const BACnetPacket& other)
    : BACnetObjectBase(other), npdu_(other.npdu_), apdu_(ClonePDU(other.apdu_.get())) {}

uint16_t BACnetPacket::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        ResetLayers();
        return 0;
    }
    ResetLayers();
    const uint16_t npduSize = npdu_.Decode(buffer, length, outcome);
    if (npduSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode the NPDU");
        return 0;
    }
    if (npduSize >= length) {
        // The header used every octet: there is no PDU type to read.
        StackErrorLog(kDecode, kSource, __LINE__, "Buffer does not have enough bytes to decode the APDU");
        return 0;
    }
    apdu_ = BACnetPDU::CreatePDU(BACnetPDU::TypeOf(buffer[npduSize]));
    if (apdu_ == nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid PDU Type");
        return 0;
    }
    const uint16_t apduSize = apdu_->Decode(buffer + npduSize, static_cast<uint16_t>(length - npduSize), outcome);
    if (apduSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode the APDU");
        return 0;
    }
    valid_ = true;
    return static_cast<uint16_t>(npduSize + apduSize);
}

uint16_t BACnetPacket::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid packet object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const uint16_t npduSize = npdu_.Encode(buffer, room, outcome);
    if (npduSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error occurred while encoding the NPDU");
        return 0;
    }
    if (apdu_ == nullptr) {
        StackErrorLog(kEncode, kSource, __LINE__, "APDU is NULL");
        return 0;
    }
    if (npduSize >= room) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    const uint16_t apduSize = apdu_->Encode(buffer + npduSize, static_cast<uint16_t>(room - npduSize), outcome);
    if (apduSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error occurred while encoding the APDU");
        return 0;
    }
    return static_cast<uint16_t>(npduSize + apduSize);
}

std::unique_ptr<ICodable> BACnetPacket::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetPacket(*this));
}

uint8_t BACnetPacket::GetDatatype() const { return Datatype::kPacket; }

void BACnetPacket::Reset() { ResetLayers(); }

void BACnetPacket::ResetLayers() {
    npdu_.Reset();
    apdu_.reset();
    valid_ = false;
}

bool BACnetPacket::LayersEqual(const BACnetPacket& other) const {
    if (valid_ != other.valid_ || !npdu_.IsEqual(&other.npdu_)) return false;
    if (apdu_ == nullptr || other.apdu_ == nullptr) return apdu_ == other.apdu_;
    return apdu_->IsEqual(other.apdu_.get());
}

bool BACnetPacket::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* packet = dynamic_cast<const BACnetPacket*>(other);
    // A packet with a link layer header never equals one without.
    if (packet == nullptr || dynamic_cast<const BACnetIPPacket*>(other) != nullptr) return false;
    return LayersEqual(*packet);
}

std::string BACnetPacket::GetElementName() const { return "BACnetPacket"; }

bool BACnetPacket::GetAttributes(RenderAttributes& attributes) const {
    switch (GetNetworkType()) {
        case kNetworkTypeIP: attributes["networkType"] = "IP"; return true;
        case kNetworkTypeMSTP: attributes["networkType"] = "MSTP"; return true;
        default: return false;
    }
}

bool BACnetPacket::GetChildren(RenderChildren& children) const {
    if (!npdu_.IsValid() || apdu_ == nullptr || !apdu_->IsValid()) return false;
    children.push_back(MakeRenderChild(&npdu_));
    children.push_back(MakeRenderChild(apdu_.get()));
    return true;
}

bool BACnetPacket::InsertAPDUAndTakeOwnership(std::unique_ptr<BACnetPDU> adoptedApdu) {
    if (adoptedApdu == nullptr) {
        StackErrorLog(kInsert, kSource, __LINE__, "Error - APDU does not exist");
        return false;
    }
    apdu_ = std::move(adoptedApdu);
    valid_ = apdu_->IsValid();
    return true;
}

std::unique_ptr<BACnetPacket> BACnetPacket::CreatePacket(uint32_t networkType) {
    if (networkType != kNetworkTypeIP) return nullptr;
    return std::unique_ptr<BACnetPacket>(new (std::nothrow) BACnetIPPacket());
}

}  // namespace ZalvoBACnetStack
