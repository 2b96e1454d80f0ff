#pragma once
// The forms runtime's run-time error: a number, a description and a source, thrown as a C++
// exception by the runtime, the controls and the program. A raise without a description
// takes the runtime's standard text for the number.

#include <QString>

#include <cstdint>
#include <exception>
#include <string>

namespace forms {

// The numbers the runtime itself raises, by name, so callers need not spell numbers.
namespace vberr {
inline constexpr int32_t InvalidProcedureCall = 5;
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t OutOfMemory = 7;
inline constexpr int32_t SubscriptOutOfRange = 9;
inline constexpr int32_t DivisionByZero = 11;
inline constexpr int32_t TypeMismatch = 13;
inline constexpr int32_t ObjectVariableNotSet = 91;
inline constexpr int32_t InvalidPropertyValue = 380;
inline constexpr int32_t SetNotSupportedAtRuntime = 382;
inline constexpr int32_t SetNotSupportedReadOnly = 383;
inline constexpr int32_t LetNotPermittedAtRuntime = 387;
inline constexpr int32_t GetNotSupportedAtRuntime = 393;
inline constexpr int32_t GetNotSupportedWriteOnly = 394;
inline constexpr int32_t ClientSiteNotAvailable = 398;
inline constexpr int32_t PropertyNotFound = 422;
inline constexpr int32_t CantCreateObject = 429;
inline constexpr int32_t MemberNotSupported = 438;
inline constexpr int32_t WrongNumberOfArguments = 450;
inline constexpr int32_t KeyAlreadyAssociated = 457;
inline constexpr int32_t CancelSelected = 32755;
} // namespace vberr

// The runtime's standard description of `number`; "Application-defined or object-defined
// error" for a number the runtime does not describe.
QString standard_description(int32_t number);

class VbError : public std::exception {
public:
    // An empty description means the standard one.
    explicit VbError(int32_t number, QString source = {}, QString description = {});

    int32_t number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }
    const QString& source() const noexcept { return source_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    int32_t number_;
    QString source_;
    QString description_;
    std::string what_;
};

// Err.Raise: throws VbError.
[[noreturn]] void raise(int32_t number, const QString& source = {}, const QString& description = {});

} // namespace forms
