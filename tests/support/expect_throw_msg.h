// Expects a statement to throw an exception of a given type whose what() is exactly a given text;
// a hand-written try/catch passes silently when nothing is thrown, and lets an exception of
// another type end the whole test instead of saying which statement threw it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#define EXPECT_THROW_MSG(statement, expected_exception, expected_message)                      \
  do {                                                                                         \
    std::string qw_thrown_message_;                                                            \
    const char* qw_failure_ = " did not throw " #expected_exception;                           \
    try {                                                                                      \
      statement;                                                                               \
    } catch (const expected_exception& qw_error_) {                                            \
      qw_failure_ = nullptr;                                                                   \
      qw_thrown_message_ = qw_error_.what();                                                   \
    } catch (...) {                                                                            \
      qw_failure_ = " threw an exception of another type than " #expected_exception;           \
    }                                                                                          \
    if (qw_failure_ != nullptr) {                                                              \
      ADD_FAILURE() << #statement << qw_failure_;                                              \
    } else {                                                                                   \
      EXPECT_EQ(qw_thrown_message_, std::string(expected_message)) << "thrown by " #statement; \
    }                                                                                          \
  } while (false)
