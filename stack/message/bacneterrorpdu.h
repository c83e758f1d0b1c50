// Error PDU (type 5): the negative answer to a confirmed request. The
// original invoke ID, the error choice (the confirmed service that failed)
// and the error, whose type the error choice selects (a plain error class
// and code, or one of the service-specific error types).
#pragma once

#include <memory>

#include "core/bacnetobjectbase.h"
#include "message/bacnetpdu.h"

namespace ZalvoBACnetStack {

class BACnetErrorPDU : public BACnetPDU {
public:
    static constexpr uint16_t kHeaderSize = 3;
    static constexpr uint16_t kMinimumSize = 6;

    BACnetErrorPDU() = default;
    BACnetErrorPDU(const BACnetErrorPDU& other);
    ~BACnetErrorPDU() override;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetPDUType() const override { return kError; }
    void Reset() override;

    std::string GetElementName() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;
    bool GetChildren(RenderChildren& children) const override;

    // Fills the PDU with `adoptedError` (of the error factory's class for
    // `errorChoice`, which is stored in it) and makes it valid. False, with
    // the PDU unchanged, for no error or one of another class.
    bool SetErrorAndTakeOwnership(uint8_t originalInvokeId, uint32_t errorChoice,
                                  std::unique_ptr<BACnetObjectBase> adoptedError);

    uint8_t GetOriginalInvokeId() const { return originalInvokeId_; }
    uint32_t GetErrorChoice() const { return errorChoice_; }
    const BACnetObjectBase* GetError() const { return error_.get(); }

protected:
    bool HasSameFields(const BACnetPDU& other) const override;

private:
    uint8_t originalInvokeId_ = 0;
    uint32_t errorChoice_ = 0;
    std::unique_ptr<BACnetObjectBase> error_;
};

}  // namespace ZalvoBACnetStack
