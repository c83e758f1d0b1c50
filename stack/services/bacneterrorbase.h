// The error an Error PDU carries: the error choice (the confirmed service
// that failed) and the plain error. It stands for every error choice that
// has no error type of its own, and it is the base of the service-specific
// error types, which add their members after the error and enclose the error
// in context tag 0.
//
// Rendered, the plain form has no element of its own: only its "Error"
// child appears.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/bacnetobjectbase.h"
#include "services/bacneterror.h"

namespace ZalvoBACnetStack {

class BACnetErrorBase : public BACnetObjectBase {
public:
    // The error choice of a freshly made error, before it is told its own.
    static constexpr uint32_t kUnassignedErrorChoice = 127;

    BACnetErrorBase() = default;

    // The application-tagged error class and code, not enclosed.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kErrorBase; }
    void Reset() override;
    // Same datatype, error choice, error and (in the derived types) members.
    bool IsEqual(const ICodable* other) const override;

    bool GetChildren(RenderChildren& children) const override;

    // Set by the Error PDU after decoding, from its own error choice.
    void SetErrorChoice(uint32_t errorChoice) { errorChoice_ = errorChoice; }
    uint32_t GetErrorChoice() const { return errorChoice_; }

    // The choice and the error. A derived type is valid only once its own
    // members are set too.
    virtual bool SetError(uint32_t errorChoice, uint32_t errorClass, uint32_t errorCode);
    const BACnetError& GetError() const { return error_; }

protected:
    // The derived type's members beyond the error, compared.
    virtual bool HasSameMembers(const BACnetErrorBase& other) const {
        (void)other;
        return true;
    }
    // True when the error and every required member of the derived type
    // hold a value.
    virtual bool IsComplete() const { return error_.IsValid(); }
    void UpdateValidity() { valid_ = IsComplete(); }

    uint32_t errorChoice_ = kUnassignedErrorChoice;
    BACnetError error_;
};

}  // namespace ZalvoBACnetStack
