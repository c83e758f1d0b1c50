// The error answering ConfirmedPrivateTransfer (error choice 18): the error,
// enclosed in context tag 0, the vendor (context tag 1) and the service
// number (context tag 2) of the failed transfer, and optionally the
// vendor's own error parameters, enclosed in context tag 3.
#pragma once

#include "core/bacnetabstractsyntaxtype.h"
#include "core/bacnetprimitiveuint.h"
#include "services/bacneterrorbase.h"

namespace ZalvoBACnetStack {

class BACnetConfirmedPrivateTransferError : public BACnetErrorBase {
public:
    static constexpr uint8_t kErrorTypeTag = 0;
    static constexpr uint8_t kVendorIdTag = 1;
    static constexpr uint8_t kServiceNumberTag = 2;
    static constexpr uint8_t kErrorParametersTag = 3;

    BACnetConfirmedPrivateTransferError();

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kConfirmedPrivateTransferError; }
    void Reset() override;

    std::string GetElementName() const override { return "ConfirmedPrivateTransferError"; }
    // The error (0), "VendorId" (1), "ServiceNumber" (2), "ErrorParameters" (3) when present.
    bool GetChildren(RenderChildren& children) const override;

    // Valid once the error is set too (SetError).
    void SetVendorId(uint32_t vendorId);
    void SetServiceNumber(uint32_t serviceNumber);
    // Copies every value of `parameters`; a holder without values removes
    // the parameters.
    bool SetErrorParameters(const BACnetAbstractSyntaxType& parameters);

    const BACnetPrimitiveUINT& GetVendorId() const { return vendorId_; }
    const BACnetPrimitiveUINT& GetServiceNumber() const { return serviceNumber_; }
    bool HasErrorParameters() const { return errorParameters_.IsValid(); }
    const BACnetAbstractSyntaxType& GetErrorParameters() const { return errorParameters_; }

protected:
    bool HasSameMembers(const BACnetErrorBase& other) const override;
    bool IsComplete() const override { return error_.IsValid() && vendorId_.IsValid() && serviceNumber_.IsValid(); }

private:
    BACnetPrimitiveUINT vendorId_;
    BACnetPrimitiveUINT serviceNumber_;
    BACnetAbstractSyntaxType errorParameters_;
};

}  // namespace ZalvoBACnetStack
