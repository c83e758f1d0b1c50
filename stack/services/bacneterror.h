// The plain BACnet error: an error class and an error code, both
// application-tagged ENUMERATED values. It is what an Error PDU carries for
// most services, what a read result reports for a property that could not be
// read, and the first member of every service-specific error type.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/bacnetenumerations.h"
#include "core/bacnetobjectbase.h"

namespace ZalvoBACnetStack {

class BACnetError : public BACnetObjectBase {
public:
    // Error classes and codes are 16-bit values on this stack (standard
    // values below 64 and 256, proprietary ones above, up to 65535).
    static constexpr uint32_t kMaxValue = 0xFFFF;

    BACnetError() = default;
    BACnetError(uint32_t errorClass, uint32_t errorCode) { SetError(errorClass, errorCode); }

    // Error class, then error code; each must be an application-tagged
    // ENUMERATED value.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    // Encode with the reports made in the name of `operation` in `source`
    // (the plain error base writes its error through this).
    [[nodiscard]] uint16_t EncodeReportingAs(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                             const char* operation, const char* source);
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kError; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "Error"; }
    bool GetChildren(RenderChildren& children) const override;

    // Both values, or neither: a refused value leaves the error not valid.
    bool SetError(uint32_t errorClass, uint32_t errorCode);
    bool SetErrorClass(uint32_t errorClass);
    bool SetErrorCode(uint32_t errorCode);

    const BACnetErrorClass& GetErrorClass() const { return errorClass_; }
    const BACnetErrorCode& GetErrorCode() const { return errorCode_; }

private:
    BACnetErrorClass errorClass_;
    BACnetErrorCode errorCode_;
};

}  // namespace ZalvoBACnetStack
