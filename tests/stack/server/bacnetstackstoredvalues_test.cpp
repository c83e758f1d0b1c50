// Stored values and the change-of-value subscription groups a device owns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/bacnetprimitivereal.h"
#include "core/bacnetprimitiveuint.h"
#include "server/bacnetstackactivecovsubscriptions.h"
#include "server/bacnetstackcovsubscription.h"
#include "server/bacnetstackstoreddbobjectpropertyvalues.h"
#include "stack/server/serverdbtestsupport.h"

namespace ZalvoBACnetStack {
namespace {

using TestSupport::ReportLines;
using Lines = std::vector<std::string>;

uint32_t UnsignedAt(const ICodable* value) {
    const auto* number = dynamic_cast<const BACnetPrimitiveUINT*>(value);
    return number != nullptr ? number->GetValue() : 0xFFFFFFFFu;
}

TEST(StoredValues, ReplaceKeepApartAndRefuseNull) {
    BACnetStackStoredDBObjectPropertyValues stored;
    StackErrorLogCapture log;
    ASSERT_TRUE(stored.SetValueAndTakeControl(56, 1, 427, std::make_unique<BACnetPrimitiveUINT>(5)));
    ASSERT_TRUE(stored.SetValueAndTakeControl(56, 1, 427, std::make_unique<BACnetPrimitiveUINT>(6)));
    ASSERT_TRUE(stored.SetValueAndTakeControl(56, 2, 427, std::make_unique<BACnetPrimitiveUINT>(7)));
    EXPECT_EQ(UnsignedAt(stored.GetValue(56, 1, 427)), 6u);
    EXPECT_EQ(UnsignedAt(stored.GetValue(56, 2, 427)), 7u);
    EXPECT_EQ(stored.GetValue(56, 1, 482), nullptr);
    EXPECT_EQ(stored.GetValue(0, 1, 427), nullptr);
    EXPECT_EQ(log.Text(), "");

    EXPECT_FALSE(stored.SetValueAndTakeControl(56, 1, 427, nullptr));
    EXPECT_EQ(UnsignedAt(stored.GetValue(56, 1, 427)), 6u);
    BACnetStackStoredDBPropertyValues object;
    EXPECT_FALSE(object.SetValueAndTakeControl(85, nullptr));
    EXPECT_TRUE(object.IsEmpty());
    EXPECT_EQ(ReportLines(log),
              (Lines{"BACnetStackStoredDBObjectPropertyValues::SetValueAndTakeControl|"
                     "bacnetstackstoreddbobjectpropertyvalues|Error - value does not exist",
                     "BACnetStackStoredDBPropertyValues::SetValueAndTakeControl|"
                     "bacnetstackstoreddbpropertyvalues|Error - value does not exist"}));

    stored.RemoveObject(56, 1);
    EXPECT_EQ(stored.GetValue(56, 1, 427), nullptr);
    EXPECT_EQ(UnsignedAt(stored.GetValue(56, 2, 427)), 7u);
}

TEST(COVSubscriptions, AGroupHoldsFiveSubscribers) {
    BACnetStackActiveCOVSubscriptions subscriptions;
    const BACnetPrimitiveBitSTRING flags(std::vector<bool>{false, false, false, true});
    const BACnetPrimitiveREAL value(21.5f);
    StackErrorLogCapture log;
    for (uint32_t subscriber = 1; subscriber <= 5; ++subscriber) {
        BACnetErrorOutcome outcome;
        ASSERT_NE(subscriptions.AddOrUpdateSubscription(subscriber, 0, 1, 85, false, 0, &flags, &value, &outcome),
                  nullptr);
        EXPECT_FALSE(outcome.set);
    }
    EXPECT_EQ(log.Text(), "");
    BACnetErrorOutcome outcome;
    EXPECT_EQ(subscriptions.AddOrUpdateSubscription(6, 0, 1, 85, false, 0, &flags, &value, &outcome), nullptr);
    TestSupport::ExpectOutcome(outcome, {true, BACnetErrorOutcome::kError, 3u << 16 | 19u});
    EXPECT_EQ(subscriptions.GetGroupSize(0, 1, 85), 5u);
    EXPECT_EQ(subscriptions.FindSubscription(6, 0, 1, 85), nullptr);

    // Another object has a group of its own; an existing subscriber is updated in place.
    outcome.Clear();
    EXPECT_NE(subscriptions.AddOrUpdateSubscription(6, 0, 2, 85, true, 1060, &flags, &value, &outcome), nullptr);
    BACnetStackCOVSubscription* updated =
        subscriptions.AddOrUpdateSubscription(3, 0, 1, 85, true, 1060, &flags, &value, &outcome);
    ASSERT_NE(updated, nullptr);
    EXPECT_EQ(subscriptions.FindSubscription(3, 0, 1, 85), updated);
    EXPECT_TRUE(updated->GetIssueConfirmedNotifications());
    EXPECT_EQ(subscriptions.GetGroupSize(0, 1, 85), 5u);
    EXPECT_EQ(subscriptions.GetSubscriptionCount(), 6u);
    EXPECT_FALSE(outcome.set);

    EXPECT_EQ(subscriptions.AddOrUpdateSubscription(7, 0, 3, 85, false, 0, &flags, nullptr, &outcome), nullptr);
    TestSupport::ExpectOutcome(outcome, TestSupport::Abort(0));
    EXPECT_EQ(subscriptions.GetGroupSize(0, 3, 85), 0u);
    EXPECT_EQ(ReportLines(log),
              (Lines{"BACnetStackActiveCOVSubscriptions::AddOrUpdateSubscription|bacnetstackactivecovsubscriptions|"
                     "Error - reached max number of subscriptions for this object",
                     "BACnetStackActiveCOVSubscriptions::AddOrUpdateSubscription|bacnetstackactivecovsubscriptions|"
                     "Error - statusFlags or value does not exist"}));

    subscriptions.RemoveSubscription(6, 0, 2, 85);
    subscriptions.RemoveSubscription(9, 0, 1, 85);
    EXPECT_EQ(subscriptions.GetSubscriptionCount(), 5u);
    EXPECT_EQ(subscriptions.GetGroupSize(0, 2, 85), 0u);
}

TEST(COVSubscriptions, ExpiryAndTimeRemaining) {
    const BACnetPrimitiveBitSTRING flags(std::vector<bool>(4, false));
    const BACnetPrimitiveREAL value(1.0f);
    BACnetStackCOVSubscription timed;
    ASSERT_TRUE(timed.SetCOVSubscription(false, 1000 + 60, flags, &value));
    EXPECT_TRUE(timed.IsActiveAt(1050));
    EXPECT_EQ(timed.TimeRemaining(1050), 10u);
    EXPECT_TRUE(timed.IsActiveAt(1060));
    EXPECT_FALSE(timed.IsActiveAt(1061));
    EXPECT_EQ(timed.TimeRemaining(1061), 0u);
    ASSERT_NE(timed.GetValue(), nullptr);
    EXPECT_TRUE(timed.GetValue()->IsEqual(&value));

    BACnetStackCOVSubscription indefinite;
    ASSERT_TRUE(indefinite.SetCOVSubscription(true, BACnetStackCOVSubscription::kNeverExpires, flags, &value));
    EXPECT_TRUE(indefinite.IsActiveAt(UINT64_MAX));
    EXPECT_EQ(indefinite.TimeRemaining(5), 0u);

    StackErrorLogCapture log;
    EXPECT_FALSE(indefinite.SetCOVSubscription(false, 5, flags, nullptr));
    EXPECT_TRUE(indefinite.GetIssueConfirmedNotifications());
    EXPECT_EQ(ReportLines(log), (Lines{"BACnetStackCOVSubscription::SetCOVSubscription|bacnetstackcovsubscription|"
                                       "Error - failed to set the value"}));
}

}  // namespace
}  // namespace ZalvoBACnetStack
