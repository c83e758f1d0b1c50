// The datatype lookup: a property's own datatype, the array-index rules of
// priority arrays and other arrays, and the report and unknown datatype for
// properties the profile does not know.
#include "core/bacnetdatatypelookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {

constexpr const char* kUnknownReport =
    "::ZalvoBACnetStack::BACnetDatatypeLookup::GetDatatype() in file: bacnetdatatypelookup(";
constexpr const char* kUnknownMessage = "Error - Proprietary Properties not yet implemented";

struct LookupRow {
    const char* label;
    uint32_t objectType;
    uint32_t property;
    bool useArrayIndex;
    uint32_t arrayIndex;
    uint8_t datatype;
};

TEST(DatatypeLookup, KnownProperties) {
    const std::vector<LookupRow> rows = {
        {"analog-input present-value", 0, 85, false, 0, Datatype::kReal},
        {"analog-input object-name", 0, 77, false, 0, Datatype::kCharacterString},
        {"analog-input event-state", 0, 36, false, 0, Datatype::kEnumerated},
        {"analog-input status-flags", 0, 111, false, 0, Datatype::kBitString},
        {"analog-input object-identifier", 0, 75, false, 0, Datatype::kObjectIdentifier},
        {"analog-input out-of-service", 0, 81, false, 0, Datatype::kBoolean},
        {"analog-input time-delay", 0, 113, false, 0, Datatype::kUnsigned},
        {"binary-output present-value", 4, 85, false, 0, Datatype::kEnumerated},
        {"multi-state-output present-value", 14, 85, false, 0, Datatype::kUnsigned},
        {"integer-value present-value", 45, 85, false, 0, Datatype::kSigned},
        {"large-analog-value present-value", 46, 85, false, 0, Datatype::kDouble},
        {"octetstring-value present-value", 47, 85, false, 0, Datatype::kOctetString},
        {"device local-date", 8, 56, false, 0, Datatype::kDate},
        {"device local-time", 8, 57, false, 0, Datatype::kTime},
        {"device active-COV-subscriptions", 8, 152, false, 0, Datatype::kCOVSubscription},
        {"schedule present-value", 17, 85, false, 0, Datatype::kAbstractSyntaxType},
        {"loop controlled-variable-reference", 12, 19, false, 0, Datatype::kObjectPropertyReference},
        {"trend-log start-time", 20, 142, false, 0, Datatype::kDateTime},
        {"analog-input event-time-stamps", 0, 130, false, 0, BACnetPropertyProfile::kConstructedDatatype},
        {"lighting-output lighting-command", 54, 380, false, 0, BACnetPropertyProfile::kConstructedDatatype},
        {"analog-output priority-array, whole", 1, 87, false, 0, Datatype::kPriorityArray},
    };
    for (const LookupRow& row : rows) {
        SCOPED_TRACE(row.label);
        StackErrorLogCapture log;
        EXPECT_EQ(BACnetDatatypeLookup::GetDatatype(row.objectType, row.property, row.useArrayIndex, row.arrayIndex),
                  row.datatype);
        EXPECT_EQ(log.Text(), "");
    }
}

TEST(DatatypeLookup, ArrayIndexRules) {
    const std::vector<LookupRow> rows = {
        // Priority arrays: index 0 is the size, any other index one slot.
        {"analog-output priority-array [0]", 1, 87, true, 0, Datatype::kUnsigned},
        {"analog-output priority-array [1]", 1, 87, true, 1, Datatype::kPriorityValue},
        {"analog-output priority-array [16]", 1, 87, true, 16, Datatype::kPriorityValue},
        {"analog-output priority-array [17]", 1, 87, true, 17, Datatype::kPriorityValue},
        {"binary-value priority-array [0]", 5, 87, true, 0, Datatype::kUnsigned},
        {"binary-value priority-array [3]", 5, 87, true, 3, Datatype::kPriorityValue},
        {"lighting-output priority-array [0xFFFFFFFF]", 54, 87, true, 0xFFFFFFFFu, Datatype::kPriorityValue},
        // Other arrays: index 0 is the size, any other index one element.
        {"analog-input property-list [0]", 0, 371, true, 0, Datatype::kUnsigned},
        {"analog-input property-list [2]", 0, 371, true, 2, Datatype::kEnumerated},
        {"device object-list [0]", 8, 76, true, 0, Datatype::kUnsigned},
        {"device object-list [5]", 8, 76, true, 5, Datatype::kObjectIdentifier},
        {"device object-list, whole", 8, 76, false, 0, Datatype::kObjectIdentifier},
        {"notification-class priority [0]", 15, 86, true, 0, Datatype::kUnsigned},
        {"notification-class priority [3]", 15, 86, true, 3, Datatype::kUnsigned},
        {"network-port IP-DNS-server [0]", 56, 406, true, 0, Datatype::kUnsigned},
        {"network-port IP-DNS-server [1]", 56, 406, true, 1, Datatype::kOctetString},
        {"analog-input event-time-stamps [0]", 0, 130, true, 0, Datatype::kUnsigned},
        {"analog-input event-time-stamps [1]", 0, 130, true, 1, BACnetPropertyProfile::kConstructedDatatype},
        // Not arrays: the index changes nothing.
        {"analog-input present-value [0]", 0, 85, true, 0, Datatype::kReal},
        {"analog-input present-value [4]", 0, 85, true, 4, Datatype::kReal},
        {"analog-output relinquish-default [0]", 1, 104, true, 0, Datatype::kReal},
        {"device active-COV-subscriptions (a list) [0]", 8, 152, true, 0, Datatype::kCOVSubscription},
        {"lift fault-signals (a list) [0]", 59, 463, true, 0, Datatype::kEnumerated},
    };
    for (const LookupRow& row : rows) {
        SCOPED_TRACE(row.label);
        StackErrorLogCapture log;
        EXPECT_EQ(BACnetDatatypeLookup::GetDatatype(row.objectType, row.property, row.useArrayIndex, row.arrayIndex),
                  row.datatype);
        EXPECT_EQ(log.Text(), "");
    }
}

