// BACnetPrimitiveENUM::EnumerationFactory: which enumeration class a
// property value of an object type decodes into.
//
// The knowledge is kept as a chain of object-type groups. Each group lists
// the object types it stands for and, for the enumerated properties of those
// types, the class of the value. A search starts at the group of the given
// object type and, when that group does not list the property, walks on to
// the next groups in chain order (whatever object types they stand for)
// until one lists it, reporting each group that did not. A property that is
// enumerated somewhere later in the chain is therefore still named, by the
// class of the first later group that lists it.
#include <iterator>
#include <new>
#include <span>

#include "core/bacnetenumerations.h"
#include "core/bacnetprimitiveenum.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {

constexpr const char* kSource = "bacnetprimitiveenum";
constexpr const char* kEnumerationFactory = "ZalvoBACnetStack::BACnetPrimitiveENUM::EnumerationFactory";

using EnumerationMaker = std::unique_ptr<BACnetPrimitiveENUM> (*)();

template <typename Enumeration>
std::unique_ptr<BACnetPrimitiveENUM> Make() {
    return std::unique_ptr<BACnetPrimitiveENUM>(new (std::nothrow) Enumeration());
}

struct EnumeratedProperty {
    uint32_t propertyIdentifier;
    EnumerationMaker make;
};

struct ChainStep {
    std::span<const uint16_t> objectTypes;
    std::span<const EnumeratedProperty> properties;
};

// Property identifiers.
enum : uint32_t {
    kAction = 2,
    kAlarmValue = 6,
    kAlarmValues = 7,
    kControlledVariableUnits = 20,
    kDerivativeConstantUnits = 27,
    kEventState = 36,
    kEventType = 37,
    kFaultValues = 39,
    kFeedbackValue = 40,
    kFileAccessMethod = 41,
    kIntegralConstantUnits = 50,
    kNotifyType = 72,
    kObjectType = 79,
    kOutputUnits = 82,
    kPolarity = 84,
    kPresentValue = 85,
    kProgramChange = 90,
    kProgramState = 92,
    kProportionalConstantUnits = 94,
    kReasonForHalt = 100,
    kReliability = 103,
    kRelinquishDefault = 104,
    kSegmentationSupported = 107,
    kSystemStatus = 112,
    kUnits = 117,
    kMaintenanceRequired = 158,
    kMode = 160,
    kOperationExpected = 161,
    kSilenced = 163,
    kTrackingValue = 164,
    kLifeSafetyAlarmValues = 166,
    kAcceptedModes = 175,
    kLastRestartReason = 196,
    kLoggingType = 197,
    kNodeType = 208,
    kDoorAlarmState = 226,
    kDoorStatus = 231,
    kLockStatus = 233,
    kMaskedAlarmValues = 234,
    kSecuredStatus = 235,
    kAccessAlarmEvents = 245,
    kAccessEvent = 247,
    kAccessTransactionEvents = 251,
    kAuthenticationStatus = 260,
    kAuthorizationMode = 261,
    kCredentialDisable = 263,
    kCredentialStatus = 264,
    kFailedAttemptEvents = 272,
    kLastAccessEvent = 275,
    kOccupancyState = 296,
    kPassbackMode = 300,
    kReasonForDisable = 303,
    kUserType = 318,
    kBaseDeviceSecurityPolicy = 327,
    kBackupAndRestoreState = 338,
    kFaultType = 359,
    kAuthorizationExemptions = 364,
    kWriteStatus = 370,
    kInProgress = 378,
    kTransition = 385,
    kLastStateChange = 395,
    kTimerState = 398,
    kBacnetIpMode = 408,
    kCommand = 417,
    kNetworkNumberQuality = 426,
    kNetworkType = 427,
    kBacnetIpv6Mode = 435,
    kCarAssignedDirection = 448,
    kCarDoorCommand = 449,
    kCarDoorStatus = 450,
    kCarDriveStatus = 453,
    kCarLoadUnits = 455,
    kCarMode = 456,
    kCarMovingDirection = 457,
    kEscalatorMode = 462,
    kFaultSignals = 463,
    kGroupMode = 467,
    kOperationDirection = 477,
    kProtocolLevel = 482,
    kSubordinateNodeTypes = 487,
    kSubordinateRelationships = 489,
    kDefaultSubordinateRelationship = 490,
};

