// ReadPropertyMultiple acknowledgement (service choice 14): the list of
// read access results, one per object read.
#pragma once

#include "message/bacnetconfirmedserviceack.h"
#include "services/bacnetlistofreadaccessresults.h"

namespace ZalvoBACnetStack {

class BACnetReadPropertyMultipleACK : public BACnetConfirmedServiceACK {
public:
    static constexpr uint32_t kServiceChoice = 14;

    BACnetReadPropertyMultipleACK() = default;

    // Appends a copy of a valid access result; the acknowledgement becomes valid.
    bool InsertReadAccessResult(const BACnetReadAccessResult& result);
    const BACnetListOfReadAccessResults& GetListOfReadAccessResults() const { return listOfReadAccessResults_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kReadPropertyMultipleACK; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;
    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "ReadPropertyMultipleACK"; }
    // "ListOfReadAccessResults".
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetListOfReadAccessResults listOfReadAccessResults_;
};

}  // namespace ZalvoBACnetStack
