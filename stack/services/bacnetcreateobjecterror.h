// The error answering CreateObject (error choice 10): the error, enclosed in
// context tag 0, and the number of the first element of the list of initial
// values that could not be applied (0 when the failure lies elsewhere), in
// context tag 1.
#pragma once

#include "core/bacnetprimitiveuint.h"
#include "services/bacneterrorbase.h"

namespace ZalvoBACnetStack {

class BACnetCreateObjectError : public BACnetErrorBase {
public:
    static constexpr uint8_t kErrorTypeTag = 0;
    static constexpr uint8_t kFirstFailedElementNumberTag = 1;

    BACnetCreateObjectError();

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kCreateObjectError; }
    void Reset() override;

    std::string GetElementName() const override { return "CreateObjectError"; }
    // The error (context 0), "FirstFailedElementNumber" (context 1).
    bool GetChildren(RenderChildren& children) const override;

    // Valid once the error is set too (SetError).
    void SetFirstFailedElementNumber(uint32_t elementNumber);
    const BACnetPrimitiveUINT& GetFirstFailedElementNumber() const { return firstFailedElementNumber_; }

protected:
    bool HasSameMembers(const BACnetErrorBase& other) const override;
    bool IsComplete() const override { return error_.IsValid() && firstFailedElementNumber_.IsValid(); }

private:
    BACnetPrimitiveUINT firstFailedElementNumber_;
};

}  // namespace ZalvoBACnetStack