// Object types.
enum : uint16_t {
    kAnalogInput = 0,
    kAnalogOutput = 1,
    kAnalogValue = 2,
    kBinaryInput = 3,
    kBinaryOutput = 4,
    kBinaryValue = 5,
    kCalendar = 6,
    kCommandObject = 7,
    kDevice = 8,
    kEventEnrollment = 9,
    kFile = 10,
    kGroup = 11,
    kLoop = 12,
    kMultiStateInput = 13,
    kMultiStateOutput = 14,
    kNotificationClass = 15,
    kProgram = 16,
    kSchedule = 17,
    kAveraging = 18,
    kMultiStateValue = 19,
    kTrendLog = 20,
    kLifeSafetyPoint = 21,
    kLifeSafetyZone = 22,
    kAccumulator = 23,
    kPulseConverter = 24,
    kEventLog = 25,
    kGlobalGroup = 26,
    kTrendLogMultiple = 27,
    kLoadControl = 28,
    kStructuredView = 29,
    kAccessDoor = 30,
    kTimer = 31,
    kAccessCredential = 32,
    kAccessPoint = 33,
    kAccessRights = 34,
    kAccessUser = 35,
    kAccessZone = 36,
    kCredentialDataInput = 37,
    kNetworkSecurity = 38,
    kBitstringValue = 39,
    kCharacterstringValue = 40,
    kDatepatternValue = 41,
    kDateValue = 42,
    kDatetimepatternValue = 43,
    kDatetimeValue = 44,
    kIntegerValue = 45,
    kLargeAnalogValue = 46,
    kOctetstringValue = 47,
    kPositiveIntegerValue = 48,
    kTimepatternValue = 49,
    kTimeValue = 50,
    kNotificationForwarder = 51,
    kAlertEnrollment = 52,
    kChannel = 53,
    kLightingOutput = 54,
    kBinaryLightingOutput = 55,
    kNetworkPort = 56,
    kElevatorGroup = 57,
    kEscalator = 58,
    kLift = 59,
};

// Shorthands for the entries every group repeats.
constexpr EnumeratedProperty kEventStateEntry{kEventState, Make<BACnetEventState>};
constexpr EnumeratedProperty kNotifyTypeEntry{kNotifyType, Make<BACnetNotifyType>};
constexpr EnumeratedProperty kObjectTypeEntry{kObjectType, Make<BACnetObjectType>};
constexpr EnumeratedProperty kReliabilityEntry{kReliability, Make<BACnetReliability>};

// ---- Group 1: access credential.
constexpr uint16_t kTypes01[] = {kAccessCredential};
constexpr EnumeratedProperty kProperties01[] = {
    kObjectTypeEntry,
    kReliabilityEntry,
    {kCredentialDisable, Make<BACnetAccessCredentialDisable>},
    {kCredentialStatus, Make<BACnetBinaryPV>},
    {kLastAccessEvent, Make<BACnetAccessEvent>},
    {kReasonForDisable, Make<BACnetAccessCredentialDisableReason>},
    {kAuthorizationExemptions, Make<BACnetAuthorizationExemption>},
};

// ---- Group 2: access door.
constexpr uint16_t kTypes02[] = {kAccessDoor};
constexpr EnumeratedProperty kProperties02[] = {
    {kAlarmValues, Make<BACnetDoorAlarmState>},
    kEventStateEntry,
    {kFaultValues, Make<BACnetDoorAlarmState>},
    kNotifyTypeEntry,
    kObjectTypeEntry,
    {kPresentValue, Make<BACnetDoorValue>},
    kReliabilityEntry,
    {kRelinquishDefault, Make<BACnetDoorValue>},
    {kMaintenanceRequired, Make<BACnetMaintenance>},
    {kDoorAlarmState, Make<BACnetDoorAlarmState>},
    {kDoorStatus, Make<BACnetDoorStatus>},
    {kLockStatus, Make<BACnetLockStatus>},
    {kMaskedAlarmValues, Make<BACnetDoorAlarmState>},
    {kSecuredStatus, Make<BACnetDoorSecuredStatus>},
};

