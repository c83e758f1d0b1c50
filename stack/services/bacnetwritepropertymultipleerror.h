// The error answering WritePropertyMultiple (error choice 16): the error,
// enclosed in context tag 0, and the object and property of the first write
// that failed, as an object property reference enclosed in context tag 1.
#pragma once

#include "services/bacneterrorbase.h"
#include "services/bacnetobjectpropertyreference.h"

namespace ZalvoBACnetStack {

class BACnetWritePropertyMultipleError : public BACnetErrorBase {
public:
    static constexpr uint8_t kErrorTypeTag = 0;
    static constexpr uint8_t kFirstFailedWriteAttemptTag = 1;

    BACnetWritePropertyMultipleError() = default;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kWritePropertyMultipleError; }
    void Reset() override;

    std::string GetElementName() const override { return "WritePropertyMultipleError"; }
    // The error (context 0), "ObjectPropertyReference" (context 1).
    bool GetChildren(RenderChildren& children) const override;

    // Copies a valid reference (false, reported, for an empty one). Valid
    // once the error is set too (SetError).
    bool SetFirstFailedWriteAttempt(const BACnetObjectPropertyReference& reference);
    const BACnetObjectPropertyReference& GetFirstFailedWriteAttempt() const { return firstFailedWriteAttempt_; }

protected:
    bool HasSameMembers(const BACnetErrorBase& other) const override;
    bool IsComplete() const override { return error_.IsValid() && firstFailedWriteAttempt_.IsValid(); }

private:
    BACnetObjectPropertyReference firstFailedWriteAttempt_;
};

}  // namespace ZalvoBACnetStack
