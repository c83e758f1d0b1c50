#include "services/bacnetservicecodec.h"

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {

bool BACnetServiceCodec::DeviceInstanceRange::Set(uint32_t low, uint32_t high, const ReportNames& names) {
    if (low > high) {
        StackErrorLog(names.setLimits, names.source, __LINE__,
                      "Error - device instance range low limit is greater than device instance high range limit");
        return false;
    }
    if (!SetLimit(lowLimit, kLowLimitTag, low, names)) {
        StackErrorLog(names.setLimits, names.source, __LINE__, "Failed to set the device instance range low limit");
        return false;
    }
    if (!SetLimit(highLimit, kHighLimitTag, high, names)) {
        StackErrorLog(names.setLimits, names.source, __LINE__, "Failed to set the device instance range high limit");
        lowLimit.Reset();  // the limits come in pairs
        return false;
    }
    return true;
}

bool BACnetServiceCodec::DeviceInstanceRange::SetLimit(BACnetPrimitiveUINT& limit, uint8_t tagNumber, uint32_t value,
                                                       const ReportNames& names) {
    if (value > kMaxDeviceInstance) {
        // The high limit's text has always carried this spelling.
        if (tagNumber == kLowLimitTag) {
            StackErrorLog(names.setLow, names.source, __LINE__,
                          "Invalid device instance range low limit=[%u]. Must be between 0 and 4194303 inclusively",
                          value);
        } else {
            StackErrorLog(names.setHigh, names.source, __LINE__,
                          "Invalid device instance range hgih limit=[%u]. Must be between 0 and 4194303 inclusively",
                          value);
        }
        return false;
    }
    limit.SetValue(value);
    limit.SetContextTag(tagNumber);
    return true;
}

bool BACnetServiceCodec::DeviceInstanceRange::Decode(const uint8_t* buffer, uint16_t length,
                                                     BACnetErrorOutcome* outcome, const ReportNames& names,
                                                     uint16_t& used) {
    uint16_t lowSize = 0;
    uint16_t highSize = 0;
    used = 0;
    if (!DecodeLimit(lowLimit, kLowLimitTag, buffer, length, outcome, names, lowSize) ||
        !DecodeLimit(highLimit, kHighLimitTag, buffer + lowSize, static_cast<uint16_t>(length - lowSize), outcome,
                     names, highSize)) {
        return false;
    }
    used = static_cast<uint16_t>(lowSize + highSize);
    return true;
}

bool BACnetServiceCodec::DeviceInstanceRange::DecodeLimit(BACnetPrimitiveUINT& limit, uint8_t tagNumber,
                                                          const uint8_t* buffer, uint16_t length,
                                                          BACnetErrorOutcome* outcome, const ReportNames& names,
                                                          uint16_t& used) {
    used = 0;
    BACnetTag tag;
    if (length == 0 || tag.Decode(buffer, length) == 0 || !tag.IsContext() || tag.tagNumber != tagNumber) {
        return true;  // absent
    }
    used = limit.DecodeWithContext(buffer, length, outcome, tagNumber);
    if (used != 0) return true;
    StackErrorLog(names.decode, names.source, __LINE__,
                  "Unable to decode device instance range %s limit with context=[%u]",
                  tagNumber == kLowLimitTag ? "low" : "high", unsigned{tagNumber});
    return false;
}

uint16_t BACnetServiceCodec::DeviceInstanceRange::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                                         const ReportNames& names) {
    const uint16_t lowSize = lowLimit.EncodeWithContext(buffer, room, outcome, kLowLimitTag);
    if (lowSize == 0) {
        StackErrorLog(names.encode, names.source, __LINE__,
                      "Unable to encode device instance range low limit with context=[%u]", unsigned{kLowLimitTag});
        return 0;
    }
    // With no room left the high limit's own check reports the lack of room.
    const uint16_t highSize =
        lowSize < room
            ? highLimit.EncodeWithContext(buffer + lowSize, static_cast<uint16_t>(room - lowSize), outcome,
                                          kHighLimitTag)
            : highLimit.EncodeWithContext(nullptr, 0, outcome, kHighLimitTag);
    if (highSize == 0) {
        StackErrorLog(names.encode, names.source, __LINE__,
                      "Unable to encode device instance range high limit with context=[%u]", unsigned{kHighLimitTag});
        return 0;
    }
    return static_cast<uint16_t>(lowSize + highSize);
}

}  // namespace ZalvoBACnetStack
