// The error answering AddListElement (error choice 8) and
// RemoveListElement (9): the error, enclosed in context tag 0, and the
// number of the first list element that could not be added or removed, in
// context tag 1.
#pragma once

#include "core/bacnetprimitiveuint.h"
#include "services/bacneterrorbase.h"

namespace ZalvoBACnetStack {

class BACnetChangeListError : public BACnetErrorBase {
public:
    static constexpr uint8_t kErrorTypeTag = 0;
    static constexpr uint8_t kFirstFailedElementNumberTag = 1;

    BACnetChangeListError();

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kChangeListError; }
    void Reset() override;

    std::string GetElementName() const override { return "ChangeListError"; }
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
