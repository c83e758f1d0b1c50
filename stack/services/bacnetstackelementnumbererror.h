// The error types that name the first element that failed (ChangeList-Error
// and CreateObject-Error): the error, enclosed in context tag 0, and the
// number of the first failed element in context tag 1. Each kind reports
// under its own class and source file names, which it hands over when it is
// made.
#pragma once

#include "core/bacnetprimitiveuint.h"
#include "services/bacneterrorbase.h"

namespace ZalvoBACnetStack {

class BACnetStackElementNumberError : public BACnetErrorBase {
public:
    static constexpr uint8_t kErrorTypeTag = 0;
    static constexpr uint8_t kFirstFailedElementNumberTag = 1;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    void Reset() override;

    // The error (context 0), "FirstFailedElementNumber" (context 1).
    bool GetChildren(RenderChildren& children) const override;

    // Valid once the error is set too (SetError).
    void SetFirstFailedElementNumber(uint32_t elementNumber);
    const BACnetPrimitiveUINT& GetFirstFailedElementNumber() const { return firstFailedElementNumber_; }

    // What a kind's reports carry: its source file and its qualified Decode
    // and Encode names.
    struct ReportNames {
        const char* source;
        const char* decode;
        const char* encode;
    };

protected:
    explicit BACnetStackElementNumberError(const ReportNames& names);

    // Both kinds compare as element number errors once their datatypes match.
    bool HasSameMembers(const BACnetErrorBase& other) const override;
    bool IsComplete() const override { return error_.IsValid() && firstFailedElementNumber_.IsValid(); }

private:
    const ReportNames* names_;
    BACnetPrimitiveUINT firstFailedElementNumber_;
};

}  // namespace ZalvoBACnetStack
