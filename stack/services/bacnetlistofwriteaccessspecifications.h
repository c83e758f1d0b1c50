// The service data of a WritePropertyMultiple request: one
// WriteAccessSpecification after another until the data ends.
#pragma once

#include <memory>
#include <string>

#include "core/bacnetobjectbase.h"
#include "services/bacnetservicecodec.h"
#include "services/bacnetwriteaccessspecification.h"

namespace ZalvoBACnetStack {

class BACnetListOfWriteAccessSpecifications final : public BACnetObjectBase {
public:
    // Appends a copy of a valid WriteAccessSpecification (reported, false otherwise);
    // the list is valid once it holds one.
    bool InsertWriteAccessSpecification(const BACnetWriteAccessSpecification& accessSpecification);

    size_t Size() const { return specifications_.Size(); }
    const BACnetWriteAccessSpecification& At(size_t index) const { return specifications_.Item(index); }

    // Specifications until the length is used up; the first one that fails
    // fails the list (its own reports say why).
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kListOfWriteAccessSpecifications; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "ListOfWriteAccessSpecifications"; }
    // `count`: the number of specifications.
    bool GetAttributes(RenderAttributes& attributes) const override;
    // Each "WriteAccessSpecification", without a context number.
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetServiceCodec::OwnedList<BACnetWriteAccessSpecification> specifications_;
};

}  // namespace ZalvoBACnetStack
