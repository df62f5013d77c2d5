// Helpers of the dBase tests: crafted table files and scratch folders.
#pragma once

#include "dbase/dBase.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <vector>

namespace dbtest {

struct FieldSpec {
    QByteArray name;
    char type = 'C';
    int length = 0;
};

// What a crafted header says; unset values are computed from the fields and records.
struct HeaderSpec {
    uint8_t version = 3;
    uint8_t month = 12;
    std::optional<int32_t> recordCount;
    std::optional<int> headerLength;
    std::optional<int> recordLength;
    int padding = 0; // bytes after the terminator
    bool endMarker = true;
};

// One record's bytes: the deletion flag and each value cut or space-padded to its field.
QByteArray record(const std::vector<FieldSpec> &fields, bool deleted,
                  const std::vector<QByteArray> &values);

// A complete table file of the given fields and record bytes.
QByteArray craftTable(const std::vector<FieldSpec> &fields, const std::vector<QByteArray> &records,
                      const HeaderSpec &header = {});

// A scratch folder per test.
class Scratch {
public:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString write(const QString &name, const QByteArray &bytes) const;
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// Creates a table with the API (OpenMode 1), closes it and returns its path.
QString createTable(const Scratch &scratch, const QString &name,
                    const std::vector<FieldSpec> &fields);

// The rows of a table array as texts ("<nothing>" for nothing), row by row.
std::vector<std::vector<QString>> rowsOf(const hv::TableArray &array);

// Runs `call` and returns the number of the DbaseError it raises (0 when none).
template <typename F> uint32_t errorOf(F &&call)
{
    try {
        call();
    } catch (const hv::DbaseError &e) {
        return e.number();
    }
    return 0;
}

} // namespace dbtest