// ---- Group 3: access point.
constexpr uint16_t kTypes03[] = {kAccessPoint};
constexpr EnumeratedProperty kProperties03[] = {
    kEventStateEntry,
    kNotifyTypeEntry,
    kObjectTypeEntry,
    kReliabilityEntry,
    {kAccessAlarmEvents, Make<BACnetAccessEvent>},
    {kAccessEvent, Make<BACnetAccessEvent>},
    {kAccessTransactionEvents, Make<BACnetAccessEvent>},
    {kAuthenticationStatus, Make<BACnetAuthenticationStatus>},
    {kAuthorizationMode, Make<BACnetAuthorizationMode>},
    {kFailedAttemptEvents, Make<BACnetAccessEvent>},
};

// ---- Group 4: access rights.
constexpr uint16_t kTypes04[] = {kAccessRights};
constexpr EnumeratedProperty kProperties04[] = {kObjectTypeEntry, kReliabilityEntry};

// ---- Group 5: access user.
constexpr uint16_t kTypes05[] = {kAccessUser};
constexpr EnumeratedProperty kProperties05[] = {
    kObjectTypeEntry,
    kReliabilityEntry,
    {kUserType, Make<BACnetAccessUserType>},
};

// ---- Group 6: access zone.
constexpr uint16_t kTypes06[] = {kAccessZone};
constexpr EnumeratedProperty kProperties06[] = {
    {kAlarmValues, Make<BACnetAccessZoneOccupancyState>},
    kEventStateEntry,
    kNotifyTypeEntry,
    kObjectTypeEntry,
    kReliabilityEntry,
    {kOccupancyState, Make<BACnetAccessZoneOccupancyState>},
    {kPassbackMode, Make<BACnetAccessPassbackMode>},
};

// ---- Group 7: accumulator.
constexpr uint16_t kTypes07[] = {kAccumulator};
constexpr EnumeratedProperty kProperties07[] = {
    kEventStateEntry, kNotifyTypeEntry, kObjectTypeEntry, kReliabilityEntry, {kUnits, Make<BACnetEngineeringUnits>},
};

// ---- Group 8: alert enrollment.
constexpr uint16_t kTypes08[] = {kAlertEnrollment};
constexpr EnumeratedProperty kProperties08[] = {kEventStateEntry, kNotifyTypeEntry, kObjectTypeEntry};

// ---- Group 9: the analog and numeric value types.
constexpr uint16_t kTypes09[] = {kAnalogInput,     kAnalogOutput,         kAnalogValue,
                                 kIntegerValue,    kLargeAnalogValue,     kPositiveIntegerValue};
constexpr EnumeratedProperty kProperties09[] = {
    kEventStateEntry, kNotifyTypeEntry, kObjectTypeEntry, kReliabilityEntry, {kUnits, Make<BACnetEngineeringUnits>},
};

// ---- Group 10: averaging.
constexpr uint16_t kTypes10[] = {kAveraging};
constexpr EnumeratedProperty kProperties10[] = {kObjectTypeEntry};

// ---- Group 11: binary input.
constexpr uint16_t kTypes11[] = {kBinaryInput};
constexpr EnumeratedProperty kProperties11[] = {
    {kAlarmValue, Make<BACnetBinaryPV>},
    kEventStateEntry,
    kNotifyTypeEntry,
    kObjectTypeEntry,
    {kPolarity, Make<BACnetPolarity>},
    {kPresentValue, Make<BACnetBinaryPV>},
    kReliabilityEntry,
};

// ---- Group 12: binary lighting output.
constexpr uint16_t kTypes12[] = {kBinaryLightingOutput};
constexpr EnumeratedProperty kProperties12[] = {
    {kFeedbackValue, Make<BACnetBinaryLightingPV>},
    kNotifyTypeEntry,
    kObjectTypeEntry,
    {kPolarity, Make<BACnetPolarity>},
    {kPresentValue, Make<BACnetBinaryLightingPV>},
    kReliabilityEntry,
    {kRelinquishDefault, Make<BACnetBinaryLightingPV>},
};

