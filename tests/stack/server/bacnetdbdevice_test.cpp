// Devices: the object map with its object-type bits and database revision,
// the services with their companion properties and support checks, the
// invoke-ID counter, the router device and the defaults.
#include "server/bacnetdbdevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/bacnetprimitiveuint.h"
#include "server/bacnetdbrouter.h"
#include "stack/server/serverdbtestsupport.h"

namespace ZalvoBACnetStack {
namespace {

using TestSupport::CharStringOctets;
using TestSupport::HolderOctets;
using TestSupport::MapProperties;
using TestSupport::ReportLines;
using TestSupport::SetBits;
using Lines = std::vector<std::string>;

constexpr uint32_t kDevice = 1234;

TEST(DBDevice, ANewDeviceHoldsItsOwnObjectAndTheDefaultServices) {
    StackErrorLogCapture log;
    BACnetDBDevice device(kDevice);
    EXPECT_EQ(device.GetObjectType(), 8);
    EXPECT_EQ(device.GetDeviceInstance(), kDevice);
    ASSERT_NE(device.GetDeviceObject(), nullptr);
    EXPECT_EQ(device.GetObjectCount(), 1u);
    EXPECT_EQ(device.GetDatabaseRevision(), 1u);
    EXPECT_EQ(device.GetObjectTypesSupported().size(), 59u);
    EXPECT_EQ(SetBits(device.GetObjectTypesSupported()), (std::vector<uint32_t>{8}));
    EXPECT_EQ(device.GetServicesSupported().size(), 43u);
    EXPECT_EQ(SetBits(device.GetServicesSupported()), (std::vector<uint32_t>{12, 33, 34}));
    EXPECT_EQ(device.PeekInvokeId(), 0);
    EXPECT_EQ(log.Text(), "");
}

TEST(DBDevice, ObjectsTypeBitsAndRevision) {
    struct Step {
        const char* label;
        bool add;
        uint16_t objectType;
        uint32_t objectInstance;
        uint32_t expectedRevision;
        std::vector<uint32_t> expectedTypes;
        Lines expectedReports;
    };
    const std::vector<Step> steps = {
        {"add analog-input 1", true, 0, 1, 2, {0, 8}, {}},
        {"add it again", true, 0, 1, 2, {0, 8}, {}},
        {"add analog-input 2", true, 0, 2, 3, {0, 8}, {}},
        {"add binary-value 7", true, 5, 7, 4, {0, 5, 8}, {}},
        {"delete analog-input 1: another remains", false, 0, 1, 4, {0, 5, 8}, {}},
        {"delete analog-input 2: the last one", false, 0, 2, 4, {5, 8}, {}},
        {"delete an unknown object", false, 0, 9, 4, {5, 8}, {}},
        {"add a proprietary type beyond the bits", true, 600, 1, 5, {5, 8}, {}},
        {"add another device object", true, 8, 99, 6, {5, 8}, {}},
        {"delete it: the own device object remains", false, 8, 99, 6, {5, 8}, {}},
        {"delete the own device object",
         false,
         8,
         kDevice,
         6,
         {5, 8},
         {"BACnetDBDevice::DeleteObject|bacnetdbdevice|PANIC - attempted to delete itself from the objectlist"}},
    };
    BACnetDBDevice device(kDevice);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.label);
        StackErrorLogCapture log;
        if (step.add) {
            EXPECT_TRUE(device.AddObject(step.objectType, step.objectInstance));
            EXPECT_TRUE(device.ObjectExists(step.objectType, step.objectInstance));
        } else {
            device.DeleteObject(step.objectType, step.objectInstance);
            EXPECT_EQ(device.ObjectExists(step.objectType, step.objectInstance), step.objectInstance == kDevice);
        }
        EXPECT_EQ(device.GetDatabaseRevision(), step.expectedRevision);
        EXPECT_EQ(SetBits(device.GetObjectTypesSupported()), step.expectedTypes);
        EXPECT_EQ(ReportLines(log), step.expectedReports);
    }
    // Map order: by type, then instance.
    std::vector<std::pair<uint16_t, uint32_t>> order;
    for (const BACnetDBObject* object : device.GetObjects()) {
        order.emplace_back(object->GetObjectType(), object->GetObjectInstance());
    }
    EXPECT_EQ(order, (std::vector<std::pair<uint16_t, uint32_t>>{{5, 7}, {8, kDevice}, {600, 1}}));
}

TEST(DBDevice, DeletingAnObjectDropsItsStoredValues) {
    BACnetDBDevice device(kDevice);
    ASSERT_TRUE(device.AddObject(2, 1));
    ASSERT_TRUE(device.GetStoredValues().SetValueAndTakeControl(2, 1, 85, std::make_unique<BACnetPrimitiveUINT>(4)));
    ASSERT_NE(device.GetStoredValues().GetValue(2, 1, 85), nullptr);
    device.DeleteObject(2, 1);
    ASSERT_TRUE(device.AddObject(2, 1));
    EXPECT_EQ(device.GetStoredValues().GetValue(2, 1, 85), nullptr);
}

