#include "services/bacnetlistofresults.h"

#include <new>

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetlistofresults";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetListOfResults::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetListOfResults::Encode";
constexpr uint32_t kAbortOutOfResources = 9;
using Codec = BACnetServiceCodec;

std::unique_ptr<BACnetReadResult> CopyResult(const BACnetReadResult& result) {
    std::unique_ptr<ICodable> copy = result.Clone();
    auto* typed = dynamic_cast<BACnetReadResult*>(copy.get());
    if (typed == nullptr) return nullptr;
    copy.release();
    return std::unique_ptr<BACnetReadResult>(typed);
}
}  // namespace

BACnetListOfResults::BACnetListOfResults(const BACnetListOfResults& other)
    : BACnetObjectBase(other), objectType_(other.objectType_) {
    results_.reserve(other.results_.size());
    for (const auto& result : other.results_) {
        std::unique_ptr<BACnetReadResult> copy = CopyResult(*result);
        if (copy == nullptr) {
            // Out of memory: an incomplete copy must not pass as the list.
            results_.clear();
            valid_ = false;
            return;
        }
        results_.push_back(std::move(copy));
    }
}

bool BACnetListOfResults::Add(const BACnetReadResult& result) {
    if (!result.IsValid()) return false;
    std::unique_ptr<BACnetReadResult> copy = CopyResult(result);
    if (copy == nullptr) return false;
    results_.push_back(std::move(copy));
    valid_ = true;
    return true;
}

void BACnetListOfResults::SetEmpty() {
    results_.clear();
    valid_ = true;
}

uint16_t BACnetListOfResults::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    const uint16_t objectType = objectType_;
    Reset();
    objectType_ = objectType;
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    Codec::DecodeCursor cursor{buffer, length};
    BACnetTag tag;
    const uint16_t opening = tag.DecodeAndCheckOpeningTag(buffer, length, kListTag);
    if (opening == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error Decoding opening tag");
        SetReject(outcome, kRejectInvalidTag);
        return 0;
    }
    cursor.Advance(opening);
    for (;;) {
        const uint16_t header = tag.Decode(cursor.Here(), cursor.Left());
        if (header == 0) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error decoding tag");
            SetReject(outcome, kRejectOther);
            Reset();
            return 0;
        }
        if (tag.IsClosing() && tag.tagNumber == kListTag) {
            cursor.Advance(header);
            break;
        }
        std::unique_ptr<BACnetReadResult> result(new (std::nothrow) BACnetReadResult());
        if (result == nullptr) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error - out of memory");
            SetAbort(outcome, kAbortOutOfResources);
            Reset();
            return 0;
        }
        result->SetObjectType(objectType_);
        const uint16_t used = result->Decode(cursor.Here(), cursor.Left(), outcome);
        if (used == 0 || !cursor.Advance(used)) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error decoding the read result");
            Reset();
            return 0;
        }
        results_.push_back(std::move(result));
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetListOfResults::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    Codec::EncodeCursor cursor{buffer, room};
    for (const auto& result : results_) {
        if (!Codec::EncodePlain(*result, cursor, outcome)) {
            StackErrorLog(kEncode, kSource, __LINE__, "Error encoding a list item");
            return 0;
        }
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetListOfResults::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    if (copy != nullptr && static_cast<const BACnetListOfResults&>(*copy).results_.size() != results_.size())
        return nullptr;
    return copy;
}

void BACnetListOfResults::Reset() {
    results_.clear();
    valid_ = false;
}

bool BACnetListOfResults::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetListOfResults*>(other);
    if (same == nullptr || same->results_.size() != results_.size()) return false;
    for (size_t index = 0; index < results_.size(); ++index) {
        if (!results_[index]->IsEqual(same->results_[index].get())) return false;
    }
    return true;
}

bool BACnetListOfResults::GetAttributes(RenderAttributes& attributes) const {
    attributes["count"] = std::to_string(results_.size());
    return true;
}

bool BACnetListOfResults::GetChildren(RenderChildren& children) const {
    for (const auto& result : results_) children.push_back(MakeRenderChild(result.get()));
    return !results_.empty();
}

}  // namespace ZalvoBACnetStack
