#pragma once

#include <QString>

#include <stdexcept>

// A failure of one statement: what the error report shows as Number and Description.
class RuntimeError : public std::runtime_error
{
public:
    RuntimeError(int number, const QString &description)
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
    {}

    int number() const { return m_number; }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

// Error numbers the program raises itself; they follow the classic runtime's codes so that a
// report reads the same whatever raised it.
namespace ErrorNumber {
constexpr int InvalidProcedureCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int InternalError = 51;
constexpr int FileNotFound = 53;
constexpr int BadFileMode = 54;
constexpr int DeviceIOError = 57;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccessError = 75;
constexpr int ObjectNotSet = 91;
constexpr int InvalidFileFormat = 321;
constexpr int InvalidPropertyValue = 380;
constexpr int MethodFailed = 440;
constexpr int InvalidPicture = 481;
constexpr int PrinterError = 482;
} // namespace ErrorNumber
