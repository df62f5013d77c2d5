// What an operation did, in the one shape that every operation of ops/ returns and that the
// window (or hvadmin-cli) shows: the outcome, a message with its title, the system's reason,
// and the files touched. Operations with more to say derive from it; where to show the
// message is the caller's. The message and title are kept in English for the log, hvadmin-cli
// and its JSON; a window shows them through shownMessage() and shownTitle(), in the user's
// language.
//
// A result is a failure until the operation says otherwise: one that forgets to decide
// reports a failure, never a success it did not have.
//
//     OpResult result;
//     if (!saveWhole(path, bytes, &error)) {
//         result.fail(UserText::translate("hv::Save", "The file %1 could not be written.")
//                         .arg(path),
//                     UserText::translate("hv::Save", "Save Failed"), error);
//         return result;
//     }
//     result.touched << path;
//     result.succeed();
//     return result;
//
// Exceptions stop below this layer: the dBase tables throw DbaseError, and nothing here or
// above lets one escape; every other failure is a result.
#pragma once

#include "log/UserText.h"

#include <QString>
#include <QStringList>

namespace hv {

struct OpResult {
    bool ok = false;
    QString message;     // for the user: why it failed, or the confirmation to show (English)
    QString title;       // the message box's title (English)
    QString reason;      // the system's own words (strerror, GIO's message); may be empty
    QStringList touched; // paths on disk written, moved or removed, in the order done
    // The message and title as the window shows them, where they were given as user texts.
    UserText shownText;
    UserText shownCaption;

    explicit operator bool() const { return ok; }

    // Marks the result a success; the message (a confirmation) may be set.
    void succeed(const UserText &confirmation = {})
    {
        ok = true;
        if (!confirmation.isEmpty()) {
            message = confirmation.english;
            shownText = confirmation;
        }
    }

    // Marks the result a failure with its message, title and the system's reason.
    void fail(const UserText &text, const UserText &caption = {}, const QString &why = {})
    {
        ok = false;
        message = text.english;
        title = caption.english;
        shownText = text;
        shownCaption = caption;
        reason = why;
    }

    // The message and title in the user's language; the English ones where they were set
    // without a translation (or changed since).
    QString shownMessage() const
    {
        return shownText.english == message ? shownText.shown : message;
    }
    QString shownTitle() const
    {
        return shownCaption.english == title ? shownCaption.shown : title;
    }

    // The message followed by the system's reason, for a one-line report:
    // "<message>: <reason>" (the message's closing full stop left out), or the message alone
    // when there is no reason.
    QString messageWithReason() const
    {
        if (reason.isEmpty())
            return message;
        const QString text = message.endsWith(u'.') ? message.chopped(1) : message;
        return text + QStringLiteral(": ") + reason;
    }
};

} // namespace hv
