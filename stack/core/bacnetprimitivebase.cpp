#include "core/bacnetprimitivebase.h"

#include <string>

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivebase";
constexpr const char* kDecodeWithContext = "ZalvoBACnetStack::BACnetPrimitiveBase::DecodeWithContext";
constexpr const char* kEncodeWithContext = "ZalvoBACnetStack::BACnetPrimitiveBase::EncodeWithContext";
}  // namespace

uint16_t BACnetPrimitiveBase::DecodeWithContext(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                                uint8_t contextTag, bool quiet) {
    if (buffer == nullptr || length == 0) {
        if (!quiet) {
            StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Invalid parameters ");
            SetReject(outcome, kRejectOther);
        }
        return 0;
    }
    Reset();
    if (tag_.Decode(buffer, length) == 0) {
        StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Could not decode the tag");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    if (!tag_.IsContext() || tag_.tagNumber != contextTag) {
        if (!quiet) {
            StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Invalid Tag Number");
            SetReject(outcome, kRejectInvalidTag);
        }
        Reset();
        return 0;
    }
    if (tag_.IsOpeningOrClosing()) {
        if (!quiet) {
            StackErrorLog(kDecodeWithContext, kSource, __LINE__,
                          "Invalid tag, decoded an opening or closing tag when this is a primitive");
            SetReject(outcome, kRejectInvalidTag);
        }
        Reset();
        return 0;
    }
    const uint16_t used = Decode(buffer, length, outcome);
    if (used == 0) {
        StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Could not decode the primitive");
        return 0;
    }
    return used;
}

uint16_t BACnetPrimitiveBase::EncodeWithContext(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                                uint8_t contextTag) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Invalid primitive");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!tag_.IsContext() || tag_.tagNumber != contextTag) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Invalid tag");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const uint16_t written = Encode(buffer, room, outcome);
    if (written == 0) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Error encoding primitive");
        return 0;
    }
    return written;
}

bool BACnetPrimitiveBase::GetAttributes(RenderAttributes& attributes) const {
    attributes["datatype"] = std::to_string(GetDatatype());
    if (tag_.IsContext()) attributes["context"] = std::to_string(tag_.tagNumber);
    return true;
}

}  // namespace ZalvoBACnetStack