// ---- Group 13: binary output.
constexpr uint16_t kTypes13[] = {kBinaryOutput};
constexpr EnumeratedProperty kProperties13[] = {
    {kAlarmValue, Make<BACnetBinaryPV>},
    kEventStateEntry,
    {kFeedbackValue, Make<BACnetBinaryPV>},
    kNotifyTypeEntry,
    kObjectTypeEntry,
    {kPolarity, Make<BACnetPolarity>},
    {kPresentValue, Make<BACnetBinaryPV>},
    kReliabilityEntry,
    {kRelinquishDefault, Make<BACnetBinaryPV>},
};

// ---- Group 14: binary value.
constexpr uint16_t kTypes14[] = {kBinaryValue};
constexpr EnumeratedProperty kProperties14[] = {
    {kAlarmValue, Make<BACnetBinaryPV>},
    kEventStateEntry,
    kNotifyTypeEntry,
    kObjectTypeEntry,
    {kPresentValue, Make<BACnetBinaryPV>},
    kReliabilityEntry,
    {kRelinquishDefault, Make<BACnetBinaryPV>},
};

// ---- Group 15: the types whose only enumerated properties are the common ones.
constexpr uint16_t kTypes15[] = {kCommandObject,        kMultiStateInput, kMultiStateOutput, kNotificationClass,
                                 kSchedule,             kMultiStateValue, kEventLog,         kBitstringValue,
                                 kCharacterstringValue, kDatepatternValue, kDateValue,       kDatetimepatternValue,
                                 kDatetimeValue,        kTimepatternValue, kTimeValue};
constexpr EnumeratedProperty kProperties15[] = {kEventStateEntry, kNotifyTypeEntry, kObjectTypeEntry, kReliabilityEntry};

// ---- Group 16: calendar.
constexpr uint16_t kTypes16[] = {kCalendar};
constexpr EnumeratedProperty kProperties16[] = {kObjectTypeEntry};

// ---- Group 17: channel.
constexpr uint16_t kTypes17[] = {kChannel};
constexpr EnumeratedProperty kProperties17[] = {
    kEventStateEntry, kNotifyTypeEntry, kObjectTypeEntry, kReliabilityEntry, {kWriteStatus, Make<BACnetWriteStatus>},
};

// ---- Group 18: credential data input.
constexpr uint16_t kTypes18[] = {kCredentialDataInput};
constexpr EnumeratedProperty kProperties18[] = {kEventStateEntry, kNotifyTypeEntry, kObjectTypeEntry, kReliabilityEntry};

// ---- Group 19: device.
constexpr uint16_t kTypes19[] = {kDevice};
constexpr EnumeratedProperty kProperties19[] = {
    kEventStateEntry,
    kNotifyTypeEntry,
    kObjectTypeEntry,
    kReliabilityEntry,
    {kSegmentationSupported, Make<BACnetSegmentation>},
    {kSystemStatus, Make<BACnetDeviceStatus>},
    {kLastRestartReason, Make<BACnetRestartReason>},
    {kBackupAndRestoreState, Make<BACnetBackupState>},
};

// ---- Group 20: elevator group.
constexpr uint16_t kTypes20[] = {kElevatorGroup};
constexpr EnumeratedProperty kProperties20[] = {kObjectTypeEntry, {kGroupMode, Make<BACnetLiftGroupMode>}};

// ---- Group 21: escalator.
constexpr uint16_t kTypes21[] = {kEscalator};
constexpr EnumeratedProperty kProperties21[] = {
    kEventStateEntry,
    kNotifyTypeEntry,
    kObjectTypeEntry,
    kReliabilityEntry,
    {kEscalatorMode, Make<BACnetEscalatorMode>},
    {kFaultSignals, Make<BACnetEscalatorFault>},
    {kOperationDirection, Make<BACnetEscalatorOperationDirection>},
};

// ---- Group 22: event enrollment.
constexpr uint16_t kTypes22[] = {kEventEnrollment};
constexpr EnumeratedProperty kProperties22[] = {
    kEventStateEntry,
    {kEventType, Make<BACnetEventType>},
    kNotifyTypeEntry,
    kObjectTypeEntry,
    kReliabilityEntry,
    {kFaultType, Make<BACnetFaultType>},
};

