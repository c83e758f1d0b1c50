#include "core/bacnetobjectbase.h"

#include "core/bacnetabstractsyntaxtype.h"
#include "core/bacnettag.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetobjectbase";
constexpr const char* kDecodeWithContext = "ZalvoBACnetStack::BACnetObjectBase::DecodeWithContext";
constexpr const char* kEncodeWithContext = "ZalvoBACnetStack::BACnetObjectBase::EncodeWithContext";
}  // namespace

uint16_t BACnetObjectBase::DecodeWithContext(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                             uint8_t contextTag, bool /*quiet*/) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        valid_ = false;
        return 0;
    }
    Reset();
    BACnetTag tag;
    const uint16_t opening = tag.DecodeAndCheckOpeningTag(buffer, length, contextTag);
    if (opening == 0) {
        StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Error Decoding opening tag ");
        valid_ = false;
        return 0;
    }
    const uint16_t contents = Decode(buffer + opening, static_cast<uint16_t>(length - opening), outcome);
    if (contents == 0 && !valid_) {
        StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Error decoding the error");
        return 0;
    }
    const uint16_t used = static_cast<uint16_t>(opening + contents);
    const uint16_t closing = tag.DecodeAndCheckClosingTag(buffer + used, static_cast<uint16_t>(length - used), contextTag);
    if (closing == 0) {
        StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Error Decoding closing tag ");
        valid_ = false;
        return 0;
    }
    return static_cast<uint16_t>(used + closing);
}

uint16_t BACnetObjectBase::EncodeWithContext(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                             uint8_t contextTag) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Invalid constructed object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const BACnetTag opening = BACnetTag::Opening(contextTag);
    const uint16_t openingSize = opening.Encode(buffer, room);
    if (openingSize == 0) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Error encoding opening tag for context=%u",
                      unsigned{contextTag});
        return 0;
    }
    uint16_t used = openingSize;
    const uint16_t contents = Encode(buffer + used, static_cast<uint16_t>(room - used), outcome);
    // Only an empty value holder may have no contents; a holder whose values
    // did not fit must not pass as an empty one.
    const auto* holder = dynamic_cast<const BACnetAbstractSyntaxType*>(this);
    if (contents == 0 && (holder == nullptr || holder->Size() != 0)) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Error encoding the constructed object");
        return 0;
    }
    used = static_cast<uint16_t>(used + contents);
    const BACnetTag closing = BACnetTag::Closing(contextTag);
    const uint16_t closingSize = closing.Encode(buffer + used, static_cast<uint16_t>(room - used));
    if (closingSize == 0) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Error encoding closing tag for context=%u",
                      unsigned{contextTag});
        return 0;
    }
    return static_cast<uint16_t>(used + closingSize);
}

}  // namespace ZalvoBACnetStack
