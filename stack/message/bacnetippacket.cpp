#include "message/bacnetippacket.h"

#include <new>

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetippacket";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetIPPacket::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetIPPacket::Encode";

// Octets in front of the NPDU: the header, and the originating address of a
// Forwarded-NPDU.
uint16_t HeaderSizeFor(uint8_t function) {
    return function == BACnetBVLL::kForwardedNPDU ? BACnetBVLL::kHeaderSize + BACnetBVLL::kOriginatingAddressSize
                                                  : BACnetBVLL::kHeaderSize;
}
}  // namespace

uint16_t BACnetIPPacket::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    const uint16_t bvllSize = bvll_.Decode(buffer, length, outcome);
    if (bvllSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode the BVLL");
        return 0;
    }
    if (!BACnetBVLL::CarriesNPDU(bvll_.GetFunction())) {
        valid_ = true;
        return bvllSize;
    }
    // The NPDU and APDU behind the header; an empty rest is refused there.
    const uint16_t restSize =
        BACnetPacket::Decode(buffer + bvllSize, static_cast<uint16_t>(length - bvllSize), outcome);
    if (restSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode the rest of the packet");
        return 0;
    }
    return static_cast<uint16_t>(bvllSize + restSize);
}

uint16_t BACnetIPPacket::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!BACnetBVLL::CarriesNPDU(bvll_.GetFunction())) {
        const uint16_t bvllSize = bvll_.Encode(buffer, room, outcome);
        if (bvllSize == 0) StackErrorLog(kEncode, kSource, __LINE__, "Error occurred while encoding the BVLL");
        return bvllSize;
    }
    const uint16_t headerSize = HeaderSizeFor(bvll_.GetFunction());
    const uint16_t restRoom = room > headerSize ? static_cast<uint16_t>(room - headerSize) : 0;
    const uint16_t restSize = BACnetPacket::Encode(buffer + headerSize, restRoom, outcome);
    if (restSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error occurred while encoding the rest of the packet");
        return 0;
    }
    // The length field counts the whole message, so the header goes last.
    bvll_.SetLengthForNPDU(restSize);
    if (bvll_.Encode(buffer, headerSize, outcome) != headerSize) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error occurred while encoding the BVLL");
        return 0;
    }
    return static_cast<uint16_t>(headerSize + restSize);
}

std::unique_ptr<ICodable> BACnetIPPacket::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetIPPacket(*this));
}

void BACnetIPPacket::Reset() {
    ResetLayers();
    bvll_.Reset();
}

bool BACnetIPPacket::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* packet = dynamic_cast<const BACnetIPPacket*>(other);
    return packet != nullptr && bvll_.IsEqual(&packet->bvll_) && LayersEqual(*packet);
}

bool BACnetIPPacket::GetChildren(RenderChildren& children) const {
    if (!bvll_.IsValid()) return false;
    children.push_back(MakeRenderChild(&bvll_));
    BACnetPacket::GetChildren(children);
    return true;
}

void BACnetIPPacket::SetBVLL(const BACnetBVLL& bvll) {
    bvll_.CopyFrom(bvll);
    valid_ = true;
}

}  // namespace ZalvoBACnetStack
