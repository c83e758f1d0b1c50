#include "services/bacnetlistofreadaccessspecifications.h"

#include <new>

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetlistofreadaccessspecifications";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetListOfReadAccessSpecifications::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetListOfReadAccessSpecifications::Encode";
constexpr uint32_t kAbortOutOfResources = 9;
using Codec = BACnetServiceCodec;

std::unique_ptr<BACnetReadAccessSpecification> CopySpecification(const BACnetReadAccessSpecification& specification) {
    std::unique_ptr<ICodable> copy = specification.Clone();
    auto* typed = dynamic_cast<BACnetReadAccessSpecification*>(copy.get());
    if (typed == nullptr) return nullptr;
    copy.release();
    return std::unique_ptr<BACnetReadAccessSpecification>(typed);
}
}  // namespace

BACnetListOfReadAccessSpecifications::BACnetListOfReadAccessSpecifications(
    const BACnetListOfReadAccessSpecifications& other)
    : BACnetObjectBase(other) {
    specifications_.reserve(other.specifications_.size());
    for (const auto& specification : other.specifications_) {
        std::unique_ptr<BACnetReadAccessSpecification> copy = CopySpecification(*specification);
        if (copy == nullptr) {
            // Out of memory: an incomplete copy must not pass as the list.
            specifications_.clear();
            valid_ = false;
            return;
        }
        specifications_.push_back(std::move(copy));
    }
}

bool BACnetListOfReadAccessSpecifications::Add(const BACnetReadAccessSpecification& specification) {
    if (!specification.IsValid()) return false;
    std::unique_ptr<BACnetReadAccessSpecification> copy = CopySpecification(specification);
    if (copy == nullptr) return false;
    specifications_.push_back(std::move(copy));
    valid_ = true;
    return true;
}

uint16_t BACnetListOfReadAccessSpecifications::Decode(const uint8_t* buffer, uint16_t length,
                                                      BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    Codec::DecodeCursor cursor{buffer, length};
    while (!cursor.AtEnd()) {
        std::unique_ptr<BACnetReadAccessSpecification> specification(new (std::nothrow)
                                                                          BACnetReadAccessSpecification());
        if (specification == nullptr) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error - out of memory");
            SetAbort(outcome, kAbortOutOfResources);
            Reset();
            return 0;
        }
        const uint16_t used = specification->Decode(cursor.Here(), cursor.Left(), outcome);
        if (used == 0 || !cursor.Advance(used)) {
            Reset();
            return 0;
        }
        specifications_.push_back(std::move(specification));
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetListOfReadAccessSpecifications::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetListOfReadAccessSpecifications object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    for (const auto& specification : specifications_) {
        if (!Codec::EncodePlain(*specification, cursor, outcome)) {
            StackErrorLog(kEncode, kSource, __LINE__, "Error encoding a list item");
            return 0;
        }
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetListOfReadAccessSpecifications::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    if (copy != nullptr &&
        static_cast<const BACnetListOfReadAccessSpecifications&>(*copy).specifications_.size() !=
            specifications_.size())
        return nullptr;
    return copy;
}

void BACnetListOfReadAccessSpecifications::Reset() {
    specifications_.clear();
    valid_ = false;
}

bool BACnetListOfReadAccessSpecifications::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetListOfReadAccessSpecifications*>(other);
    if (same == nullptr || same->specifications_.size() != specifications_.size()) return false;
    for (size_t index = 0; index < specifications_.size(); ++index) {
        if (!specifications_[index]->IsEqual(same->specifications_[index].get())) return false;
    }
    return true;
}

bool BACnetListOfReadAccessSpecifications::GetAttributes(RenderAttributes& attributes) const {
    attributes["count"] = std::to_string(specifications_.size());
    return true;
}

bool BACnetListOfReadAccessSpecifications::GetChildren(RenderChildren& children) const {
    for (const auto& specification : specifications_) children.push_back(MakeRenderChild(specification.get()));
    return !specifications_.empty();
}

}  // namespace ZalvoBACnetStack
