// The error answering VT-Close (error choice 22): the error, enclosed in
// context tag 0, and optionally the virtual terminal sessions that could not
// be closed, a list of Unsigned enclosed in context tag 1.
#pragma once

#include "core/bacnetprimitiveuint.h"
#include "core/bacnetsequenceof.h"
#include "services/bacneterrorbase.h"

namespace ZalvoBACnetStack {

class BACnetVTCloseError : public BACnetErrorBase {
public:
    static constexpr uint8_t kErrorTypeTag = 0;
    static constexpr uint8_t kListOfVtSessionIdentifiersTag = 1;

    BACnetVTCloseError() = default;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kVTCloseError; }
    void Reset() override;

    std::string GetElementName() const override { return "VTCloseError"; }
    // The error (0), "ListOfVtSessionIdentifiers" (1) when present.
    bool GetChildren(RenderChildren& children) const override;

    // Adds a session to the list (which becomes present).
    void AddVtSessionIdentifier(uint32_t sessionIdentifier);
    void ClearVtSessionIdentifiers() { listOfVtSessionIdentifiers_.Reset(); }
    bool HasVtSessionIdentifiers() const { return listOfVtSessionIdentifiers_.IsValid(); }
    const BACnetSequenceOf<BACnetPrimitiveUINT>& GetVtSessionIdentifiers() const { return listOfVtSessionIdentifiers_; }

protected:
    bool HasSameMembers(const BACnetErrorBase& other) const override;

private:
    BACnetSequenceOf<BACnetPrimitiveUINT> listOfVtSessionIdentifiers_;
};

}  // namespace ZalvoBACnetStack
