#include "services/bacnetpropertyvaluelist.h"

#include <new>

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetpropertyvaluelist";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPropertyValueList::Decode";
constexpr const char* kDecodeWithContext = "ZalvoBACnetStack::BACnetPropertyValueList::DecodeWithContext";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPropertyValueList::Encode";
constexpr const char* kEncodeWithContext = "ZalvoBACnetStack::BACnetPropertyValueList::EncodeWithContext";
constexpr const char* kAdd = "ZalvoBACnetStack::BACnetPropertyValueList::Add";
}  // namespace

// When memory runs out the copy holds no values; Clone notices the difference.
BACnetPropertyValueList::BACnetPropertyValueList(const BACnetPropertyValueList& other)
    : BACnetObjectBase(other), values_(other.values_) {}

BACnetPropertyValueList& BACnetPropertyValueList::operator=(const BACnetPropertyValueList& other) {
    if (this != &other) *this = BACnetPropertyValueList(other);
    return *this;
}

void BACnetPropertyValueList::SetEmpty() {
    values_.Clear();
    valid_ = true;
}

bool BACnetPropertyValueList::Add(const BACnetPropertyValue& value) {
    // A REAL or Double NaN is a value like any other: the copy is not
    // checked by equality, which a NaN never satisfies.
    if (!value.IsValid() || !values_.AddCopy(value)) {
        StackErrorLog(kAdd, kSource, __LINE__, "Error - unable to add the property value");
        return false;
    }
    valid_ = true;
    return true;
}

uint16_t BACnetPropertyValueList::DecodeValues(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                               const char* operation, int closingTag, uint16_t& closingSize) {
    closingSize = 0;
    uint16_t used = 0;
    for (;;) {
        const uint16_t left = static_cast<uint16_t>(length - used);
        BACnetTag tag;
        const uint16_t headerSize = tag.Decode(buffer + used, left);
        if (headerSize == 0) {
            // The buffer ended (or a header was cut) before the closing tag.
            StackErrorLog(operation, kSource, __LINE__, "Error decoding tag");
            Reset();
            return 0;
        }
        if (tag.IsClosing() && (closingTag < 0 || tag.tagNumber == closingTag)) {
            closingSize = headerSize;
            valid_ = true;
            return used;
        }
        BACnetPropertyValue* value = values_.AddNew();
        if (value == nullptr) {
            StackErrorLog(operation, kSource, __LINE__, "Error - out of memory");
            SetAbort(outcome, kAbortOther);
            Reset();
            return 0;
        }
        const uint16_t size = value->Decode(buffer + used, left, outcome);
        if (size == 0) {
            StackErrorLog(operation, kSource, __LINE__, "Error decoding a list item");
            Reset();
            return 0;
        }
        used = static_cast<uint16_t>(used + size);
    }
}

uint16_t BACnetPropertyValueList::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    uint16_t closingSize = 0;
    return DecodeValues(buffer, length, outcome, kDecode, -1, closingSize);
}

uint16_t BACnetPropertyValueList::DecodeWithContext(const uint8_t* buffer, uint16_t length,
                                                    BACnetErrorOutcome* outcome, uint8_t contextTag,
                                                    bool /*quiet*/) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    BACnetTag opening;
    const uint16_t openingSize = opening.DecodeAndCheckOpeningTag(buffer, length, contextTag);
    if (openingSize == 0) {
        StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Error Decoding opening tag ");
        return 0;
    }
    uint16_t closingSize = 0;
    const uint16_t contents = DecodeValues(buffer + openingSize, static_cast<uint16_t>(length - openingSize), outcome,
                                           kDecodeWithContext, contextTag, closingSize);
    if (closingSize == 0) return 0;
    return static_cast<uint16_t>(openingSize + contents + closingSize);
}

uint16_t BACnetPropertyValueList::EncodeValues(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                               const char* operation) {
    BACnetServiceCodec::EncodeCursor cursor{buffer, room};
    if (!values_.EncodeEach(cursor, outcome)) {
        StackErrorLog(operation, kSource, __LINE__, "Error encoding a list item");
        return 0;
    }
    return cursor.used;
}

uint16_t BACnetPropertyValueList::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetListOfValues object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    return EncodeValues(buffer, room, outcome, kEncode);
}

uint16_t BACnetPropertyValueList::EncodeWithContext(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                                    uint8_t contextTag) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Invalid BACnetListOfValues object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    uint16_t used = BACnetTag::Opening(contextTag).Encode(buffer, room);
    if (used == 0) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Error encoding opening tag for context=%u",
                      unsigned{contextTag});
        return 0;
    }
    if (!values_.Empty()) {
        const uint16_t contents =
            EncodeValues(buffer + used, static_cast<uint16_t>(room - used), outcome, kEncodeWithContext);
        if (contents == 0) return 0;
        used = static_cast<uint16_t>(used + contents);
    }
    const uint16_t closing = BACnetTag::Closing(contextTag).Encode(buffer + used, static_cast<uint16_t>(room - used));
    if (closing == 0) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Error encoding closing tag for context=%u",
                      unsigned{contextTag});
        return 0;
    }
    return static_cast<uint16_t>(used + closing);
}

std::unique_ptr<ICodable> BACnetPropertyValueList::Clone() const {
    std::unique_ptr<ICodable> copy(new (std::nothrow) BACnetPropertyValueList(*this));
    // A value may have failed to copy when memory ran out.
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetPropertyValueList::Reset() {
    values_.Clear();
    valid_ = false;
}

bool BACnetPropertyValueList::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetPropertyValueList*>(other);
    return same != nullptr && same->valid_ == valid_ && values_.IsEqual(same->values_);
}

bool BACnetPropertyValueList::GetAttributes(RenderAttributes& attributes) const {
    values_.AddCount(attributes);
    return true;
}

bool BACnetPropertyValueList::GetChildren(RenderChildren& children) const {
    return values_.AddChildren(children);
}

}  // namespace ZalvoBACnetStack
