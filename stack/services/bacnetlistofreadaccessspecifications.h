// The read access specifications of a ReadPropertyMultiple request, one per
// object, back to back until the service data ends.
#pragma once

#include "core/bacnetobjectbase.h"
#include "services/bacnetreadaccessspecification.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {

class BACnetListOfReadAccessSpecifications : public BACnetObjectBase {
public:
    BACnetListOfReadAccessSpecifications() = default;
    BACnetListOfReadAccessSpecifications(const BACnetListOfReadAccessSpecifications& other);
    BACnetListOfReadAccessSpecifications& operator=(const BACnetListOfReadAccessSpecifications&) = delete;

    // Appends a copy of a valid ReadAccessSpecification; the list becomes valid.
    bool Add(const BACnetReadAccessSpecification& accessSpecification);
    size_t Size() const { return specifications_.Size(); }
    const BACnetReadAccessSpecification* At(size_t index) const { return specifications_.At(index); }

    // Specifications until the octets are used up; the first that fails
    // fails the list.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kListOfReadAccessSpecifications; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "ListOfReadAccessSpecifications"; }
    // count = the number of specifications.
    bool GetAttributes(RenderAttributes& attributes) const override;
    // Each "ReadAccessSpecification".
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetServiceCodec::OwnedList<BACnetReadAccessSpecification> specifications_;
};

}  // namespace ZalvoBACnetStack
