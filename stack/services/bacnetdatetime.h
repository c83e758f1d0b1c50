// BACnetDateTime: an application-tagged Date followed by an
// application-tagged Time.
#pragma once

#include "core/bacnetobjectbase.h"
#include "core/bacnetprimitivedate.h"
#include "core/bacnetprimitivetime.h"

namespace ZalvoBACnetStack {

class BACnetDateTime : public BACnetObjectBase {
public:
    BACnetDateTime() = default;
    BACnetDateTime(const BACnetPrimitiveDATE& date, const BACnetPrimitiveTIME& time) { SetDateTime(date, time); }

    // Copies both parts; false (and no change) when either is not valid.
    bool SetDateTime(const BACnetPrimitiveDATE& date, const BACnetPrimitiveTIME& time);
    const BACnetPrimitiveDATE& GetDate() const { return date_; }
    const BACnetPrimitiveTIME& GetTime() const { return time_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kDateTime; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "DateTime"; }
    // "Date", "Time".
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetPrimitiveDATE date_;
    BACnetPrimitiveTIME time_;
};

}  // namespace ZalvoBACnetStack
