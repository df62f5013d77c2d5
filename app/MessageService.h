// The one way the program shows a message box.
//
// Every message box of the console goes through ShowMessage(). The windows install the
// widget implementation (ui/support/MessageBoxService.h) at start-up; tests install a fake that
// records the texts and returns preset answers (tests/common/FakeMessageService.h).
//
//     if (ShowMessage(QStringLiteral("Do you wish to delete the file?"),
//                     QStringLiteral("Confirm Delete"), MsgButtons::YesNo) == MsgAnswer::Yes)
//         ...
//
// Line breaks in a text are "\n". An empty caption shows the program's own title. A box may
// carry a detail besides its text: the system's own words for what went wrong (strerror,
// GIO's message), shown as the box's detailed text.
// Without an installed service (hvadmin-cli, logic tests) the message is written to stderr
// and the safe answer of the buttons is returned: Ok for Ok, Cancel for OkCancel,
// YesNoCancel and RetryCancel, No for YesNo, Abort for AbortRetryIgnore.
#pragma once

#include "ops/OpResult.h"

#include <QString>

namespace hv {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the box modally and returns the button the user chose. Closing the box without
    // a button (Escape, the close button) answers Cancel, or Ok where Ok is the only button,
    // or No for YesNo, or Abort for AbortRetryIgnore.
    virtual MsgAnswer show(const QString &text, const QString &caption, MsgButtons buttons,
                           MsgIcon icon, const QString &detail) = 0;
};

// The service in use (never null: a stderr fallback when none is installed).
MessageService &currentMessageService();

// Installs `service` (not owned; null goes back to the fallback) and returns the one that
// was installed before, so a caller can put it back.
MessageService *setMessageService(MessageService *service);

// Shows a message box through the current service.
MsgAnswer ShowMessage(const QString &text, const QString &caption = {},
                      MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                      const QString &detail = {});

// Shows an operation's message with its title, and the system's reason as the detail.
MsgAnswer ShowResult(const OpResult &result, MsgButtons buttons = MsgButtons::Ok,
                     MsgIcon icon = MsgIcon::Exclamation);

// The answer of a box that is closed without choosing a button, as described above.
MsgAnswer safeAnswer(MsgButtons buttons);

} // namespace hv
