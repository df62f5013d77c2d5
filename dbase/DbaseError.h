// The one error type of the dBase table classes.
//
// Every failure of `dBase`, `Fields` and the table array operations reaches the caller as a
// DbaseError with a 32-bit number, the source "dBase Class" and a description. The numbers
// 0x80040200 to 0x80040208 are the table class's own; the numbers from 0x80040209 on cover
// failures that the class reports for the operating system or for a bad argument.
#pragma once

#include <QString>

#include <cstdint>
#include <exception>
#include <string>

namespace hv {

namespace dbase_errors {
constexpr uint32_t kFileNotFound = 0x80040200;      // "dBase File Not Found '<path>'"
constexpr uint32_t kInvalidFileType = 0x80040201;   // "Invalid dBase File Type"
constexpr uint32_t kReadOnly = 0x80040202;          // "Database is ReadOnly"
constexpr uint32_t kArrayDoesNotMatch = 0x80040203; // "Array does not match Fields"
constexpr uint32_t kArrayNoColumns = 0x80040204;    // "Array has no columns"
constexpr uint32_t kArrayNoRows = 0x80040205;       // "Array has no rows"
constexpr uint32_t kColumnsNotBase1 = 0x80040206;   // "Array columns must be Base 1"
constexpr uint32_t kRowsNotBase1 = 0x80040207;      // "Array rows must be Base 1"
constexpr uint32_t kInvalidSortColumn = 0x80040208; // "Invalid Sort Column"
// A failed open, read, write or close of the table file. The description names the
// operation, the path and the operating system's error text; osError() holds errno.
constexpr uint32_t kFileSystem = 0x80040209;
// A field number that names no field (Value, Fields.Remove): "Invalid Field Number <n>".
constexpr uint32_t kInvalidFieldNumber = 0x8004020A;
// OpenFile with an OpenMode other than 0, 1 or 2: "Invalid Open Mode <n>".
constexpr uint32_t kInvalidOpenMode = 0x8004020B;
} // namespace dbase_errors

class DbaseError : public std::exception {
public:
    DbaseError(uint32_t number, const QString &description, int osError = 0);

    uint32_t number() const { return m_number; }
    QString source() const { return QStringLiteral("dBase Class"); }
    QString description() const { return m_description; }
    // The errno of a file-system failure, 0 for every other error.
    int osError() const { return m_osError; }

    // "0x80040200 - <description>", the form in which callers log and print the error.
    QString text() const;
    const char *what() const noexcept override { return m_what.c_str(); }

private:
    uint32_t m_number;
    QString m_description;
    int m_osError;
    std::string m_what;
};

} // namespace hv
