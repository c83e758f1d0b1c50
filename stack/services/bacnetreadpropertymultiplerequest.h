// ReadPropertyMultiple request (confirmed service choice 14): the list of
// read access specifications, one per object to read.
#pragma once

#include "message/bacnetconfirmedservicerequest.h"
#include "services/bacnetlistofreadaccessspecifications.h"

namespace ZalvoBACnetStack {

class BACnetReadPropertyMultipleRequest : public BACnetConfirmedServiceRequest {
public:
    static constexpr uint32_t kServiceChoice = 14;

    BACnetReadPropertyMultipleRequest() = default;

    // Appends a copy of a valid ReadAccessSpecification; the request becomes valid.
    bool InsertReadAccessSpecification(const BACnetReadAccessSpecification& accessSpecification);
    const BACnetListOfReadAccessSpecifications& GetListOfReadAccessSpecifications() const {
        return listOfReadAccessSpecifications_;
    }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kReadPropertyMultipleRequest; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;
    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "ReadPropertyMultipleRequest"; }
    // "ListOfReadAccessSpecifications".
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetListOfReadAccessSpecifications listOfReadAccessSpecifications_;
};

}  // namespace ZalvoBACnetStack
