#pragma once
// The one error path: the layer that detects a failure returns it with the user-facing text
// and title; the operation's edge reports it once through Host.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace ql {

enum class MessageIcon { None, Information, Warning, Critical, Question };

struct Failure {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::Critical;
};

class [[nodiscard]] Status {
public:
    Status() = default;  // success
    Status(Failure failure) : failure_(std::move(failure)) {}
    static Status success() { return {}; }
    static Status fail(std::string text, std::string title,
                       MessageIcon icon = MessageIcon::Critical)
    {
        return Status(Failure{std::move(text), std::move(title), icon});
    }
    bool ok() const { return !failure_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Failure& failure() const { return *failure_; }

private:
    std::optional<Failure> failure_;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : value_(std::move(failure)) {}
    bool ok() const { return std::holds_alternative<T>(value_); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<T>(value_); }
    T& value() { return std::get<T>(value_); }
    const Failure& failure() const { return std::get<Failure>(value_); }
    Status status() const { return ok() ? Status() : Status(failure()); }

private:
    std::variant<T, Failure> value_;
};

}  // namespace ql
