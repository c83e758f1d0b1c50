#include "core/bacnetabstractsyntaxtype.h"

#include <new>

#include "core/bacnetconstructedvalues.h"
#include "core/bacnetprimitivebase.h"
#include "core/bacnetprimitiveenum.h"
#include "core/bacnetstackunknownapdu.h"
#include "core/bacnettag.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetabstractsyntaxtype";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetAbstractSyntaxType::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetAbstractSyntaxType::Encode";
constexpr const char* kDecodeByDatatype = "ZalvoBACnetStack::BACnetAbstractSyntaxType::DecodeByDatatype";
constexpr const char* kObjectFactory = "ZalvoBACnetStack::BACnetAbstractSyntaxType::ObjectFactory";
constexpr const char* kGetObjectByDatatype = "ZalvoBACnetStack::BACnetAbstractSyntaxType::GetObjectByDatatype";
// What a priority value without an inner value counts as.
constexpr uint8_t kMissingDatatype = 255;
}  // namespace

BACnetAbstractSyntaxType::BACnetAbstractSyntaxType(const BACnetAbstractSyntaxType& other) : BACnetObjectBase(other) {
    values_.reserve(other.values_.size());
    for (const auto& value : other.values_) values_.push_back(value != nullptr ? value->Clone() : nullptr);
}

BACnetAbstractSyntaxType::~BACnetAbstractSyntaxType() = default;

uint16_t BACnetAbstractSyntaxType::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    return DecodeValues(buffer, length, outcome, 0);
}

uint16_t BACnetAbstractSyntaxType::DecodeValues(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                                int depth) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        return Fail();
    }
    Reset();
    uint16_t position = 0;
    BACnetTag tag;
    uint16_t headerSize = tag.Decode(buffer, length);
    if (headerSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error decoding the tag ");
        return Fail();
    }
    while (!tag.IsClosing()) {
        const uint16_t remaining = static_cast<uint16_t>(length - position);
        std::unique_ptr<ICodable> value;
        uint16_t used = 0;
        if (tag.IsOpening()) {
            // A constructed value: its contents in a nested holder, then its closing tag.
            if (depth >= kMaxNesting) {
                StackErrorLog(kDecode, kSource, __LINE__, "Error - values nested too deeply");
                SetReject(outcome, kRejectOther);
                return Fail();
            }
            const uint8_t nestedTag = tag.tagNumber;
            std::unique_ptr<BACnetAbstractSyntaxType> nested(new (std::nothrow) BACnetAbstractSyntaxType(nestedTag));
            if (nested == nullptr) {
                StackErrorLog(kDecode, kSource, __LINE__, "Out of resource");
                SetAbort(outcome, kAbortOther);
                return Fail();
            }
            const uint16_t contents = nested->DecodeValues(buffer + position + headerSize,
                                                           static_cast<uint16_t>(remaining - headerSize), outcome,
                                                           depth + 1);
            if (contents == 0 && !nested->IsValid()) {
                StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode the Primitive");
                return Fail();
            }
            const uint16_t closingAt = static_cast<uint16_t>(headerSize + contents);
            BACnetTag closing;
            const uint16_t closingSize =
                closing.Decode(buffer + position + closingAt, static_cast<uint16_t>(remaining - closingAt));
            if (closingSize == 0) {
                StackErrorLog(kDecode, kSource, __LINE__, "Error decoding the tag ");
                return Fail();
            }
            if (!closing.IsClosing() || closing.tagNumber != nestedTag) {
                StackErrorLog(kDecode, kSource, __LINE__, "Error, expected a closing tag with tagNumber=[%u]",
                              unsigned{nestedTag});
                return Fail();
            }
            used = static_cast<uint16_t>(closingAt + closingSize);
            value = std::move(nested);
        } else {
            if (tag.IsContext()) {
                StackErrorLog(kDecode, kSource, __LINE__,
                              "PANIC - unknown context when decoding, check callstack to see if we can use "
                              "DecodeByDatatype instead");
                value.reset(new (std::nothrow) BACnetStackUnknownAPDU());
                if (value == nullptr) {
                    StackErrorLog(kDecode, kSource, __LINE__, "Out of resource");
                    SetAbort(outcome, kAbortOther);
                    return Fail();
                }
            } else {
                value = BACnetPrimitiveBase::PrimitiveFactory(tag.tagNumber);
                if (value == nullptr) {
                    StackErrorLog(kDecode, kSource, __LINE__, "Invalid primitive choice");
                    SetAbort(outcome, kAbortOther);
                    return Fail();
                }
            }
            used = value->Decode(buffer + position, remaining, outcome);
            if (used == 0) {
                StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode the Primitive");
                return Fail();
            }
        }
        values_.push_back(std::move(value));
        valid_ = true;
        position = static_cast<uint16_t>(position + used);
        headerSize = position < length ? tag.Decode(buffer + position, static_cast<uint16_t>(length - position)) : 0;
        if (headerSize == 0) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error decoding the tag ");
            return Fail();
        }
    }
    valid_ = true;
    return position;
}