// ---- Group 23: file.
constexpr uint16_t kTypes23[] = {kFile};
constexpr EnumeratedProperty kProperties23[] = {{kFileAccessMethod, Make<BACnetFileAccessMethod>}, kObjectTypeEntry};

// ---- Group 24: global group.
constexpr uint16_t kTypes24[] = {kGlobalGroup};
constexpr EnumeratedProperty kProperties24[] = {kEventStateEntry, kObjectTypeEntry, kReliabilityEntry};

// ---- Group 25: group.
constexpr uint16_t kTypes25[] = {kGroup};
constexpr EnumeratedProperty kProperties25[] = {kObjectTypeEntry};

// ---- Group 26: life safety point.
constexpr uint16_t kTypes26[] = {kLifeSafetyPoint};
constexpr EnumeratedProperty kProperties26[] = {
    {kAlarmValues, Make<BACnetLifeSafetyState>},
    kEventStateEntry,
    {kFaultValues, Make<BACnetLifeSafetyState>},
    kNotifyTypeEntry,
    kObjectTypeEntry,
    {kPresentValue, Make<BACnetLifeSafetyState>},
    kReliabilityEntry,
    {kUnits, Make<BACnetEngineeringUnits>},
    {kMaintenanceRequired, Make<BACnetMaintenance>},
    {kMode, Make<BACnetLifeSafetyMode>},
    {kOperationExpected, Make<BACnetLifeSafetyOperation>},
    {kSilenced, Make<BACnetSilencedState>},
    {kTrackingValue, Make<BACnetLifeSafetyState>},
    {kLifeSafetyAlarmValues, Make<BACnetLifeSafetyState>},
    {kAcceptedModes, Make<BACnetLifeSafetyMode>},
};

// ---- Group 27: life safety zone (the point's properties without units and
// maintenance-required).
constexpr uint16_t kTypes27[] = {kLifeSafetyZone};
constexpr EnumeratedProperty kProperties27[] = {
    {kAlarmValues, Make<BACnetLifeSafetyState>},
    kEventStateEntry,
    {kFaultValues, Make<BACnetLifeSafetyState>},
    kNotifyTypeEntry,
    kObjectTypeEntry,
    {kPresentValue, Make<BACnetLifeSafetyState>},
    kReliabilityEntry,
    {kMode, Make<BACnetLifeSafetyMode>},
    {kOperationExpected, Make<BACnetLifeSafetyOperation>},
    {kSilenced, Make<BACnetSilencedState>},
    {kTrackingValue, Make<BACnetLifeSafetyState>},
    {kLifeSafetyAlarmValues, Make<BACnetLifeSafetyState>},
    {kAcceptedModes, Make<BACnetLifeSafetyMode>},
};

// ---- Group 28: lift.
constexpr uint16_t kTypes28[] = {kLift};
constexpr EnumeratedProperty kProperties28[] = {
    kEventStateEntry,
    kNotifyTypeEntry,
    kObjectTypeEntry,
    kReliabilityEntry,
    {kCarAssignedDirection, Make<BACnetLiftCarDirection>},
    {kCarDoorCommand, Make<BACnetLiftCarDoorCommand>},
    {kCarDoorStatus, Make<BACnetDoorStatus>},
    {kCarDriveStatus, Make<BACnetLiftCarDriveStatus>},
    {kCarLoadUnits, Make<BACnetEngineeringUnits>},
    {kCarMode, Make<BACnetLiftCarMode>},
    {kCarMovingDirection, Make<BACnetLiftCarDirection>},
    {kFaultSignals, Make<BACnetLiftFault>},
};

// ---- Group 29: lighting output.
constexpr uint16_t kTypes29[] = {kLightingOutput};
constexpr EnumeratedProperty kProperties29[] = {
    kObjectTypeEntry,
    kReliabilityEntry,
    {kInProgress, Make<BACnetLightingInProgress>},
    {kTransition, Make<BACnetLightingTransition>},
};

