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

BACnetPropertyValueList::BACnetPropertyValueList(const BACnetPropertyValueList& other) : BACnetObjectBase(other) {
    values_.reserve(other.values_.size());
    // A value that cannot be copied for lack of memory is left out; Clone
    // notices the difference.
    for (const auto& value : other.values_) {
        std::unique_ptr<BACnetPropertyValue> copy(new (std::nothrow) BACnetPropertyValue(*value));
        if (copy != nullptr) values_.push_back(std::move(copy));
    }
}

BACnetPropertyValueList& BACnetPropertyValueList::operator=(const BACnetPropertyValueList& other) {
    if (this != &other) *this = BACnetPropertyValueList(other);
    return *this;
}

void BACnetPropertyValueList::SetEmpty() {
    values_.clear();
    valid_ = true;
}

bool BACnetPropertyValueList::Add(const BACnetPropertyValue& value) {
    std::unique_ptr<BACnetPropertyValue> copy(value.IsValid() ? new (std::nothrow) BACnetPropertyValue(value)
                                                              : nullptr);
    if (copy == nullptr || !copy->IsEqual(&value)) {
        StackErrorLog(kAdd, kSource, __LINE__, "Error - unable to add the property value");
        return false;
    }
    values_.push_back(std::move(copy));
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
        std::unique_ptr<BACnetPropertyValue> value(new (std::nothrow) BACnetPropertyValue());
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
        values_.push_back(std::move(value));
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
    uint16_t used = 0;
    for (const auto& value : values_) {
        const uint16_t written =
            used < room ? value->Encode(buffer + used, static_cast<uint16_t>(room - used), outcome) : 0;
        if (written == 0) {
            StackErrorLog(operation, kSource, __LINE__, "Error encoding a list item");
            return 0;
        }
        used = static_cast<uint16_t>(used + written);
    }
    return used;
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
    if (!values_.empty()) {
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
    if (copy != nullptr && !copy->IsEqual(this)) return nullptr;
    return copy;
}

void BACnetPropertyValueList::Reset() {
    values_.clear();
    valid_ = false;
}

bool BACnetPropertyValueList::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetPropertyValueList*>(other);
    if (same == nullptr || same->valid_ != valid_ || same->values_.size() != values_.size()) return false;
    for (size_t i = 0; i < values_.size(); ++i) {
        if (!values_[i]->IsEqual(same->values_[i].get())) return false;
    }
    return true;
}

bool BACnetPropertyValueList::GetAttributes(RenderAttributes& attributes) const {
    attributes["count"] = std::to_string(values_.size());
    return true;
}

bool BACnetPropertyValueList::GetChildren(RenderChildren& children) const {
    for (const auto& value : values_) children.push_back(MakeRenderChild(value.get()));
    return !values_.empty();
}

}  // namespace ZalvoBACnetStack
