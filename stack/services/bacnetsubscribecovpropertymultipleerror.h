// The error answering SubscribeCOVPropertyMultiple (error choice 30). It
// holds one of two forms, whichever context tag comes first on the wire:
// the error enclosed in context tag 0, or the first failed subscription
// enclosed in context tag 1.
#pragma once

#include "services/bacneterrorbase.h"
#include "services/bacnetfirstfailedsubscription.h"

namespace ZalvoBACnetStack {

class BACnetSubscribeCOVPropertyMultipleError : public BACnetErrorBase {
public:
    static constexpr uint8_t kErrorTypeTag = 0;
    static constexpr uint8_t kFirstFailedSubscriptionTag = 1;

    BACnetSubscribeCOVPropertyMultipleError() = default;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kSubscribeCOVPropertyMultipleError; }
    void Reset() override;

    std::string GetElementName() const override { return "SubscribeCOVPropertyMultipleError"; }
    // The error (context 0) or "FirstFailedSubscription" (context 1).
    bool GetChildren(RenderChildren& children) const override;

    // The error form; drops a first failed subscription.
    bool SetError(uint32_t errorChoice, uint32_t errorClass, uint32_t errorCode) override;
    // The first failed subscription form (a copy of a valid one); drops the
    // error.
    bool SetFirstFailedSubscription(uint32_t errorChoice, const BACnetFirstFailedSubscription& subscription);

    bool HoldsFirstFailedSubscription() const { return firstFailedSubscription_.IsValid(); }
    const BACnetFirstFailedSubscription& GetFirstFailedSubscription() const { return firstFailedSubscription_; }

protected:
    bool HasSameMembers(const BACnetErrorBase& other) const override;
    // Exactly one of the two forms.
    bool IsComplete() const override { return error_.IsValid() != firstFailedSubscription_.IsValid(); }

private:
    BACnetFirstFailedSubscription firstFailedSubscription_;
};

}  // namespace ZalvoBACnetStack
