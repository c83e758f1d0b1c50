// UnconfirmedPrivateTransfer (unconfirmed service choice 4): a vendor's own
// service, named by the vendor identifier (context tag 0) and the vendor's
// service number (context tag 1), with optional parameters of any datatype
// enclosed in context tag 2.
#pragma once

#include "core/bacnetabstractsyntaxtype.h"
#include "core/bacnetprimitiveuint.h"
#include "message/bacnetunconfirmedservicerequest.h"

namespace ZalvoBACnetStack {

class BACnetUnconfirmedPrivateTransferRequest : public BACnetUnconfirmedServiceRequest {
public:
    static constexpr uint32_t kServiceChoice = 4;
    static constexpr uint8_t kVendorIdTag = 0;
    static constexpr uint8_t kServiceNumberTag = 1;
    static constexpr uint8_t kServiceParametersTag = 2;
    // Vendor identifiers are 16-bit numbers.
    static constexpr uint32_t kMaxVendorId = 65535;

    BACnetUnconfirmedPrivateTransferRequest();

    // The parameters are taken when opening tag 2 follows and they decode;
    // otherwise the request holds none and ends after the service number.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // The parameters only when they hold at least one value.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kUnconfirmedPrivateTransferRequest; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "UnconfirmedPrivateTransferRequest"; }
    // The vendor identifier, the service number and the parameters when
    // present, each under its own element name.
    bool GetChildren(RenderChildren& children) const override;

    // Refused above 65535. The request is valid once the vendor and the
    // service number are set.
    bool SetVendorId(uint32_t vendorId);
    void SetServiceNumber(uint32_t serviceNumber);
    // Copies every value of `parameters`; a holder without values removes
    // the parameters.
    bool SetServiceParameters(const BACnetAbstractSyntaxType& parameters);

    const BACnetPrimitiveUINT& GetVendorId() const { return vendorId_; }
    const BACnetPrimitiveUINT& GetServiceNumber() const { return serviceNumber_; }
    bool HasServiceParameters() const { return serviceParameters_.IsValid(); }
    const BACnetAbstractSyntaxType& GetServiceParameters() const { return serviceParameters_; }

private:
    void UpdateValidity() { valid_ = vendorId_.IsValid() && serviceNumber_.IsValid(); }

    BACnetPrimitiveUINT vendorId_;
    BACnetPrimitiveUINT serviceNumber_;
    BACnetAbstractSyntaxType serviceParameters_;
};

}  // namespace ZalvoBACnetStack