// ---- Group 30: load control.
constexpr uint16_t kTypes30[] = {kLoadControl};
constexpr EnumeratedProperty kProperties30[] = {
    kEventStateEntry, kNotifyTypeEntry, kObjectTypeEntry, {kPresentValue, Make<BACnetShedState>}, kReliabilityEntry,
};

// ---- Group 31: loop.
constexpr uint16_t kTypes31[] = {kLoop};
constexpr EnumeratedProperty kProperties31[] = {
    {kAction, Make<BACnetAction>},
    {kControlledVariableUnits, Make<BACnetEngineeringUnits>},
    {kDerivativeConstantUnits, Make<BACnetEngineeringUnits>},
    {kIntegralConstantUnits, Make<BACnetEngineeringUnits>},
    {kOutputUnits, Make<BACnetEngineeringUnits>},
    {kProportionalConstantUnits, Make<BACnetEngineeringUnits>},
    kEventStateEntry,
    kNotifyTypeEntry,
    kObjectTypeEntry,
    kReliabilityEntry,
};

// ---- Group 32: network port.
constexpr uint16_t kTypes32[] = {kNetworkPort};
constexpr EnumeratedProperty kProperties32[] = {
    kEventStateEntry,
    kNotifyTypeEntry,
    kObjectTypeEntry,
    kReliabilityEntry,
    {kBacnetIpMode, Make<BACnetIPMode>},
    {kCommand, Make<BACnetNetworkPortCommand>},
    {kNetworkNumberQuality, Make<BACnetNetworkNumberQuality>},
    {kNetworkType, Make<BACnetNetworkType>},
    {kBacnetIpv6Mode, Make<BACnetIPMode>},
    {kProtocolLevel, Make<BACnetProtocolLevel>},
};

// ---- Group 33: network security.
constexpr uint16_t kTypes33[] = {kNetworkSecurity};
constexpr EnumeratedProperty kProperties33[] = {kObjectTypeEntry,
                                                {kBaseDeviceSecurityPolicy, Make<BACnetSecurityLevel>}};

// ---- Group 34: notification forwarder.
constexpr uint16_t kTypes34[] = {kNotificationForwarder};
constexpr EnumeratedProperty kProperties34[] = {kObjectTypeEntry, kReliabilityEntry};

// ---- Group 35: octetstring value.
constexpr uint16_t kTypes35[] = {kOctetstringValue};
constexpr EnumeratedProperty kProperties35[] = {kEventStateEntry, kObjectTypeEntry, kReliabilityEntry};

// ---- Group 36: program.
constexpr uint16_t kTypes36[] = {kProgram};
constexpr EnumeratedProperty kProperties36[] = {
    kEventStateEntry,
    kNotifyTypeEntry,
    kObjectTypeEntry,
    {kProgramChange, Make<BACnetProgramRequest>},
    {kProgramState, Make<BACnetProgramState>},
    {kReasonForHalt, Make<BACnetProgramError>},
    kReliabilityEntry,
};

// ---- Group 37: pulse converter.
constexpr uint16_t kTypes37[] = {kPulseConverter};
constexpr EnumeratedProperty kProperties37[] = {
    kEventStateEntry, kNotifyTypeEntry, kObjectTypeEntry, kReliabilityEntry, {kUnits, Make<BACnetEngineeringUnits>},
};

// ---- Group 38: structured view.
constexpr uint16_t kTypes38[] = {kStructuredView};
constexpr EnumeratedProperty kProperties38[] = {
    kObjectTypeEntry,
    {kNodeType, Make<BACnetNodeType>},
    {kSubordinateNodeTypes, Make<BACnetNodeType>},
    {kSubordinateRelationships, Make<BACnetRelationship>},
    {kDefaultSubordinateRelationship, Make<BACnetRelationship>},
};

// ---- Group 39: timer.
constexpr uint16_t kTypes39[] = {kTimer};
constexpr EnumeratedProperty kProperties39[] = {
    {kAlarmValues, Make<BACnetTimerState>},
    kEventStateEntry,
    kNotifyTypeEntry,
    kObjectTypeEntry,
    kReliabilityEntry,
    {kLoggingType, Make<BACnetLoggingType>},
    {kLastStateChange, Make<BACnetTimerTransition>},
    {kTimerState, Make<BACnetTimerState>},
};

