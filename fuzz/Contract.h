#pragma once

// The contract every fuzz target checks: the operation on the input either returns or fails
// with one of the failure messages the target allows. Anything else (another failure kind, a
// message not of its kind's form, any other exception) is a finding: the target aborts, and
// libFuzzer keeps the input that caused it.

#include "platform/Failure.h"

#include <functional>
#include <initializer_list>
#include <string>

namespace mv::fuzz {

// Ends the run as a finding, with the reason on stderr.
[[noreturn]] void Finding(const std::string& reason);

// Runs op; returns true when it returned, false when it failed as allowed.
bool ExpectContract(const std::function<void()>& op, std::initializer_list<Failure::Kind> allowed);

// The failures a reader of data files may raise: a missing line 1 and bad numbers.
inline constexpr std::initializer_list<Failure::Kind> ReaderFailures = {
    Failure::Kind::IndexOutOfRange, Failure::Kind::NotInteger, Failure::Kind::NotFloat};

} // namespace mv::fuzz
