#include "services/bacnetreadresult.h"

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetreadresult";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetReadResult::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetReadResult::Encode";
constexpr const char* kSet = "ZalvoBACnetStack::BACnetReadResult::SetReadResult";
constexpr uint8_t kPropertyIdentifierTag = 2;
constexpr uint8_t kPropertyArrayIndexTag = 3;
constexpr uint8_t kPropertyValueTag = 4;
constexpr uint8_t kPropertyAccessErrorTag = 5;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetReadResult::BACnetReadResult() : propertyValue_(kPropertyValueTag) { Reset(); }

bool BACnetReadResult::SetReadResult(const BACnetPrimitiveENUM& propertyIdentifier,
                                     const BACnetPrimitiveUINT* propertyArrayIndex,
                                     const BACnetAbstractSyntaxType* value, const BACnetError* propertyAccessError) {
    Reset();
    if (!propertyIdentifier.IsValid()) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the property identifier");
        return false;
    }
    if (propertyArrayIndex != nullptr && !propertyArrayIndex->IsValid()) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the property array index");
        return false;
    }
    if (propertyAccessError != nullptr && !propertyAccessError->IsValid()) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the property access error");
        return false;
    }
    if ((value == nullptr) == (propertyAccessError == nullptr) ||
        (value != nullptr && !Codec::CopyAbstractValue(propertyValue_, *value))) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the read result");
        Reset();
        return false;
    }
    if (propertyAccessError != nullptr) {
        propertyAccessError_.SetError(propertyAccessError->GetErrorClass().GetValue(),
                                      propertyAccessError->GetErrorCode().GetValue());
    }
    propertyIdentifier_.SetValue(propertyIdentifier.GetValue());
    if (propertyArrayIndex != nullptr) propertyArrayIndex_.SetValue(propertyArrayIndex->GetValue());
    valid_ = true;
    return true;
}

bool BACnetReadResult::SetReadResultValue(uint32_t propertyIdentifier, std::optional<uint32_t> propertyArrayIndex,
                                          const BACnetAbstractSyntaxType& value) {
    const BACnetPropertyIdentifier property(propertyIdentifier);
    const BACnetPrimitiveUINT index(propertyArrayIndex.value_or(0));
    return SetReadResult(property, propertyArrayIndex ? &index : nullptr, &value, nullptr);
}

bool BACnetReadResult::SetReadResultError(uint32_t propertyIdentifier, std::optional<uint32_t> propertyArrayIndex,
                                          uint32_t errorClass, uint32_t errorCode) {
    const BACnetPropertyIdentifier property(propertyIdentifier);
    const BACnetPrimitiveUINT index(propertyArrayIndex.value_or(0));
    BACnetError error;
    error.SetError(errorClass, errorCode);
    return SetReadResult(property, propertyArrayIndex ? &index : nullptr, nullptr, &error);
}

uint16_t BACnetReadResult::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (!Codec::DecodeRequired(propertyIdentifier_, cursor, outcome, kPropertyIdentifierTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode propertyIdentifier");
        Reset();
        return 0;
    }
    Codec::DecodeOptional(propertyArrayIndex_, cursor, outcome, kPropertyArrayIndexTag);

    BACnetTag choice;
    if (choice.Decode(cursor.Here(), cursor.Left()) == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode tag for propertyValue or propertyAccessError");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    if (choice.IsOpening() && choice.tagNumber == kPropertyValueTag) {
        if (!Codec::DecodeTypedValue(propertyValue_, cursor, outcome, kPropertyValueTag, objectType_,
                                     propertyIdentifier_, propertyArrayIndex_)) {
            StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode propertyValue");
            Reset();
            return 0;
        }
    } else if (choice.IsOpening() && choice.tagNumber == kPropertyAccessErrorTag) {
        if (!Codec::DecodeRequired(propertyAccessError_, cursor, outcome, kPropertyAccessErrorTag)) {
            StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode propertyAccessError");
            Reset();
            return 0;
        }
    } else {
        StackErrorLog(kDecode, kSource, __LINE__,
                      "Invalid tag here, expecting propertyValue context 4 or propertyAccessError context 5");
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetReadResult::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    if (!propertyValue_.IsValid() && !propertyAccessError_.IsValid()) {
        StackErrorLog(kEncode, kSource, __LINE__, "Both propertyValue and PropertyAccessError are not set");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (!Codec::EncodeContext(propertyIdentifier_, cursor, outcome, kPropertyIdentifierTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode propertyIdentifier");
        return 0;
    }
    if (propertyArrayIndex_.IsValid() &&
        !Codec::EncodeContext(propertyArrayIndex_, cursor, outcome, kPropertyArrayIndexTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode propertyArrayIndex");
        return 0;
    }
    if (propertyValue_.IsValid()) {
        if (!Codec::EncodeContext(propertyValue_, cursor, outcome, kPropertyValueTag)) {
            StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode propertyValue");
            return 0;
        }
    } else if (!Codec::EncodeContext(propertyAccessError_, cursor, outcome, kPropertyAccessErrorTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode propertyAccessError");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetReadResult::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    // The value's copy may have run out of memory.
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetReadResult::Reset() {
    Codec::ResetContextMember(propertyIdentifier_, kPropertyIdentifierTag);
    Codec::ResetContextMember(propertyArrayIndex_, kPropertyArrayIndexTag);
    propertyValue_.Reset();
    propertyAccessError_.Reset();
    valid_ = false;
}

bool BACnetReadResult::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetReadResult*>(other);
    return same != nullptr && propertyIdentifier_.IsEqual(&same->propertyIdentifier_) &&
           Codec::SameOptional(propertyArrayIndex_, same->propertyArrayIndex_) &&
           Codec::SameOptional(propertyValue_, same->propertyValue_) &&
           Codec::SameOptional(propertyAccessError_, same->propertyAccessError_);
}

bool BACnetReadResult::ValueIsWhollyValid() const {
    if (!propertyValue_.IsValid()) return false;
    for (size_t index = 0; index < propertyValue_.Size(); ++index) {
        const auto* value = dynamic_cast<const BACnetObjectBase*>(propertyValue_.At(index));
        if (value == nullptr || !value->IsValid()) return false;
    }
    return true;
}

bool BACnetReadResult::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&propertyIdentifier_, {}, kPropertyIdentifierTag));
    if (propertyArrayIndex_.IsValid())
        children.push_back(MakeRenderChild(&propertyArrayIndex_, "PropertyArrayIndex", kPropertyArrayIndexTag));
    if (ValueIsWhollyValid())
        children.push_back(MakeRenderChild(&propertyValue_, "PropertyValue", kPropertyValueTag));
    if (propertyAccessError_.IsValid())
        children.push_back(MakeRenderChild(&propertyAccessError_, "PropertyAccessError", kPropertyAccessErrorTag));
    return true;
}

}  // namespace ZalvoBACnetStack
