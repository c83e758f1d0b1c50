#include "services/bacneterror.h"

#include <new>

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacneterror";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetError::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetError::Encode";
constexpr const char* kSetError = "ZalvoBACnetStack::BACnetError::SetError";
constexpr const char* kSetErrorClass = "ZalvoBACnetStack::BACnetError::SetErrorClass";
constexpr const char* kSetErrorCode = "ZalvoBACnetStack::BACnetError::SetErrorCode";

// One application-tagged ENUMERATED member at `buffer`: the octets it took,
// 0 when it could not be decoded or arrived context-tagged.
uint16_t DecodeApplicationEnumerated(BACnetPrimitiveENUM& member, const uint8_t* buffer, uint16_t length,
                                     BACnetErrorOutcome* outcome) {
    const uint16_t used = member.Decode(buffer, length, outcome);
    if (used == 0 || !member.IsValid()) return 0;
    if (member.GetContextTag() != -1) {
        SetReject(outcome, kRejectInvalidTag);
        member.Reset();
        return 0;
    }
    return used;
}
}  // namespace

uint16_t BACnetError::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    const uint16_t classSize = DecodeApplicationEnumerated(errorClass_, buffer, length, outcome);
    if (classSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode error class ");
        Reset();
        return 0;
    }
    const uint16_t codeSize = DecodeApplicationEnumerated(errorCode_, buffer + classSize,
                                                          static_cast<uint16_t>(length - classSize), outcome);
    if (codeSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode error code ");
        Reset();
        return 0;
    }
    valid_ = true;
    return static_cast<uint16_t>(classSize + codeSize);
}

uint16_t BACnetError::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    return EncodeReportingAs(buffer, room, outcome, kEncode, kSource);
}

uint16_t BACnetError::EncodeReportingAs(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                        const char* operation, const char* source) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(operation, source, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(operation, source, __LINE__, "Invalid BACnetError object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const uint16_t classSize = errorClass_.Encode(buffer, room, outcome);
    if (classSize == 0) {
        StackErrorLog(operation, source, __LINE__, "Unable to encode the BACnetErrorClass");
        return 0;
    }
    const uint16_t codeSize =
        classSize < room ? errorCode_.Encode(buffer + classSize, static_cast<uint16_t>(room - classSize), outcome) : 0;
    if (codeSize == 0) {
        if (classSize >= room) SetAbort(outcome, kAbortSegmentationNotSupported);
        StackErrorLog(operation, source, __LINE__, "Unable to encode the ErrorCode");
        return 0;
    }
    return static_cast<uint16_t>(classSize + codeSize);
}

std::unique_ptr<ICodable> BACnetError::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetError(*this));
}

void BACnetError::Reset() {
    errorClass_.Reset();
    errorCode_.Reset();
    valid_ = false;
}

bool BACnetError::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* error = dynamic_cast<const BACnetError*>(other);
    return error != nullptr && error->valid_ == valid_ && error->errorClass_.GetValue() == errorClass_.GetValue() &&
           error->errorCode_.GetValue() == errorCode_.GetValue();
}

bool BACnetError::GetChildren(RenderChildren& children) const {
    if (!errorClass_.IsValid() && !errorCode_.IsValid()) return false;
    if (errorClass_.IsValid()) children.push_back(MakeRenderChild(&errorClass_));
    if (errorCode_.IsValid()) children.push_back(MakeRenderChild(&errorCode_));
    return true;
}

bool BACnetError::SetError(uint32_t errorClass, uint32_t errorCode) {
    valid_ = false;
    if (!SetErrorClass(errorClass)) {
        StackErrorLog(kSetError, kSource, __LINE__, "Failed to set the error class");
        return false;
    }
    if (!SetErrorCode(errorCode)) {
        StackErrorLog(kSetError, kSource, __LINE__, "Failed to set the error code");
        return false;
    }
    valid_ = true;
    return true;
}

bool BACnetError::SetErrorClass(uint32_t errorClass) {
    if (errorClass > kMaxValue) {
        StackErrorLog(kSetErrorClass, kSource, __LINE__, "Failed to set the value of the error class");
        errorClass_.Reset();
        valid_ = false;
        return false;
    }
    errorClass_.SetValue(errorClass);
    valid_ = errorCode_.IsValid();
    return true;
}

bool BACnetError::SetErrorCode(uint32_t errorCode) {
    if (errorCode > kMaxValue) {
        StackErrorLog(kSetErrorCode, kSource, __LINE__, "Failed to set the value of the error code");
        errorCode_.Reset();
        valid_ = false;
        return false;
    }
    errorCode_.SetValue(errorCode);
    valid_ = errorClass_.IsValid();
    return true;
}

}  // namespace ZalvoBACnetStack
