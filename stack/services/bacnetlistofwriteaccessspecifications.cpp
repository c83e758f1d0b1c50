#include "services/bacnetlistofwriteaccessspecifications.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetlistofwriteaccessspecifications";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetListOfWriteAccessSpecifications::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetListOfWriteAccessSpecifications::Encode";
constexpr const char* kInsert =
    "ZalvoBACnetStack::BACnetListOfWriteAccessSpecifications::InsertWriteAccessSpecification";
using Codec = BACnetServiceCodec;
}  // namespace

bool BACnetListOfWriteAccessSpecifications::InsertWriteAccessSpecification(
    const BACnetWriteAccessSpecification& specification) {
    if (!specification.IsValid()) {
        StackErrorLog(kInsert, kSource, __LINE__, "Failed to insert write access specification into list");
        return false;
    }
    specifications_.push_back(specification);
    valid_ = true;
    return true;
}

uint16_t BACnetListOfWriteAccessSpecifications::Decode(const uint8_t* buffer, uint16_t length,
                                                       BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    while (!cursor.AtEnd()) {
        specifications_.emplace_back();
        const uint16_t used = specifications_.back().Decode(cursor.Here(), cursor.Left(), outcome);
        if (used == 0 || !cursor.Advance(used)) {
            Reset();
            return 0;
        }
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetListOfWriteAccessSpecifications::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_ || specifications_.empty()) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetListOfWriteAccessSpecifications object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    for (BACnetWriteAccessSpecification& specification : specifications_) {
        if (!Codec::EncodePlain(specification, cursor, outcome)) {
            StackErrorLog(kEncode, kSource, __LINE__, "Error encoding a list item");
            return 0;
        }
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetListOfWriteAccessSpecifications::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    // A value in a specification may have failed to copy when memory ran out.
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetListOfWriteAccessSpecifications::Reset() {
    specifications_.clear();
    valid_ = false;
}

bool BACnetListOfWriteAccessSpecifications::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetListOfWriteAccessSpecifications*>(other);
    if (same == nullptr || same->valid_ != valid_ || same->specifications_.size() != specifications_.size())
        return false;
    for (size_t i = 0; i < specifications_.size(); ++i) {
        if (!specifications_[i].IsEqual(&same->specifications_[i])) return false;
    }
    return true;
}

bool BACnetListOfWriteAccessSpecifications::GetAttributes(RenderAttributes& attributes) const {
    attributes["count"] = std::to_string(specifications_.size());
    return true;
}

bool BACnetListOfWriteAccessSpecifications::GetChildren(RenderChildren& children) const {
    for (const BACnetWriteAccessSpecification& specification : specifications_)
        children.push_back(MakeRenderChild(&specification));
    return !specifications_.empty();
}

}  // namespace ZalvoBACnetStack
