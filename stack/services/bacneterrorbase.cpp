#include "services/bacneterrorbase.h"

#include <new>

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacneterrorbase";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetErrorBase::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetErrorBase::Encode";
constexpr const char* kSetError = "ZalvoBACnetStack::BACnetErrorBase::SetError";
}  // namespace

uint16_t BACnetErrorBase::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    const uint16_t used = error_.Decode(buffer, length, outcome);
    if (used == 0 || !error_.IsValid()) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode error ");
        Reset();
        return 0;
    }
    valid_ = true;
    return used;
}

uint16_t BACnetErrorBase::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer != nullptr && room != 0 && !valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetError object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    return error_.EncodeReportingAs(buffer, room, outcome, kEncode, kSource);
}

std::unique_ptr<ICodable> BACnetErrorBase::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetErrorBase(*this));
}

void BACnetErrorBase::Reset() {
    errorChoice_ = kUnassignedErrorChoice;
    error_.Reset();
    valid_ = false;
}

bool BACnetErrorBase::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* error = dynamic_cast<const BACnetErrorBase*>(other);
    return error != nullptr && error->valid_ == valid_ && error->errorChoice_ == errorChoice_ &&
           error->error_.IsEqual(&error_) && HasSameMembers(*error);
}

bool BACnetErrorBase::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&error_));
    return true;
}

bool BACnetErrorBase::SetError(uint32_t errorChoice, uint32_t errorClass, uint32_t errorCode) {
    if (!error_.SetError(errorClass, errorCode)) {
        StackErrorLog(kSetError, kSource, __LINE__, "Failed to set the error");
        valid_ = false;
        return false;
    }
    errorChoice_ = errorChoice;
    UpdateValidity();
    return true;
}

}  // namespace ZalvoBACnetStack
