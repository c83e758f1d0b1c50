// The property profile: the analog-input reference rows, the size of every
// type's profile, spot checks of single rows (edges of the identifier range,
// arrays, lists, priority arrays, writable properties), the order of the
// required lists, the types without a profile, the record layout and the
// commandable present values.
#include "core/bacnetpropertyprofile.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace ZalvoBACnetStack {
namespace {

constexpr uint8_t kC = BACnetPropertyProfile::kConstructedDatatype;

struct Row {
    uint32_t property;
    uint8_t required;
    uint8_t writable;
    uint8_t isArray;
    uint8_t isList;
    uint8_t datatype;
};

std::string Describe(uint32_t objectType, uint32_t property) {
    return "objectType " + std::to_string(objectType) + ", property " + std::to_string(property);
}

void ExpectRecord(uint32_t objectType, const Row& row) {
    SCOPED_TRACE(Describe(objectType, row.property));
    BACnetPropertyRecord record;
    record.subscribable = 7;  // must be overwritten: the profile never sets it
    ASSERT_TRUE(BACnetPropertyProfile::GetPropertyProfile(objectType, row.property, record));
    EXPECT_EQ(record.required, row.required);
    EXPECT_EQ(record.writable, row.writable);
    EXPECT_EQ(record.subscribable, 0);
    EXPECT_EQ(record.isArray, row.isArray);
    EXPECT_EQ(record.isList, row.isList);
    EXPECT_EQ(record.datatype, row.datatype);
    EXPECT_EQ(record.reserved[0], 0);
    EXPECT_EQ(record.reserved[1], 0);
}

// The analog-input profile as the stack documents it: exactly these 28
// properties, none writable, none a list.
TEST(PropertyProfile, AnalogInputEqualsTheReferenceTable) {
    const std::vector<Row> reference = {
        {75, 1, 0, 0, 0, 12}, {77, 1, 0, 0, 0, 7},  {79, 1, 0, 0, 0, 9},  {36, 1, 0, 0, 0, 9},
        {117, 1, 0, 0, 0, 9}, {85, 1, 0, 0, 0, 4},  {111, 1, 0, 0, 0, 8}, {81, 1, 0, 0, 0, 1},
        {371, 1, 0, 1, 0, 9}, {28, 0, 0, 0, 0, 7},  {31, 0, 0, 0, 0, 7},  {168, 0, 0, 0, 0, 7},
        {0, 0, 0, 0, 0, 8},   {35, 0, 0, 0, 0, 8},  {52, 0, 0, 0, 0, 8},  {17, 0, 0, 0, 0, 2},
        {113, 0, 0, 0, 0, 2}, {118, 0, 0, 0, 0, 2}, {22, 0, 0, 0, 0, 4},  {25, 0, 0, 0, 0, 4},
        {45, 0, 0, 0, 0, 4},  {59, 0, 0, 0, 0, 4},  {65, 0, 0, 0, 0, 4},  {69, 0, 0, 0, 0, 4},
        {106, 0, 0, 0, 0, 4}, {72, 0, 0, 0, 0, 9},  {103, 0, 0, 0, 0, 9}, {130, 0, 0, 1, 0, kC},
    };
    std::set<uint32_t> expected;
    for (const Row& row : reference) {
        ExpectRecord(0, row);
        expected.insert(row.property);
    }
    std::set<uint32_t> actual;
    for (const BACnetPropertyProfileEntry& entry : BACnetPropertyProfile::GetProperties(0))
        actual.insert(entry.propertyIdentifier);
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(BACnetPropertyProfile::GetProperties(0).size(), 28u);
}

// Number of properties and of required properties of every object type; a
// dropped or duplicated row changes one of them.
TEST(PropertyProfile, EveryTypeHasItsNumberOfProperties) {
    const std::map<uint32_t, std::pair<size_t, size_t>> sizes = {
        {0, {28, 9}},   {1, {44, 12}},  {2, {44, 9}},   {3, {37, 9}},   {4, {46, 12}},  {5, {43, 8}},
        {6, {10, 6}},   {7, {26, 8}},   {8, {67, 21}},  {9, {28, 16}},  {10, {15, 10}}, {11, {10, 6}},
        {12, {49, 17}}, {13, {32, 9}},  {14, {38, 12}}, {15, {23, 8}},  {16, {27, 8}},  {17, {28, 12}},
        {18, {19, 12}}, {19, {37, 9}},  {20, {41, 13}}, {21, {41, 14}}, {22, {39, 15}}, {23, {43, 11}},
        {24, {40, 15}}, {25, {33, 12}}, {26, {35, 10}}, {27, {39, 15}}, {28, {37, 16}}, {29, {17, 6}},
        {30, {46, 15}}, {31, {40, 8}},  {32, {30, 14}}, {33, {54, 18}}, {34, {16, 10}}, {35, {19, 9}},
        {36, {42, 12}}, {37, {25, 10}}, {38, {18, 14}}, {39, {36, 6}},  {40, {35, 6}},  {45, {44, 7}},
        {46, {44, 7}},  {47, {21, 6}},  {48, {44, 7}},  {51, {17, 11}}, {52, {20, 12}}, {53, {30, 12}},
        {54, {37, 20}}, {55, {39, 13}}, {56, {72, 14}}, {57, {14, 7}},  {58, {35, 11}}, {59, {52, 14}},
    };
    size_t totalProperties = 0;
    size_t totalRequired = 0;
    for (uint32_t objectType = 0; objectType < 64; ++objectType) {
        SCOPED_TRACE("objectType " + std::to_string(objectType));
        const auto properties = BACnetPropertyProfile::GetProperties(objectType);
        const auto required = BACnetPropertyProfile::GetListOfRequiredProperties(objectType);
        const auto it = sizes.find(objectType);
        if (it == sizes.end()) {
            EXPECT_FALSE(BACnetPropertyProfile::HasProfile(objectType));
            EXPECT_TRUE(properties.empty());
            EXPECT_TRUE(required.empty());
            continue;
        }
        EXPECT_TRUE(BACnetPropertyProfile::HasProfile(objectType));
        EXPECT_EQ(properties.size(), it->second.first);
        EXPECT_EQ(required.size(), it->second.second);
        // The entries ascend strictly (binary search relies on it), and the
        // required list holds exactly the entries marked required.
        std::set<uint32_t> markedRequired;
        for (size_t i = 0; i < properties.size(); ++i) {
            if (i > 0) {
                EXPECT_LT(properties[i - 1].propertyIdentifier, properties[i].propertyIdentifier);
            }
            if (properties[i].required) markedRequired.insert(properties[i].propertyIdentifier);
        }
        EXPECT_EQ(std::set<uint32_t>(required.begin(), required.end()), markedRequired);
        totalProperties += properties.size();
        totalRequired += required.size();
    }
    EXPECT_EQ(totalProperties, 1846u);
    EXPECT_EQ(totalRequired, 603u);
}

struct SpotRow {
    uint32_t objectType;
    Row row;
};

// Single rows: the lowest and highest identifiers of several types, arrays,
// lists, the priority arrays and relinquish defaults of commandable types,
// the properties the standard requires to be writable, and those the device
// server enables by itself.
TEST(PropertyProfile, SpotChecks) {
    const std::vector<SpotRow> rows = {
        {0, {0, 0, 0, 0, 0, 8}},        // analog-input: acked-transitions, the lowest
        {0, {371, 1, 0, 1, 0, 9}},      // analog-input: property-list, the highest
        {1, {0, 0, 0, 0, 0, 8}},        // analog-output: acked-transitions
        {1, {85, 1, 1, 0, 0, 4}},       // analog-output: present-value, writable
        {1, {87, 1, 0, 1, 0, 117}},     // analog-output: priority-array
        {1, {104, 1, 0, 0, 0, 4}},      // analog-output: relinquish-default
        {1, {431, 1, 0, 0, 0, kC}},     // analog-output: current-command-priority
        {1, {486, 0, 0, 1, 0, kC}},     // analog-output: tags, the highest
        {2, {85, 1, 0, 0, 0, 4}},       // analog-value: present-value, not writable
        {2, {87, 0, 0, 1, 0, 117}},     // analog-value: optional priority-array
        {4, {85, 1, 1, 0, 0, 9}},       // binary-output: present-value
        {4, {84, 1, 0, 0, 0, 9}},       // binary-output: polarity
        {6, {23, 1, 0, 0, 1, kC}},      // calendar: date-list, the lowest
        {7, {2, 1, 0, 1, 0, kC}},       // command: action
        {7, {85, 1, 1, 0, 0, 2}},       // command: present-value
        {8, {5, 0, 0, 0, 1, kC}},       // device: active-VT-sessions
        {8, {30, 1, 0, 0, 1, kC}},      // device: device-address-binding
        {8, {76, 1, 0, 1, 0, 12}},      // device: object-list
        {8, {96, 1, 0, 0, 0, 8}},       // device: protocol-object-types-supported
        {8, {116, 0, 0, 0, 1, 23}},     // device: time-synchronization-recipients
        {8, {120, 1, 0, 0, 0, 2}},      // device: vendor-identifier
        {8, {152, 0, 0, 0, 1, 25}},     // device: active-COV-subscriptions
        {8, {56, 0, 0, 0, 0, 10}},      // device: local-date
        {8, {57, 0, 0, 0, 0, 11}},      // device: local-time
        {8, {119, 0, 0, 0, 0, 3}},      // device: UTC-offset
        {8, {24, 0, 0, 0, 0, 1}},       // device: daylight-savings-status
        {8, {486, 0, 0, 1, 0, kC}},     // device: tags
        {10, {13, 1, 1, 0, 0, 1}},      // file: archive, the lowest, writable
        {11, {28, 0, 0, 0, 0, 7}},      // group: description, the lowest
        {11, {53, 1, 0, 0, 1, 35}},     // group: list-of-group-members
        {11, {85, 1, 0, 0, 1, 33}},     // group: present-value
        {12, {19, 1, 0, 0, 0, 18}},     // loop: controlled-variable-reference
        {15, {86, 1, 0, 1, 0, 2}},      // notification-class: priority
        {15, {102, 1, 0, 0, 1, kC}},    // notification-class: recipient-list
        {16, {90, 1, 1, 0, 0, 9}},      // program: program-change
        {17, {85, 1, 0, 0, 0, 16}},     // schedule: present-value
        {17, {123, 0, 0, 1, 0, kC}},    // schedule: weekly-schedule
        {20, {131, 1, 0, 0, 1, kC}},    // trend-log: log-buffer
        {20, {133, 1, 1, 0, 0, 1}},     // trend-log: enable
        {26, {350, 0, 0, 0, 1, 23}},    // global-group: COVU-recipients
        {29, {491, 0, 0, 0, 0, kC}},    // structured-view: represents, the highest
        {30, {85, 1, 1, 0, 0, 9}},      // access-door: present-value
        {30, {87, 1, 0, 1, 0, 117}},    // access-door: priority-array
        {39, {85, 1, 0, 0, 0, 8}},      // bitstring-value: present-value
        {40, {85, 1, 0, 0, 0, 7}},      // characterstring-value: present-value
        {45, {85, 1, 0, 0, 0, 3}},      // integer-value: present-value
        {46, {85, 1, 0, 0, 0, 5}},      // large-analog-value: present-value
        {47, {85, 1, 0, 0, 0, 6}},      // octetstring-value: present-value
        {48, {104, 0, 0, 0, 0, 2}},     // positive-integer-value: relinquish-default
        {53, {85, 1, 1, 0, 0, kC}},     // channel: present-value
        {53, {54, 1, 1, 1, 0, kC}},     // channel: list-of-object-property-references
        {54, {22, 0, 0, 0, 0, 4}},      // lighting-output: COV-increment, the lowest
        {54, {380, 1, 1, 0, 0, kC}},    // lighting-output: lighting-command
        {55, {85, 1, 1, 0, 0, 9}},      // binary-lighting-output: present-value
        {56, {400, 0, 0, 0, 0, 6}},     // network-port: IP-address
        {56, {406, 0, 0, 1, 0, 6}},     // network-port: IP-DNS-server
        {56, {408, 0, 0, 0, 0, 9}},     // network-port: BACnet-IP-mode
        {56, {412, 0, 0, 0, 0, 2}},     // network-port: BACnet-IP-UDP-port
        {56, {420, 1, 0, 0, 0, 4}},     // network-port: link-speed
        {56, {423, 0, 0, 0, 0, 6}},     // network-port: MAC-address
        {56, {427, 1, 0, 0, 0, 9}},     // network-port: network-type
        {56, {482, 1, 0, 0, 0, 9}},     // network-port: protocol-level
        {56, {483, 0, 0, 0, 0, 2}},     // network-port: reference-port
        {59, {447, 0, 0, 1, 0, kC}},    // lift: assigned-landing-calls
        {59, {463, 1, 0, 0, 1, 9}},     // lift: fault-signals
        {59, {486, 0, 0, 1, 0, kC}},    // lift: tags, the highest
    };
    for (const SpotRow& spot : rows) ExpectRecord(spot.objectType, spot.row);
}

// The required properties in the order of the standard's object type
// definitions.
TEST(PropertyProfile, RequiredPropertiesComeInTheStandardsOrder) {
    const std::map<uint32_t, std::vector<uint32_t>> lists = {
        {0, {75, 77, 79, 85, 111, 36, 81, 117, 371}},
        {1, {75, 77, 79, 85, 111, 36, 81, 117, 87, 104, 371, 431}},
        {4, {75, 77, 79, 85, 111, 36, 81, 84, 87, 104, 371, 431}},
        {6, {75, 77, 79, 85, 23, 371}},
        {8, {75, 77, 79, 112, 121, 120, 70, 44, 12, 98, 139, 97, 96, 76, 62, 107, 11, 73, 30, 155, 371}},
        {11, {75, 77, 79, 53, 85, 371}},
        {14, {75, 77, 79, 85, 111, 36, 81, 74, 87, 104, 371, 431}},
        {15, {75, 77, 79, 17, 86, 1, 102, 371}},
        {17, {75, 77, 79, 85, 32, 174, 54, 88, 111, 103, 81, 371}},
        {20, {75, 77, 79, 133, 144, 126, 131, 141, 145, 197, 111, 36, 371}},
        {30, {75, 77, 79, 85, 111, 36, 103, 81, 87, 104, 230, 227, 229, 371, 431}},
        {47, {75, 77, 79, 85, 111, 371}},
        {53, {75, 77, 79, 85, 369, 370, 111, 81, 54, 366, 367, 371}},
        {56, {75, 77, 79, 111, 103, 81, 427, 482, 425, 426, 416, 399, 420, 371}},
        {59, {75, 77, 79, 111, 459, 465, 469, 458, 457, 450, 478, 81, 463, 371}},
    };
    for (const auto& [objectType, expected] : lists) {
        SCOPED_TRACE("objectType " + std::to_string(objectType));
        const auto required = BACnetPropertyProfile::GetListOfRequiredProperties(objectType);
        EXPECT_EQ(std::vector<uint32_t>(required.begin(), required.end()), expected);
    }
}

// Pairs the profile does not know leave the record untouched.
TEST(PropertyProfile, UnknownPairsAreNotFound) {
    const std::vector<std::pair<uint32_t, uint32_t>> pairs = {
        {0, 87},            // analog-input has no priority array
        {0, 104},           // nor a relinquish default
        {0, 486},           // the later additions are not in its profile
        {0, 351},
        {0, 1},             // a property just above the lowest one
        {0, 372},           // just above the highest one
        {8, 85},            // a device has no present-value
        {3, 117},           // binary-input has no units
        {59, 487},          // past lift's highest
        {0, 512},           // not a standard property
        {0, 0xFFFFFFFFu},
        {41, 75},           // types without a profile know no property
        {42, 77},
        {43, 79},
        {44, 85},
        {49, 75},
        {50, 75},
        {60, 75},
        {128, 85},
        {1023, 75},
        {0xFFFFFFFFu, 75},
    };
    for (const auto& [objectType, property] : pairs) {
        SCOPED_TRACE(Describe(objectType, property));
        BACnetPropertyRecord record;
        record.datatype = 99;
        EXPECT_FALSE(BACnetPropertyProfile::GetPropertyProfile(objectType, property, record));
        EXPECT_EQ(record.datatype, 99);
        EXPECT_EQ(record.required, 0);
        EXPECT_EQ(BACnetPropertyProfile::Find(objectType, property), nullptr);
    }
    EXPECT_TRUE(BACnetPropertyProfile::GetListOfRequiredProperties(128).empty());
}

TEST(PropertyProfile, RecordHasTheDatabaseLayout) {
    EXPECT_EQ(sizeof(BACnetPropertyRecord), 8u);
    EXPECT_EQ(offsetof(BACnetPropertyRecord, required), 0u);
    EXPECT_EQ(offsetof(BACnetPropertyRecord, writable), 1u);
    EXPECT_EQ(offsetof(BACnetPropertyRecord, subscribable), 2u);
    EXPECT_EQ(offsetof(BACnetPropertyRecord, isArray), 3u);
    EXPECT_EQ(offsetof(BACnetPropertyRecord, isList), 4u);
    EXPECT_EQ(offsetof(BACnetPropertyRecord, datatype), 5u);
    EXPECT_EQ(offsetof(BACnetPropertyRecord, reserved), 6u);
    // Constructed values without a class of their own are raw data.
    EXPECT_EQ(BACnetPropertyProfile::kConstructedDatatype, Datatype::kStackUnknownAPDU);
}

struct CommandableRow {
    uint32_t objectType;
    BACnetCommandability commandability;
};

// Which present values are commandable, and what the object needs for it.
TEST(PropertyProfile, CommandablePresentValues) {
    const std::vector<CommandableRow> rows = {
        {0, BACnetCommandability::kNever},
        {1, BACnetCommandability::kAlways},
        {2, BACnetCommandability::kWithPriorityArray},
        {3, BACnetCommandability::kNever},
        {4, BACnetCommandability::kAlways},
        {5, BACnetCommandability::kWithPriorityArray},
        {7, BACnetCommandability::kNever},
        {8, BACnetCommandability::kNever},
        {13, BACnetCommandability::kNever},
        {14, BACnetCommandability::kAlways},
        {18, BACnetCommandability::kNever},
        {19, BACnetCommandability::kWithPriorityArray},
        {20, BACnetCommandability::kNever},
        {29, BACnetCommandability::kNever},
        {30, BACnetCommandability::kAlways},
        {31, BACnetCommandability::kNever},
        {38, BACnetCommandability::kNever},
        {39, BACnetCommandability::kWithPriorityArray},
        {40, BACnetCommandability::kWithPriorityArray},
        {41, BACnetCommandability::kWithPriorityArray},
        {45, BACnetCommandability::kWithPriorityArray},
        {48, BACnetCommandability::kWithPriorityArray},
        {50, BACnetCommandability::kWithPriorityArray},
        {51, BACnetCommandability::kNever},
        {52, BACnetCommandability::kNever},
        {53, BACnetCommandability::kAlways},
        {54, BACnetCommandability::kAlways},
        {55, BACnetCommandability::kAlways},
        {56, BACnetCommandability::kNever},
        {59, BACnetCommandability::kNever},
        {60, BACnetCommandability::kNever},
        {0xFFFFFFFFu, BACnetCommandability::kNever},
    };
    for (const CommandableRow& row : rows) {
        SCOPED_TRACE("objectType " + std::to_string(row.objectType));
        EXPECT_EQ(BACnetPropertyProfile::PresentValueCommandability(row.objectType), row.commandability);
        const bool always = row.commandability == BACnetCommandability::kAlways;
        const bool conditional = row.commandability == BACnetCommandability::kWithPriorityArray;
        EXPECT_EQ(BACnetPropertyProfile::IsPropertyCommandable(row.objectType, 85, false, false), always);
        EXPECT_EQ(BACnetPropertyProfile::IsPropertyCommandable(row.objectType, 85, true, false), always);
        EXPECT_EQ(BACnetPropertyProfile::IsPropertyCommandable(row.objectType, 85, false, true), always);
        EXPECT_EQ(BACnetPropertyProfile::IsPropertyCommandable(row.objectType, 85, true, true), always || conditional);
        // Only the present-value is ever commandable.
        for (uint32_t property : {84u, 86u, 87u, 104u}) {
            EXPECT_FALSE(BACnetPropertyProfile::IsPropertyCommandable(row.objectType, property, true, true));
        }
    }
}

// Every type whose present-value is always commandable, except the channel,
// has a required priority array and relinquish default in its profile; the
// conditional types that have a profile list both as optional.
TEST(PropertyProfile, CommandableTypesHaveTheirPriorityArrays) {
    for (uint32_t objectType : {1u, 4u, 14u, 30u, 54u, 55u, 2u, 5u, 19u, 39u, 40u, 45u, 46u, 47u, 48u}) {
        SCOPED_TRACE("objectType " + std::to_string(objectType));
        const bool always = BACnetPropertyProfile::PresentValueCommandability(objectType) == BACnetCommandability::kAlways;
        const BACnetPropertyProfileEntry* priorityArray = BACnetPropertyProfile::Find(objectType, 87);
        const BACnetPropertyProfileEntry* relinquishDefault = BACnetPropertyProfile::Find(objectType, 104);
        const BACnetPropertyProfileEntry* presentValue = BACnetPropertyProfile::Find(objectType, 85);
        ASSERT_NE(priorityArray, nullptr);
        ASSERT_NE(relinquishDefault, nullptr);
        ASSERT_NE(presentValue, nullptr);
        EXPECT_EQ(priorityArray->required, always ? 1 : 0);
        EXPECT_EQ(relinquishDefault->required, always ? 1 : 0);
        EXPECT_EQ(priorityArray->datatype, Datatype::kPriorityArray);
        EXPECT_EQ(priorityArray->isArray, 1);
        // The relinquish default is of the present value's own primitive type.
        EXPECT_EQ(relinquishDefault->datatype, presentValue->datatype);
        EXPECT_LE(presentValue->datatype, Datatype::kObjectIdentifier);
        EXPECT_EQ(presentValue->writable, always ? 1 : 0);
    }
    EXPECT_EQ(BACnetPropertyProfile::Find(53, 87), nullptr);
}

}  // namespace
}  // namespace ZalvoBACnetStack
