// WritePropertyMultiple (confirmed service 16): writes to several
// properties of several objects, as a list of write access specifications.
#pragma once

#include <memory>
#include <string>

#include "message/bacnetconfirmedservicerequest.h"
#include "services/bacnetlistofwriteaccessspecifications.h"

namespace ZalvoBACnetStack {

class BACnetWritePropertyMultipleRequest final : public BACnetConfirmedServiceRequest {
public:
    static constexpr uint32_t kServiceChoice = 16;

    // Appends a copy of a valid WriteAccessSpecification (reported, false otherwise);
    // the request is valid once it holds one.
    bool InsertWriteAccessSpecification(const BACnetWriteAccessSpecification& accessSpecification);
    const BACnetListOfWriteAccessSpecifications& GetListOfWriteAccessSpecifications() const { return list_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kWritePropertyMultipleRequest; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;
    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "WritePropertyMultipleRequest"; }
    // The list, under its own name, without a context number.
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetListOfWriteAccessSpecifications list_;
};

}  // namespace ZalvoBACnetStack
