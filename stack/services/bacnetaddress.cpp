#include "services/bacnetaddress.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetaddress";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetAddress::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetAddress::Encode";
using Codec = BACnetServiceCodec;
}  // namespace

void BACnetAddress::SetAddress(uint16_t networkNumber, std::vector<uint8_t> macAddress) {
    networkNumber_.Reset();
    macAddress_.Reset();
    networkNumber_.SetValue(networkNumber);
    macAddress_.SetValue(std::move(macAddress));
    valid_ = true;
}

uint16_t BACnetAddress::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid prameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (const char* failure = Codec::DecodeApplicationMembers(
            cursor, outcome,
            {{networkNumber_, "Failed to decode networkNumber"}, {macAddress_, "Failed to decode macAddress"}})) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetAddress::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetPropertyReference object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    // The encoder reports with the decoder's wording.
    if (const char* failure = Codec::EncodeApplicationMembers(
            cursor, outcome,
            {{networkNumber_, "Failed to decode networkNumber"}, {macAddress_, "Failed to decode macAddress"}})) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetAddress::Clone() const { return Codec::CopyOf(*this); }

void BACnetAddress::Reset() {
    networkNumber_.Reset();
    macAddress_.Reset();
    valid_ = false;
}

bool BACnetAddress::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetAddress*>(other);
    return same != nullptr && networkNumber_.IsEqual(&same->networkNumber_) &&
           macAddress_.IsEqual(&same->macAddress_);
}

bool BACnetAddress::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&networkNumber_, "NetworkNumber"));
    children.push_back(MakeRenderChild(&macAddress_, "MacAddress"));
    return true;
}

}  // namespace ZalvoBACnetStack
