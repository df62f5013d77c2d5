// The message-box service of the windows: shows each message as a modal QMessageBox over the
// active window, the detail as its detailed text. Installed by Main (ui/support/Main.h) for the
// whole run.
#pragma once

#include "app/MessageService.h"

namespace hv {

class MessageBoxService : public MessageService {
public:
    MsgAnswer show(const QString &text, const QString &caption, MsgButtons buttons, MsgIcon icon,
                   const QString &detail) override;
};

} // namespace hv
