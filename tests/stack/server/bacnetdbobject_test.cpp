// Object records: enabling and disabling properties against the profile,
// the writable and subscribable flags, and the commandable present-value.
#include "server/bacnetdbobject.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stack/server/serverdbtestsupport.h"

namespace ZalvoBACnetStack {
namespace {

using TestSupport::MapProperties;
using TestSupport::ReportLines;

constexpr uint16_t kAnalogInput = 0;
constexpr uint32_t kDescription = 28;
constexpr uint32_t kObjectName = 77;
constexpr uint32_t kPresentValue = 85;
constexpr uint32_t kUnknownProperty = 9999;

TEST(DBObject, EnableAndDisableFollowTheProfile) {
    struct Row {
        const char* label;
        uint16_t objectType;
        uint32_t property;
        bool enabled;
        bool expectedResult;
        bool expectedEnabled;
        std::vector<uint32_t> expectedMap;
    };
    const std::vector<Row> rows = {
        {"optional description enabled", kAnalogInput, kDescription, true, true, true, {kDescription}},
        {"optional description disabled", kAnalogInput, kDescription, false, true, false, {}},
        {"required object-name enabled goes into the map", kAnalogInput, kObjectName, true, true, true, {kObjectName}},
        {"required object-name disabled stays enabled", kAnalogInput, kObjectName, false, true, true, {}},
        {"property the type does not have", kAnalogInput, kUnknownProperty, true, false, false, {}},
        {"device property on an analog input", kAnalogInput, 76, true, false, false, {}},
        {"type 41 has no profile", 41, kPresentValue, true, false, false, {}},
        {"type 60 has no profile", 60, 75, true, false, false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetDBObject object(row.objectType, 1);
        StackErrorLogCapture log;
        EXPECT_EQ(object.SetPropertyEnabled(row.property, row.enabled), row.expectedResult);
        EXPECT_EQ(object.IsPropertyEnabled(row.property), row.expectedEnabled);
        EXPECT_EQ(MapProperties(object), row.expectedMap);
        EXPECT_EQ(log.Text(), "");
    }
}

TEST(DBObject, EnabledRecordIsTheProfilesUntilFlagsChangeIt) {
    BACnetDBObject object(kAnalogInput, 3);
    BACnetPropertyRecord record;
    EXPECT_FALSE(object.GetPropertyRecord(kDescription, record));
    ASSERT_TRUE(object.GetPropertyRecord(kPresentValue, record));  // required, from the profile
    EXPECT_EQ(record.required, 1);
    EXPECT_EQ(record.datatype, Datatype::kReal);
    EXPECT_EQ(record.writable, 0);

    ASSERT_TRUE(object.SetPropertyWritable(kPresentValue, true));
    ASSERT_TRUE(object.SetPropertySubscribable(kPresentValue, true));
    ASSERT_TRUE(object.SetPropertyEnabled(kPresentValue, true));  // already there: unchanged
    ASSERT_TRUE(object.GetPropertyRecord(kPresentValue, record));
    EXPECT_EQ(record.writable, 1);
    EXPECT_EQ(record.subscribable, 1);
    EXPECT_EQ(record.datatype, Datatype::kReal);

    ASSERT_TRUE(object.SetPropertySubscribable(kPresentValue, false));
    ASSERT_TRUE(object.GetPropertyRecord(kPresentValue, record));
    EXPECT_EQ(record.writable, 1);
    EXPECT_EQ(record.subscribable, 0);

    // Disabling drops the flags with the entry.
    ASSERT_TRUE(object.SetPropertyEnabled(kPresentValue, false));
    ASSERT_TRUE(object.GetPropertyRecord(kPresentValue, record));
    EXPECT_EQ(record.writable, 0);

    ASSERT_TRUE(object.SetPropertyWritable(kDescription, true));
    EXPECT_TRUE(object.IsPropertyEnabled(kDescription));
}

TEST(DBObject, FlagsOnAnUnknownPropertyAreReported) {
    BACnetDBObject object(kAnalogInput, 3);
    StackErrorLogCapture log;
    EXPECT_FALSE(object.SetPropertyWritable(kUnknownProperty, true));
    EXPECT_FALSE(object.SetPropertySubscribable(kUnknownProperty, false));
    EXPECT_EQ(ReportLines(log), (std::vector<std::string>{
                                    "BACnetDBObject::SetPropertyWritable|bacnetdbobject|"
                                    "Failed to enable the property=[9999]",
                                    "BACnetDBObject::SetPropertySubscribable|bacnetdbobject|"
                                    "Failed to enable the property=[9999]",
                                }));
    EXPECT_TRUE(object.GetPropertyMap().empty());
}

TEST(DBObject, CommandablePresentValue) {
    struct Row {
        const char* label;
        uint16_t objectType;
        uint32_t property;
        bool withPriorityArray;
        bool expected;
    };
    const std::vector<Row> rows = {
        {"analog-output present-value", 1, kPresentValue, false, true},
        {"analog-output object-name", 1, kObjectName, true, false},
        {"binary-lighting-output present-value", 55, kPresentValue, false, true},
        {"analog-value without a priority array", 2, kPresentValue, false, false},
        {"analog-value with a priority array", 2, kPresentValue, true, true},
        {"characterstring-value with a priority array", 40, kPresentValue, true, true},
        {"analog-input with a priority array", kAnalogInput, kPresentValue, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetDBObject object(row.objectType, 1);
        if (row.withPriorityArray) {
            (void)object.SetPropertyEnabled(87, true);
            (void)object.SetPropertyEnabled(104, true);
        }
        EXPECT_EQ(object.IsPropertyCommandable(row.property), row.expected);
    }
    // Both properties are needed.
    BACnetDBObject value(2, 1);
    ASSERT_TRUE(value.SetPropertyEnabled(87, true));
    EXPECT_FALSE(value.IsPropertyCommandable(kPresentValue));
}

}  // namespace
}  // namespace ZalvoBACnetStack
