// The built-in router device: a device record with instance 0 that stands
// in for the local device when a client request is sent while no device has
// been added. Enabling the virtual router gives it its configured instance;
// its object map keeps the device object it was made with.
#pragma once

#include <cstdint>

#include "server/bacnetdbdevice.h"

namespace ZalvoBACnetStack {

class BACnetDBRouter final : public BACnetDBDevice {
public:
    BACnetDBRouter() : BACnetDBDevice(0) {}

    // Overwrites the device instance only.
    void SetDeviceInstance(uint32_t deviceInstance) { SetObjectInstance(deviceInstance); }
};

}  // namespace ZalvoBACnetStack
