// What an item operation did, in the one shape that every operation returns and that the
// window (or hvadmin-cli) shows: success, a message with its title, and the files touched.
// Operations with more to say derive from it; where to show the message is the caller's.
#pragma once

#include <QString>
#include <QStringList>

namespace hv {

struct OpResult {
    bool ok = true;
    QString message;     // for the user: why it failed, or the confirmation to show
    QString title;       // the message box's title
    QStringList touched; // paths on disk written, moved or removed, in the order done
};

} // namespace hv
