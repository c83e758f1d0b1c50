#include "services/bacnetlistofreadaccessresults.h"

#include <new>

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetlistofreadaccessresults";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetListOfReadAccessResults::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetListOfReadAccessResults::Encode";
constexpr uint32_t kAbortOutOfResources = 9;
using Codec = BACnetServiceCodec;

std::unique_ptr<BACnetReadAccessResult> CopyResult(const BACnetReadAccessResult& result) {
    std::unique_ptr<ICodable> copy = result.Clone();
    auto* typed = dynamic_cast<BACnetReadAccessResult*>(copy.get());
    if (typed == nullptr) return nullptr;
    copy.release();
    return std::unique_ptr<BACnetReadAccessResult>(typed);
}
}  // namespace

BACnetListOfReadAccessResults::BACnetListOfReadAccessResults(const BACnetListOfReadAccessResults& other)
    : BACnetObjectBase(other) {
    results_.reserve(other.results_.size());
    for (const auto& result : other.results_) {
        std::unique_ptr<BACnetReadAccessResult> copy = CopyResult(*result);
        if (copy == nullptr) {
            // Out of memory: an incomplete copy must not pass as the list.
            results_.clear();
            valid_ = false;
            return;
        }
        results_.push_back(std::move(copy));
    }
}

bool BACnetListOfReadAccessResults::Add(const BACnetReadAccessResult& result) {
    if (!result.IsValid()) return false;
    std::unique_ptr<BACnetReadAccessResult> copy = CopyResult(result);
    if (copy == nullptr) return false;
    results_.push_back(std::move(copy));
    valid_ = true;
    return true;
}

uint16_t BACnetListOfReadAccessResults::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    Codec::DecodeCursor cursor{buffer, length};
    while (!cursor.AtEnd()) {
        std::unique_ptr<BACnetReadAccessResult> result(new (std::nothrow) BACnetReadAccessResult());
        if (result == nullptr) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error - out of memory");
            SetAbort(outcome, kAbortOutOfResources);
            Reset();
            return 0;
        }
        const uint16_t used = result->Decode(cursor.Here(), cursor.Left(), outcome);
        if (used == 0 || !cursor.Advance(used)) {
            Reset();
            return 0;
        }
        results_.push_back(std::move(result));
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetListOfReadAccessResults::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetListOfReadAccessResults object");
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

std::unique_ptr<ICodable> BACnetListOfReadAccessResults::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    if (copy != nullptr &&
        static_cast<const BACnetListOfReadAccessResults&>(*copy).results_.size() != results_.size())
        return nullptr;
    return copy;
}

void BACnetListOfReadAccessResults::Reset() {
    results_.clear();
    valid_ = false;
}

bool BACnetListOfReadAccessResults::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetListOfReadAccessResults*>(other);
    if (same == nullptr || same->results_.size() != results_.size()) return false;
    for (size_t index = 0; index < results_.size(); ++index) {
        if (!results_[index]->IsEqual(same->results_[index].get())) return false;
    }
    return true;
}

bool BACnetListOfReadAccessResults::GetAttributes(RenderAttributes& attributes) const {
    attributes["count"] = std::to_string(results_.size());
    return true;
}

bool BACnetListOfReadAccessResults::GetChildren(RenderChildren& children) const {
    for (const auto& result : results_) children.push_back(MakeRenderChild(result.get()));
    return !results_.empty();
}

}  // namespace ZalvoBACnetStack
