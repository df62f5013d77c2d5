// Indents compact JSON as it streams past, for a person at a terminal (--pretty).
//
// The members keep their order and the strings their bytes: only the space between the
// tokens changes. Output whose first byte opens no object or array (a path, a message, CSV)
// passes through untouched.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace hv::cli {

class PrettyJson {
public:
    // The indented form of the next bytes of the output.
    QByteArray feed(QByteArrayView bytes);

private:
    enum class Mode { Undecided, Json, Raw };

    void newLine(QByteArray &out) const;

    Mode m_mode = Mode::Undecided;
    int m_depth = 0;
    bool m_inString = false;
    bool m_escaped = false;
    bool m_justOpened = false; // an object or array opened; its first line not yet begun
};

} // namespace hv::cli