// ---- Group 40: trend logs.
constexpr uint16_t kTypes40[] = {kTrendLog, kTrendLogMultiple};
constexpr EnumeratedProperty kProperties40[] = {
    kEventStateEntry, kNotifyTypeEntry, kObjectTypeEntry, kReliabilityEntry, {kLoggingType, Make<BACnetLoggingType>},
};

// The chain, in the order a search walks it.
constexpr ChainStep kChain[] = {
    {kTypes01, kProperties01}, {kTypes02, kProperties02}, {kTypes03, kProperties03}, {kTypes04, kProperties04},
    {kTypes05, kProperties05}, {kTypes06, kProperties06}, {kTypes07, kProperties07}, {kTypes08, kProperties08},
    {kTypes09, kProperties09}, {kTypes10, kProperties10}, {kTypes11, kProperties11}, {kTypes12, kProperties12},
    {kTypes13, kProperties13}, {kTypes14, kProperties14}, {kTypes15, kProperties15}, {kTypes16, kProperties16},
    {kTypes17, kProperties17}, {kTypes18, kProperties18}, {kTypes19, kProperties19}, {kTypes20, kProperties20},
    {kTypes21, kProperties21}, {kTypes22, kProperties22}, {kTypes23, kProperties23}, {kTypes24, kProperties24},
    {kTypes25, kProperties25}, {kTypes26, kProperties26}, {kTypes27, kProperties27}, {kTypes28, kProperties28},
    {kTypes29, kProperties29}, {kTypes30, kProperties30}, {kTypes31, kProperties31}, {kTypes32, kProperties32},
    {kTypes33, kProperties33}, {kTypes34, kProperties34}, {kTypes35, kProperties35}, {kTypes36, kProperties36},
    {kTypes37, kProperties37}, {kTypes38, kProperties38}, {kTypes39, kProperties39}, {kTypes40, kProperties40},
};
constexpr size_t kChainLength = std::size(kChain);
static_assert(kChainLength == 40);

// Object type -> the index of the group it starts at, kChainLength for none.
constexpr size_t kObjectTypeCount = kLift + 1;
struct StartTable {
    size_t start[kObjectTypeCount];
};
constexpr StartTable BuildStartTable() {
    StartTable table{};
    for (size_t& start : table.start) start = kChainLength;
    for (size_t step = 0; step < kChainLength; ++step) {
        for (uint16_t objectType : kChain[step].objectTypes) table.start[objectType] = step;
    }
    return table;
}
constexpr StartTable kStartTable = BuildStartTable();

// Every standard object type starts at exactly one group.
constexpr bool EveryObjectTypeStartsOnce() {
    size_t seen[kObjectTypeCount] = {};
    for (const ChainStep& step : kChain) {
        for (uint16_t objectType : step.objectTypes) {
            if (objectType >= kObjectTypeCount) return false;
            ++seen[objectType];
        }
    }
    for (size_t count : seen) {
        if (count != 1) return false;
    }
    return true;
}
static_assert(EveryObjectTypeStartsOnce());

EnumerationMaker FindProperty(const ChainStep& step, uint32_t propertyIdentifier) {
    for (const EnumeratedProperty& property : step.properties) {
        if (property.propertyIdentifier == propertyIdentifier) return property.make;
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<BACnetPrimitiveENUM> BACnetPrimitiveENUM::EnumerationFactory(uint16_t objectType,
                                                                              uint32_t propertyIdentifier) {
    const size_t start = objectType < kObjectTypeCount ? kStartTable.start[objectType] : kChainLength;
    for (size_t step = start; step < kChainLength; ++step) {
        if (EnumerationMaker make = FindProperty(kChain[step], propertyIdentifier)) return make();
        StackErrorLog(kEnumerationFactory, kSource, __LINE__,
                      "PropertyIdentifier=[%u] is not an enumeration for objectType=[%u]", propertyIdentifier,
                      static_cast<unsigned>(objectType));
    }
    StackErrorLog(kEnumerationFactory, kSource, __LINE__, "Unknown objectType=[%u] for enumerated values",
                  static_cast<unsigned>(objectType));
    return nullptr;
}

}  // namespace ZalvoBACnetStack