TEST(DBDevice, ServiceSupportChecksMapChoicesToBits) {
    struct Row {
        const char* label;
        bool confirmed;
        uint32_t choice;
        uint32_t bit;
    };
    const std::vector<Row> rows = {
        {"acknowledgeAlarm", true, 0, 0},       {"subscribeCOV", true, 5, 5},
        {"writeProperty", true, 15, 15},        {"vtData", true, 23, 23},
        {"readRange", true, 26, 35},            {"lifeSafetyOperation", true, 27, 37},
        {"subscribeCOVProperty", true, 28, 38}, {"getEventInformation", true, 29, 39},
        {"subscribeCOVPropertyMultiple", true, 30, 41},
        {"confirmedCOVNotificationMultiple", true, 31, 42},
        {"i-Am", false, 0, 26},                 {"unconfirmedCOVNotification", false, 2, 28},
        {"who-Is", false, 8, 34},               {"utcTimeSynchronization", false, 9, 36},
        {"writeGroup", false, 10, 40},          {"unconfirmedCOVNotificationMultiple", false, 11, 43},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetDBDevice device(kDevice);
        const auto supported = [&] {
            return row.confirmed ? device.IsConfirmedServiceSupported(row.choice)
                                 : device.IsUnconfirmedServiceSupported(row.choice);
        };
        StackErrorLogCapture log;
        const bool byDefault = row.bit == 34;
        EXPECT_EQ(supported(), byDefault);
        ASSERT_TRUE(device.SetServiceEnabled(row.bit, true));
        EXPECT_TRUE(supported());
        ASSERT_TRUE(device.SetServiceEnabled(row.bit, false));
        EXPECT_FALSE(supported());
        EXPECT_EQ(log.Text(), "");
    }
}

TEST(DBDevice, UnknownServiceChoicesAreReported) {
    BACnetDBDevice device(kDevice);
    for (uint32_t bit = 0; bit <= 43; ++bit) ASSERT_TRUE(device.SetServiceEnabled(bit, true));
    StackErrorLogCapture log;
    EXPECT_TRUE(device.IsConfirmedServiceSupported(12));  // control
    EXPECT_FALSE(device.IsConfirmedServiceSupported(13));
    EXPECT_FALSE(device.IsConfirmedServiceSupported(24));
    EXPECT_FALSE(device.IsConfirmedServiceSupported(25));
    EXPECT_FALSE(device.IsConfirmedServiceSupported(32));
    EXPECT_FALSE(device.IsUnconfirmedServiceSupported(12));
    const std::string confirmed = "BACnetDBDevice::IsConfirmedServiceSupported|bacnetdbdevice|";
    EXPECT_EQ(ReportLines(log), (Lines{
                                    confirmed + "Error - unknown confirmed service = [13]",
                                    confirmed + "Error - unknown confirmed service = [24]",
                                    confirmed + "Error - unknown confirmed service = [25]",
                                    confirmed + "Error - unknown confirmed service = [32]",
                                    "BACnetDBDevice::IsUnconfirmedServiceSupported|bacnetdbdevice|"
                                    "Error - unknown unconfirmed service =[12]",
                                }));
    EXPECT_FALSE(device.SetServiceEnabled(44, true));
}

