// The read access results of a ReadPropertyMultiple acknowledgement, one
// per object, back to back until the service data ends.
#pragma once

#include "core/bacnetobjectbase.h"
#include "services/bacnetreadaccessresult.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {

class BACnetListOfReadAccessResults : public BACnetObjectBase {
public:
    BACnetListOfReadAccessResults() = default;
    BACnetListOfReadAccessResults(const BACnetListOfReadAccessResults& other);
    BACnetListOfReadAccessResults& operator=(const BACnetListOfReadAccessResults&) = delete;

    // Appends a copy of a valid access result; the list becomes valid.
    bool Add(const BACnetReadAccessResult& result);
    size_t Size() const { return results_.Size(); }
    const BACnetReadAccessResult* At(size_t index) const { return results_.At(index); }

    // Access results until the octets are used up; the first that fails
    // fails the list.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kListOfReadAccessResults; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "ListOfReadAccessResults"; }
    // count = the number of access results.
    bool GetAttributes(RenderAttributes& attributes) const override;
    // Each "ReadAccessResult".
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetServiceCodec::OwnedList<BACnetReadAccessResult> results_;
};

}  // namespace ZalvoBACnetStack
