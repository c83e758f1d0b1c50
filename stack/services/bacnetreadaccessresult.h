// The results of a ReadPropertyMultiple acknowledgement for one object: its
// identifier [0] and the list of read results [1].
#pragma once

#include "core/bacnetobjectbase.h"
#include "core/bacnetprimitiveobjectidentifier.h"
#include "services/bacnetlistofresults.h"

namespace ZalvoBACnetStack {

class BACnetReadAccessResult : public BACnetObjectBase {
public:
    BACnetReadAccessResult();

    // Starts a result for the object with no read results yet (valid).
    void SetObjectIdentifier(uint16_t objectType, uint32_t objectInstance);
    // Appends a copy of a valid read result.
    bool AddReadResult(const BACnetReadResult& result);

    const BACnetPrimitiveObjectIdentifier& GetObjectIdentifier() const { return objectIdentifier_; }
    const BACnetListOfResults& GetListOfResults() const { return listOfResults_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kReadAccessResult; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "ReadAccessResult"; }
    // "ObjectIdentifier" (0), "ListOfResults" (1) with its count.
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetPrimitiveObjectIdentifier objectIdentifier_;
    BACnetListOfResults listOfResults_;
};

}  // namespace ZalvoBACnetStack