TEST(DBDevice, ServicesEnableTheirCompanionProperties) {
    struct Row {
        const char* label;
        uint32_t service;
        std::vector<uint32_t> companions;
    };
    const std::vector<Row> rows = {
        {"subscribeCOV", 5, {152}},
        {"timeSynchronization", 32, {56, 57}},
        {"utcTimeSynchronization", 36, {24, 56, 57, 119}},
        {"writeProperty has none", 15, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetDBDevice device(kDevice);
        ASSERT_TRUE(device.SetServiceEnabled(row.service, true));
        EXPECT_EQ(MapProperties(*device.GetDeviceObject()), row.companions);
        EXPECT_TRUE(device.GetServicesSupported()[row.service]);
        ASSERT_TRUE(device.SetServiceEnabled(row.service, false));
        EXPECT_EQ(MapProperties(*device.GetDeviceObject()), std::vector<uint32_t>{});
        EXPECT_FALSE(device.GetServicesSupported()[row.service]);
    }
}

TEST(DBDevice, InvokeIdsWrapFrom255To0) {
    BACnetDBDevice device(kDevice);
    for (unsigned expected = 0; expected < 256; ++expected) ASSERT_EQ(device.TakeInvokeId(), expected);
    EXPECT_EQ(device.TakeInvokeId(), 0);
    EXPECT_EQ(device.PeekInvokeId(), 1);
}

TEST(DBDevice, RouterDeviceTakesAnInstanceButKeepsItsDeviceObject) {
    BACnetDBRouter router;
    EXPECT_EQ(router.GetDeviceInstance(), 0u);
    router.SetDeviceInstance(4194303);
    EXPECT_EQ(router.GetDeviceInstance(), 4194303u);
    EXPECT_TRUE(router.ObjectExists(8, 0));
    EXPECT_FALSE(router.ObjectExists(8, 4194303));
}

TEST(DBDevice, DefaultDeviceProperties) {
    struct Row {
        const char* label;
        uint32_t property;
        bool expected;
        std::string octets;
    };
    const std::vector<Row> rows = {
        {"APDU-timeout", 11, true, "22 0B B8"},
        {"application-software-version", 12, true, CharStringOctets("v1")},
        {"device-address-binding: an empty list", 30, true, ""},
        {"firmware-revision", 44, true, CharStringOctets("3.3.2.0")},
        {"max-APDU-length-accepted", 62, true, "22 05 C4"},
        {"model-name", 70, true, CharStringOctets("Zalvo BACnet Stack")},
        {"number-of-APDU-retries", 73, true, "21 00"},
        {"object-name", 77, true, CharStringOctets("Morvane BACnet Device")},
        {"protocol-object-types-supported: device and analog-value", 96, true,
         "85 09 05 20 80 00 00 00 00 00 00"},
        {"protocol-services-supported: readProperty, who-Has, who-Is", 97, true, "85 07 05 00 08 00 00 60 00"},
        {"protocol-version", 98, true, "21 01"},
        {"segmentation-supported: no-segmentation", 107, true, "91 03"},
        {"system-status: operational", 112, true, "91 00"},
        {"vendor-identifier", 120, true, "22 03 E7"},
        {"vendor-name", 121, true, CharStringOctets("Morvane Automation Systems")},
        {"protocol-revision", 139, true, "21 0C"},
        {"object-identifier is generated, not defaulted", 75, false, ""},
        {"location has no default", 58, false, ""},
        {"below the range", 10, false, ""},
        {"above the range", 140, false, ""},
    };
    BACnetDBDevice device(kDevice);
    ASSERT_TRUE(device.AddObject(2, 1));
    // Service 43 is kept beside the 43 bits that are encoded.
    ASSERT_TRUE(device.SetServiceEnabled(43, true));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        StackErrorLogCapture log;
        BACnetAbstractSyntaxType holder;
        EXPECT_EQ(device.GetDefaultDeviceProperty(row.property, holder), row.expected);
        EXPECT_EQ(HolderOctets(holder), row.octets);
        EXPECT_EQ(log.Text(), "");
    }
}

TEST(DBDevice, DefaultDatatypeValues) {
    struct Row {
        uint8_t datatype;
        std::string octets;
    };
    const std::vector<Row> rows = {
        {Datatype::kNull, "00"},
        {Datatype::kBoolean, "10"},
        {Datatype::kUnsigned, "21 00"},
        {Datatype::kSigned, "31 00"},
        {Datatype::kReal, "44 00 00 00 00"},
        {Datatype::kDouble, "55 08 00 00 00 00 00 00 00 00"},
        {Datatype::kOctetString, "60"},
        {Datatype::kCharacterString, "71 00"},
        {Datatype::kBitString, "81 00"},
        {Datatype::kEnumerated, "91 00"},
        {Datatype::kDate, "A4 00 00 00 00"},
        {Datatype::kTime, "B4 00 00 00 00"},
        {Datatype::kObjectIdentifier, "C4 00 00 00 00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.datatype);
        StackErrorLogCapture log;
        BACnetAbstractSyntaxType holder;
        ASSERT_TRUE(BACnetDBDevice::GetDefaultDatatypeValue(row.datatype, holder));
        ASSERT_EQ(holder.Size(), 1u);
        EXPECT_EQ(holder.At(0)->GetDatatype(), row.datatype);
        EXPECT_EQ(HolderOctets(holder), row.octets);
        EXPECT_EQ(log.Text(), "");
    }
    StackErrorLogCapture log;
    BACnetAbstractSyntaxType holder;
    EXPECT_FALSE(BACnetDBDevice::GetDefaultDatatypeValue(Datatype::kPriorityArray, holder));
    EXPECT_FALSE(BACnetDBDevice::GetDefaultDatatypeValue(13, holder));
    EXPECT_EQ(holder.Size(), 0u);
    const std::string operation = "BACnetDBDevice::GetDefaultDatatypeValue|bacnetdbdevice|";
    EXPECT_EQ(ReportLines(log), (Lines{
                                    operation + "Error - unable to create a default value for datatype=[117]",
                                    operation + "Error - unable to create a default value for datatype=[13]",
                                }));
}

}  // namespace
}  // namespace ZalvoBACnetStack
