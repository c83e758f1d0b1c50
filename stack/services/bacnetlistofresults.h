// The results of one read access result: the read results between opening
// and closing tag 1, each decoded with the object type of the access
// result. Decode reads the enclosing tags itself; Encode writes only the
// results (the access result brackets them). It has no element name: its
// parent renders it under a name of its own, with the count.
#pragma once

#include "core/bacnetobjectbase.h"
#include "services/bacnetreadresult.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {

class BACnetListOfResults : public BACnetObjectBase {
public:
    static constexpr uint8_t kListTag = 1;

    BACnetListOfResults() = default;
    BACnetListOfResults(const BACnetListOfResults& other);
    BACnetListOfResults& operator=(const BACnetListOfResults&) = delete;

    // The object type the results' values are typed by when decoding.
    void SetObjectType(uint16_t objectType) { objectType_ = objectType; }
    uint16_t GetObjectType() const { return objectType_; }

    // Appends a copy of a valid result; the list becomes valid.
    bool Add(const BACnetReadResult& result);
    // A valid list without results.
    void SetEmpty();
    size_t Size() const { return results_.Size(); }
    const BACnetReadResult* At(size_t index) const { return results_.At(index); }

    // Opening tag 1, the results, closing tag 1 (counted in the result).
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // The results one after the other.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kSequenceOf; }
    // No results, not valid; the object type stays as set.
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return {}; }
    // count = the number of results.
    bool GetAttributes(RenderAttributes& attributes) const override;
    // Each "ReadResult".
    bool GetChildren(RenderChildren& children) const override;

private:
    uint16_t objectType_ = 0;
    BACnetServiceCodec::OwnedList<BACnetReadResult> results_;
};

}  // namespace ZalvoBACnetStack
