// Expects a statement to throw an exception of a given type whose what() is exactly a given text;
// a hand-written try/catch passes silently when nothing is thrown.
#pragma once

#include <gtest/gtest.h>

#include <string>

#define EXPECT_THROW_MSG(statement, expected_exception, expected_message)                      \
  do {                                                                                         \
    std::string qw_thrown_message_;                                                            \
    bool qw_thrown_ = false;                                                                   \
    try {                                                                                      \
      statement;                                                                               \
    } catch (const expected_exception& qw_error_) {                                            \
      qw_thrown_ = true;                                                                       \
      qw_thrown_message_ = qw_error_.what();                                                   \
    }                                                                                          \
    EXPECT_TRUE(qw_thrown_) << #statement " did not throw " #expected_exception;               \
    if (qw_thrown_) {                                                                          \
      EXPECT_EQ(qw_thrown_message_, std::string(expected_message)) << "thrown by " #statement; \
    }                                                                                          \
  } while (false)
