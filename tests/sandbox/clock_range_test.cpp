// The sandbox's clock at the ends of what 64-bit ticks hold: refused, never wrapped.
#include <gtest/gtest.h>

#include "standin/standin.h"
#include "tools/sandbox/clock_change.h"

namespace {

using quellwarden::sandbox::apply_clock_change;
using quellwarden::sandbox::ClockOutcome;
using quellwarden::sandbox::kStandinClock;

constexpr std::int64_t kLast = 922337203685;

TEST(standin_clock_test, holds_the_last_second_and_refuses_the_next_keeping_its_time) {
  ASSERT_EQ(standin::kClockLastSecond, kLast);
  ASSERT_TRUE(standin::freeze_clock(kLast));
  EXPECT_EQ(standin::clock_seconds(), kLast);
  EXPECT_FALSE(standin::freeze_clock(kLast + 1));
  EXPECT_FALSE(standin::freeze_clock(standin::kClockFirstSecond - 1));
  EXPECT_EQ(standin::clock_seconds(), kLast);
  standin::thaw_clock();
}

TEST(sandbox_clock_change_test, absolute_seconds_up_to_the_last_one) {
  const auto last = apply_clock_change("922337203685", 0, kStandinClock);
  EXPECT_EQ(last.outcome, ClockOutcome::moved);
  EXPECT_EQ(last.seconds, kLast);
  EXPECT_EQ(apply_clock_change("922337203686", 0, kStandinClock).outcome,
            ClockOutcome::out_of_range);
  EXPECT_EQ(apply_clock_change("99999999999999999999999", 0, kStandinClock).outcome,
            ClockOutcome::out_of_range);
}

TEST(sandbox_clock_change_test, minus_without_a_unit_is_a_time_before_1970) {
  const auto before = apply_clock_change("-1", 1700000000, kStandinClock);
  EXPECT_EQ(before.outcome, ClockOutcome::moved);
  EXPECT_EQ(before.seconds, -1);
  EXPECT_EQ(apply_clock_change("-922337203686", 0, kStandinClock).outcome,
            ClockOutcome::out_of_range);
  EXPECT_EQ(apply_clock_change("+5", 0, kStandinClock).outcome, ClockOutcome::malformed);
}

TEST(sandbox_clock_change_test, steps_past_either_end_are_out_of_range) {
  EXPECT_EQ(apply_clock_change("+1s", kLast - 1, kStandinClock).seconds, kLast);
  EXPECT_EQ(apply_clock_change("+1s", kLast, kStandinClock).outcome, ClockOutcome::out_of_range);
  EXPECT_EQ(apply_clock_change("+9223372036854775807d", 0, kStandinClock).outcome,
            ClockOutcome::out_of_range);
  EXPECT_EQ(apply_clock_change("-9223372036854775807s", -2, kStandinClock).outcome,
            ClockOutcome::out_of_range);
  EXPECT_EQ(apply_clock_change("+9223372036854775807s", 1, kStandinClock).outcome,
            ClockOutcome::out_of_range);
}

}  // namespace