uint16_t BACnetAbstractSyntaxType::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error - this object is invalid");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    uint16_t position = 0;
    for (size_t index = 0; index < values_.size(); ++index) {
        ICodable* value = values_[index].get();
        if (value == nullptr) {
            StackErrorLog(kEncode, kSource, __LINE__, "Error - object at offset=[%u] does not exist",
                          static_cast<unsigned>(index));
            SetAbort(outcome, kAbortOther);
            return 0;
        }
        uint16_t written = 0;
        if (position < room) {
            const auto left = static_cast<uint16_t>(room - position);
            // A nested holder came from its own opening and closing tags.
            written = value->GetDatatype() == Datatype::kAbstractSyntaxType && value->GetContextTag() >= 0
                          ? value->EncodeWithContext(buffer + position, left, outcome,
                                                     static_cast<uint8_t>(value->GetContextTag()))
                          : value->Encode(buffer + position, left, outcome);
        }
        if (written == 0) {
            StackErrorLog(kEncode, kSource, __LINE__, "Error encoding object at offset=[%u]",
                          static_cast<unsigned>(index));
            return 0;
        }
        position = static_cast<uint16_t>(position + written);
    }
    return position;
}

std::unique_ptr<ICodable> BACnetAbstractSyntaxType::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetAbstractSyntaxType(*this));
}

void BACnetAbstractSyntaxType::Reset() {
    values_.clear();
    valid_ = false;
}

bool BACnetAbstractSyntaxType::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* holder = dynamic_cast<const BACnetAbstractSyntaxType*>(other);
    if (holder == nullptr || holder->values_.size() != values_.size()) return false;
    for (size_t i = 0; i < values_.size(); ++i) {
        if (values_[i] == nullptr || !values_[i]->IsEqual(holder->values_[i].get())) return false;
    }
    return true;
}

bool BACnetAbstractSyntaxType::GetChildren(RenderChildren& children) const {
    for (const auto& value : values_) children.push_back(MakeRenderChild(dynamic_cast<const IRenderable*>(value.get())));
    return !values_.empty();
}

uint16_t BACnetAbstractSyntaxType::DecodeByDatatype(const uint8_t* buffer, uint16_t length,
                                                    BACnetErrorOutcome* outcome, uint8_t contextTag,
                                                    uint16_t objectType, uint32_t propertyIdentifier,
                                                    uint8_t datatype) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecodeByDatatype, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        return Fail();
    }
    Reset();
    BACnetTag tag;
    uint16_t position = tag.DecodeAndCheckOpeningTag(buffer, length, contextTag);
    if (position == 0) {
        StackErrorLog(kDecodeByDatatype, kSource, __LINE__, "Error Decoding opening tag ");
        return Fail();
    }
    for (;;) {
        const uint16_t headerSize =
            position < length ? tag.Decode(buffer + position, static_cast<uint16_t>(length - position)) : 0;
        if (headerSize == 0) {
            StackErrorLog(kDecodeByDatatype, kSource, __LINE__, "Error Decoding closing tag ");
            return Fail();
        }
        if (tag.IsClosing() && tag.tagNumber == contextTag) {
            position = static_cast<uint16_t>(position + headerSize);
            break;
        }
        std::unique_ptr<ICodable> value = ObjectFactory(objectType, propertyIdentifier, datatype);
        if (value == nullptr) {
            StackErrorLog(kDecodeByDatatype, kSource, __LINE__, "Error - failed to create an object of datatype=[%u]",
                          unsigned{datatype});
            return Fail();
        }
        const uint16_t used = value->Decode(buffer + position, static_cast<uint16_t>(length - position), outcome);
        if (used == 0) {
            StackErrorLog(kDecodeByDatatype, kSource, __LINE__, "Error failed to decode");
            return Fail();
        }
        values_.push_back(std::move(value));
        position = static_cast<uint16_t>(position + used);
    }
    contextTag_ = contextTag;
    valid_ = true;
    return position;
}

std::unique_ptr<ICodable> BACnetAbstractSyntaxType::ObjectFactory(uint16_t objectType, uint32_t propertyIdentifier,
                                                                  uint8_t datatype) {
    if (datatype <= Datatype::kObjectIdentifier && datatype != Datatype::kEnumerated) {
        return BACnetPrimitiveBase::PrimitiveFactory(datatype);
    }
    if (datatype == Datatype::kEnumerated) {
        return BACnetPrimitiveENUM::EnumerationFactory(objectType, propertyIdentifier);
    }
    if (const BACnetConstructedValues::Entry* entry = BACnetConstructedValues::Find(datatype)) {
        return entry->create();
    }
    StackErrorLog(kObjectFactory, kSource, __LINE__, "Error - unknown datatype=[%u]", unsigned{datatype});
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetStackUnknownAPDU());
}

const ICodable* BACnetAbstractSyntaxType::GetObjectByDatatype(uint8_t datatype) const {
    if (values_.empty()) return nullptr;
    const ICodable* first = values_.front().get();
    if (first == nullptr) {
        StackErrorLog(kGetObjectByDatatype, kSource, __LINE__, "Error - object at offset=[%u] does not exist", 0u);
        return nullptr;
    }
    if (first->GetDatatype() == Datatype::kPriorityValue) {
        const BACnetConstructedValues::Entry* entry = BACnetConstructedValues::Find(Datatype::kPriorityValue);
        const ICodable* inner = entry != nullptr && entry->innerValue != nullptr ? entry->innerValue(*first) : nullptr;
        const uint8_t innerDatatype = inner != nullptr ? inner->GetDatatype() : kMissingDatatype;
        return innerDatatype == datatype ? inner : nullptr;
    }
    return first->GetDatatype() == datatype ? first : nullptr;
}

bool BACnetAbstractSyntaxType::AddValueAndTakeOwnership(std::unique_ptr<ICodable> adoptedValue) {
    if (adoptedValue == nullptr) return false;
    values_.push_back(std::move(adoptedValue));
    valid_ = true;
    return true;
}

}  // namespace ZalvoBACnetStack
