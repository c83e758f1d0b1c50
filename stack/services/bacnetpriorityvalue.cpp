#include "services/bacnetpriorityvalue.h"

#include <new>

#include "core/bacnetabstractsyntaxtype.h"
#include "core/bacnetprimitivebase.h"
#include "core/bacnettag.h"
#include "core/stackerrorlog.h"
#include "services/bacnetdatetime.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetpriorityvalue";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPriorityValue::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPriorityValue::Encode";
constexpr const char* kSet = "ZalvoBACnetStack::BACnetPriorityValue::SetPriorityValueAndTakeControl";
constexpr uint8_t kConstructedValueTag = 0;
constexpr uint8_t kDateTimeTag = 1;

// A deep copy of a held value, null when there is none or memory runs out.
std::unique_ptr<BACnetObjectBase> CopyValue(const BACnetObjectBase* value) {
    if (value == nullptr) return nullptr;
    std::unique_ptr<ICodable> copy = value->Clone();
    auto* object = dynamic_cast<BACnetObjectBase*>(copy.get());
    if (object == nullptr) return nullptr;
    copy.release();
    return std::unique_ptr<BACnetObjectBase>(object);
}
}  // namespace

BACnetPriorityValue::BACnetPriorityValue(const BACnetPriorityValue& other)
    : BACnetObjectBase(other), value_(CopyValue(other.value_.get())) {
    if (other.value_ != nullptr && value_ == nullptr) valid_ = false;
}

BACnetPriorityValue& BACnetPriorityValue::operator=(const BACnetPriorityValue& other) {
    if (this != &other) {
        value_ = CopyValue(other.value_.get());
        valid_ = other.valid_ && (other.value_ == nullptr || value_ != nullptr);
        contextTag_ = other.contextTag_;
    }
    return *this;
}

bool BACnetPriorityValue::IsChoiceDatatype(uint8_t datatype) {
    return datatype <= Datatype::kObjectIdentifier || datatype == Datatype::kAbstractSyntaxType ||
           datatype == Datatype::kDateTime;
}

bool BACnetPriorityValue::SetPriorityValueAndTakeControl(std::unique_ptr<ICodable> value) {
    if (value == nullptr) {
        StackErrorLog(kSet, kSource, __LINE__, "Error - priorityValue does not exist");
        return false;
    }
    auto* object = dynamic_cast<BACnetObjectBase*>(value.get());
    if (!IsChoiceDatatype(value->GetDatatype()) || object == nullptr) {
        StackErrorLog(kSet, kSource, __LINE__, "Error - invalid object datatype=[%u] for the priorityValue",
                      unsigned{value->GetDatatype()});
        return false;
    }
    value.release();
    value_.reset(object);
    valid_ = true;
    return true;
}

uint16_t BACnetPriorityValue::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "BACnetPriorityValue::Decode - Invalid prameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    BACnetTag choice;
    if (choice.Decode(buffer, length) == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "BACnetPriorityValue::Decode - Unable to decode the choice tag");
        SetReject(outcome, kRejectOther);
        return 0;
    }

    if (choice.IsContext()) {
        std::unique_ptr<BACnetObjectBase> value;
        const char* failure = nullptr;
        if (choice.tagNumber == kConstructedValueTag) {
            value.reset(new (std::nothrow) BACnetAbstractSyntaxType(kConstructedValueTag));
            failure = "BACnetPriorityValue::Decode - Failed to decode constructedValue";
        } else if (choice.tagNumber == kDateTimeTag) {
            value.reset(new (std::nothrow) BACnetDateTime());
            failure = "BACnetPriorityValue::Decode - Failed to decode datetime";
        } else {
            StackErrorLog(kDecode, kSource, __LINE__, "BACnetPriorityValue::Decode - Invalid context tag choice=[%u]",
                          unsigned{choice.tagNumber});
            SetReject(outcome, kRejectInvalidTag);
            return 0;
        }
        if (value == nullptr) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error - out of memory");
            SetAbort(outcome, kAbortOutOfResources);
            return 0;
        }
        const uint16_t used = value->DecodeWithContext(buffer, length, outcome, choice.tagNumber);
        if (used == 0) {
            StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
            return 0;
        }
        value_ = std::move(value);
        valid_ = true;
        return used;
    }

    std::unique_ptr<BACnetPrimitiveBase> primitive = BACnetPrimitiveBase::PrimitiveFactory(choice.tagNumber);
    if (primitive == nullptr) {
        if (choice.tagNumber <= Datatype::kObjectIdentifier) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error - out of memory");
            SetAbort(outcome, kAbortOutOfResources);
        } else {
            StackErrorLog(kDecode, kSource, __LINE__, "Error - invalid application tag number");
            SetReject(outcome, kRejectInvalidTag);
        }
        return 0;
    }
    const uint16_t used = primitive->Decode(buffer, length, outcome);
    if (used == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error - Unable to decode the primitive of type=[%u]",
                      unsigned{choice.tagNumber});
        SetReject(outcome, kRejectOther);
        return 0;
    }
    value_ = std::move(primitive);
    valid_ = true;
    return used;
}

uint16_t BACnetPriorityValue::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error - Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_ || value_ == nullptr) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error - Invalid BACnetPriorityValue object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    uint16_t written = 0;
    switch (value_->GetDatatype()) {
        case Datatype::kAbstractSyntaxType:
            written = value_->EncodeWithContext(buffer, room, outcome, kConstructedValueTag);
            break;
        case Datatype::kDateTime:
            written = value_->EncodeWithContext(buffer, room, outcome, kDateTimeTag);
            break;
        default:
            written = value_->Encode(buffer, room, outcome);
            break;
    }
    if (written == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error - error occurred when encoding the PriorityValue");
        return 0;
    }
    return written;
}

std::unique_ptr<ICodable> BACnetPriorityValue::Clone() const {
    std::unique_ptr<BACnetPriorityValue> copy(new (std::nothrow) BACnetPriorityValue());
    if (copy == nullptr) return nullptr;
    copy->value_ = CopyValue(value_.get());
    if (value_ != nullptr && copy->value_ == nullptr) return nullptr;
    copy->valid_ = valid_;
    copy->contextTag_ = contextTag_;
    return copy;
}

void BACnetPriorityValue::Reset() {
    value_.reset();
    valid_ = false;
}

bool BACnetPriorityValue::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetPriorityValue*>(other);
    if (same == nullptr) return false;
    if (value_ == nullptr || same->value_ == nullptr) return value_ == nullptr && same->value_ == nullptr;
    return value_->IsEqual(same->value_.get());
}

bool BACnetPriorityValue::GetChildren(RenderChildren& children) const {
    if (value_ == nullptr || !value_->IsValid()) return false;
    children.push_back(MakeRenderChild(value_.get()));
    return true;
}

}  // namespace ZalvoBACnetStack
