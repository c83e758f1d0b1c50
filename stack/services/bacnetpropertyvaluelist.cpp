#include "services/bacnetpropertyvaluelist.h"

#include <new>

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kListSource = "bacnetpropertyvaluelist";
constexpr const char* kDecodeWithContext = "ZalvoBACnetStack::BACnetPropertyValueList::DecodeWithContext";
constexpr const char* kEncodeWithContext = "ZalvoBACnetStack::BACnetPropertyValueList::EncodeWithContext";
}  // namespace

uint16_t BACnetPropertyValueList::DecodeWithContext(const uint8_t* buffer, uint16_t length,
                                                    BACnetErrorOutcome* outcome, uint8_t contextTag,
                                                    bool /*quiet*/) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecodeWithContext, kListSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    BACnetTag tag;
    uint16_t used = tag.DecodeAndCheckOpeningTag(buffer, length, contextTag);
    if (used == 0) {
        StackErrorLog(kDecodeWithContext, kListSource, __LINE__, "Error Decoding opening tag ");
        return 0;
    }
    SetEmpty();
    for (;;) {
        const uint16_t left = static_cast<uint16_t>(length - used);
        const uint16_t headerSize = tag.Decode(buffer + used, left);
        if (headerSize == 0) {
            // The buffer ended (or a header was cut) before the closing tag.
            StackErrorLog(kDecodeWithContext, kListSource, __LINE__, "Error decoding tag");
            Reset();
            return 0;
        }
        if (tag.IsClosing() && tag.tagNumber == contextTag) return static_cast<uint16_t>(used + headerSize);
        BACnetPropertyValue element;
        const uint16_t size = element.Decode(buffer + used, left, outcome);
        if (size == 0) {
            StackErrorLog(kDecodeWithContext, kListSource, __LINE__, "Error decoding a list item");
            Reset();
            return 0;
        }
        Add(element);
        used = static_cast<uint16_t>(used + size);
    }
}

uint16_t BACnetPropertyValueList::EncodeWithContext(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                                    uint8_t contextTag) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncodeWithContext, kListSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!IsValid()) {
        StackErrorLog(kEncodeWithContext, kListSource, __LINE__, "Invalid BACnetListOfValues object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    uint16_t used = BACnetTag::Opening(contextTag).Encode(buffer, room);
    if (used == 0) {
        StackErrorLog(kEncodeWithContext, kListSource, __LINE__, "Error encoding opening tag for context=%u",
                      unsigned{contextTag});
        return 0;
    }
    if (Size() != 0) {
        const uint16_t contents = Encode(buffer + used, static_cast<uint16_t>(room - used), outcome);
        if (contents == 0) {
            StackErrorLog(kEncodeWithContext, kListSource, __LINE__, "Error encoding the list");
            return 0;
        }
        used = static_cast<uint16_t>(used + contents);
    }
    const uint16_t closing = BACnetTag::Closing(contextTag).Encode(buffer + used, static_cast<uint16_t>(room - used));
    if (closing == 0) {
        StackErrorLog(kEncodeWithContext, kListSource, __LINE__, "Error encoding closing tag for context=%u",
                      unsigned{contextTag});
        return 0;
    }
    return static_cast<uint16_t>(used + closing);
}

std::unique_ptr<ICodable> BACnetPropertyValueList::Clone() const {
    std::unique_ptr<ICodable> copy(new (std::nothrow) BACnetPropertyValueList(*this));
    // An element's value may have failed to copy when memory ran out.
    if (copy != nullptr && !copy->IsEqual(this)) return nullptr;
    return copy;
}

}  // namespace ZalvoBACnetStack
