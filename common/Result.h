// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <variant>

// The one shape of an expected failure in the core: a value on success, else why it failed (an
// enum of the subsystem, for code that reacts to it) and the message the user is shown (empty
// where the user has already been told, or where there is nothing to tell, such as a question
// the user answered with No). C++20 has no std::expected; this is the small part of it the
// program needs.
namespace wendrix {

// The value of a Result that carries nothing on success.
struct Done
{
    friend bool operator==(Done, Done) = default;
};

template <typename Reason>
struct Failure
{
    Reason reason;
    std::string message;
};

template <typename T, typename Reason>
class [[nodiscard]] Result
{
public:
    using Value = T;

    // Success.
    Result(T value)  // NOLINT: implicit, so that `return value;` reads well
        : m_state(std::in_place_index<0>, std::move(value))
    {
    }
    // Failure.
    Result(Failure<Reason> failure)  // NOLINT: implicit, so that `return Fail(...)` reads well
        : m_state(std::in_place_index<1>, std::move(failure))
    {
    }

    [[nodiscard]] bool Ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return Ok(); }

    // Only on success.
    [[nodiscard]] const T& Get() const& { return std::get<0>(m_state); }
    [[nodiscard]] T& Get() & { return std::get<0>(m_state); }
    [[nodiscard]] T&& Get() && { return std::get<0>(std::move(m_state)); }
    [[nodiscard]] const T* operator->() const { return &Get(); }
    [[nodiscard]] T* operator->() { return &Get(); }

    // Only on failure.
    [[nodiscard]] Reason Why() const { return std::get<1>(m_state).reason; }
    [[nodiscard]] const std::string& Message() const { return std::get<1>(m_state).message; }

    // Whether it failed for this reason (false on success).
    [[nodiscard]] bool FailedBecause(Reason reason) const { return !Ok() && Why() == reason; }

private:
    std::variant<T, Failure<Reason>> m_state;
};

// A step that yields nothing but may fail.
template <typename Reason>
using Outcome = Result<Done, Reason>;

template <typename Reason>
[[nodiscard]] Failure<Reason> Fail(Reason reason, std::string message = {})
{
    return Failure<Reason>{reason, std::move(message)};
}

}  // namespace wendrix
