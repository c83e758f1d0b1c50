// BACnetRecipientProcess: a recipient (between opening and closing tag 0)
// and the process identifier (Unsigned, context tag 1) its notifications
// are addressed to.
#pragma once

#include <memory>
#include <string>

#include "core/bacnetobjectbase.h"
#include "core/bacnetprimitiveuint.h"
#include "services/bacnetrecipient.h"

namespace ZalvoBACnetStack {

class BACnetRecipientProcess final : public BACnetObjectBase {
public:
    BACnetRecipientProcess();

    // Both values must be valid (reported, false, and not valid otherwise).
    bool SetRecipientProcess(const BACnetRecipient& recipient, const BACnetPrimitiveUINT& processIdentifier);

    const BACnetRecipient& GetRecipient() const { return recipient_; }
    const BACnetPrimitiveUINT& GetProcessIdentifier() const { return processIdentifier_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kRecipientProcess; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "RecipientProcess"; }
    // "Recipient" (0), "ProcessIdentifier" (1).
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetRecipient recipient_;
    BACnetPrimitiveUINT processIdentifier_;
};

}  // namespace ZalvoBACnetStack
