// The record tree of the traffic report: IPv4 address -> BACnet network ->
// device address -> object -> property -> values by packet number. Each level
// is a list in first-seen order; lookups are linear. The lists are deques so
// that a record reached by a find-or-append call stays where it is while
// later calls append siblings (the analyzer keeps the source and destination
// records of a packet side by side, and they may share parents).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>

#include "report/networkaddressstats.h"

namespace Tarnwick {

using IPv4Address = std::array<uint8_t, 4>;

// The largest instance and type that a BACnet object identifier can carry.
inline constexpr uint32_t kMaxObjectInstance = 0x3FFFFF;  // 4,194,303
inline constexpr uint32_t kMaxObjectType = 0x3FF;         // 1023

// The report prints at most the three newest values of a property, so a
// property keeps only those: a long capture of changing values must not
// grow the database packet by packet.
inline constexpr size_t kPropertyValuesKept = 3;

struct PropertyRecord {
    std::string name;
    // The newest value texts by packet number, ascending; one entry per
    // change, at most kPropertyValuesKept of them.
    std::map<uint32_t, std::string> values;
    // Set once an older value was let go to keep `values` at its limit.
    bool olderValuesDropped = false;

    // Records `value` as seen at `packetNumber`, unless the newest recorded
    // value already has this text. A value recorded earlier under the same
    // packet number is replaced. Beyond the limit the oldest entry goes.
    void AddValue(uint32_t packetNumber, std::string_view value);
};

struct ObjectRecord {
    // Object type in the top 10 bits, instance in the low 22 bits.
    uint32_t objectIdentifier = 0;
    std::deque<PropertyRecord> properties;

    uint32_t Instance() const { return objectIdentifier & kMaxObjectInstance; }
    uint16_t Type() const { return static_cast<uint16_t>(objectIdentifier >> 22); }

    PropertyRecord& GetOrAddProperty(std::string_view name);
};

struct DeviceRecord {
    // The device address text exactly as the XML gave it; "0" when none.
    std::string address;
    std::deque<ObjectRecord> objects;

    // The object with this instance and type, appended when new. Null, with
    // nothing stored, when the instance is above 4,194,303 or the type above
    // 1023: such a pair has no object identifier.
    ObjectRecord* GetOrAddObject(uint32_t instance, uint32_t type);
};

struct BACnetNetworkRecord {
    uint16_t networkNumber = 0;  // 0 is the local network
    std::deque<DeviceRecord> devices;

    DeviceRecord& GetOrAddDevice(std::string_view address);
};

struct NetworkAddressRecord {
    IPv4Address ipv4Address{};  // in frame order
    std::deque<BACnetNetworkRecord> networks;
    NetworkAddressStats stats;

    BACnetNetworkRecord& GetOrAddNetwork(uint16_t networkNumber);
};

// Where a ReadProperty request went, kept by invoke ID so that an Error PDU
// answering it can be recorded against the requested property.
struct PendingRequest {
    IPv4Address ipv4Address{};
    uint16_t network = 0;
    std::string deviceAddress;
    uint32_t objectInstance = 0;
    uint16_t objectType = 0;
    std::string propertyName;

    // All zeros and empty texts.
    void Clear();
};

}  // namespace Tarnwick