TEST(DatatypeLookup, UnknownPropertiesAreReportedOnce) {
    const std::vector<LookupRow> rows = {
        {"proprietary property", 0, 512, false, 0, 0},
        {"proprietary property with an index", 1, 1000, true, 0, 0},
        {"standard property the type lacks", 0, 87, true, 1, 0},
        {"device present-value", 8, 85, false, 0, 0},
        {"type 41 object-name", 41, 77, false, 0, 0},
        {"type 44 present-value", 44, 85, false, 0, 0},
        {"type 49 object-identifier", 49, 75, false, 0, 0},
        {"type 50 object-type", 50, 79, false, 0, 0},
        {"type 60 object-identifier", 60, 75, false, 0, 0},
        {"proprietary type 128", 128, 85, false, 0, 0},
        {"largest type 1023", 1023, 75, true, 0, 0},
    };
    for (const LookupRow& row : rows) {
        SCOPED_TRACE(row.label);
        StackErrorLogCapture log;
        EXPECT_EQ(BACnetDatatypeLookup::GetDatatype(row.objectType, row.property, row.useArrayIndex, row.arrayIndex),
                  BACnetDatatypeLookup::kUnknownDatatype);
        EXPECT_EQ(log.Messages(), std::string(kUnknownMessage) + "\n");
        EXPECT_EQ(log.Text().rfind(kUnknownReport, 0), 0u) << log.Text();
    }
    EXPECT_EQ(BACnetDatatypeLookup::kUnknownDatatype, Datatype::kStackUnknownAPDU);
}

// The rules applied to a record the caller holds, for instance an object's
// own record in the device database.
TEST(DatatypeLookup, RecordRules) {
    BACnetPropertyRecord scalar;
    scalar.datatype = Datatype::kCharacterString;
    BACnetPropertyRecord array;
    array.isArray = 1;
    array.datatype = Datatype::kReal;
    BACnetPropertyRecord priorityArray;
    priorityArray.isArray = 1;
    priorityArray.datatype = Datatype::kPriorityArray;
    // A priority array is recognised by its datatype, even without the array flag.
    BACnetPropertyRecord unflaggedPriorityArray;
    unflaggedPriorityArray.datatype = Datatype::kPriorityArray;
    BACnetPropertyRecord list;
    list.isList = 1;
    list.datatype = Datatype::kObjectIdentifier;

    struct RecordRow {
        const char* label;
        const BACnetPropertyRecord& record;
        bool useArrayIndex;
        uint32_t index;
        uint8_t datatype;
    };
    const std::vector<RecordRow> rows = {
        {"scalar", scalar, false, 0, Datatype::kCharacterString},
        {"scalar [0]", scalar, true, 0, Datatype::kCharacterString},
        {"array", array, false, 0, Datatype::kReal},
        {"array [0]", array, true, 0, Datatype::kUnsigned},
        {"array [9]", array, true, 9, Datatype::kReal},
        {"priority array", priorityArray, false, 0, Datatype::kPriorityArray},
        {"priority array [0]", priorityArray, true, 0, Datatype::kUnsigned},
        {"priority array [8]", priorityArray, true, 8, Datatype::kPriorityValue},
        {"unflagged priority array [0]", unflaggedPriorityArray, true, 0, Datatype::kUnsigned},
        {"unflagged priority array [2]", unflaggedPriorityArray, true, 2, Datatype::kPriorityValue},
        {"list [0]", list, true, 0, Datatype::kObjectIdentifier},
    };
    for (const RecordRow& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(BACnetDatatypeLookup::DatatypeOfRecord(row.record, row.useArrayIndex, row.index), row.datatype);
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack
