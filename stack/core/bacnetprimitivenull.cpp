#include "core/bacnetprimitivenull.h"

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivenull";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveNULL::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveNULL::Encode";
}  // namespace

uint16_t BACnetPrimitiveNULL::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    const uint16_t headerSize = tag_.Decode(buffer, length);
    if (headerSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Can not extract Property length ");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    // Only the one-octet application header 0x00 is a NULL; anything else is
    // some other value that a caller may try next, so it is not reported.
    if (headerSize != 1 || tag_.IsContext() || tag_.tagNumber != Datatype::kNull || tag_.lengthValueType != 0) {
        Reset();
        return 0;
    }
    valid_ = true;
    return headerSize;
}

uint16_t BACnetPrimitiveNULL::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid prameters.");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid primitive null object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteU8(0x00);
    return static_cast<uint16_t>(writer.Position());
}

bool BACnetPrimitiveNULL::IsEqual(const ICodable* other) const {
    return other != nullptr && other->GetDatatype() == Datatype::kNull;
}

}  // namespace ZalvoBACnetStack
