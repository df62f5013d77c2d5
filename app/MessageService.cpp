#include "app/MessageService.h"

#include <cstdio>

namespace hv {
namespace {

// Used where no window shows the box: the text goes to stderr.
class StderrMessageService : public MessageService {
public:
    MsgAnswer show(const QString &text, const QString &caption, MsgButtons buttons, MsgIcon,
                   const QString &detail) override
    {
        QString shown = caption.isEmpty() ? text : caption + QLatin1String(": ") + text;
        if (!detail.isEmpty())
            shown += QLatin1String(": ") + detail;
        const QByteArray line = shown.toUtf8() + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
        std::fflush(stderr);
        return safeAnswer(buttons);
    }
};

StderrMessageService &fallbackService()
{
    static StderrMessageService service;
    return service;
}

MessageService *&installedService()
{
    static MessageService *service = nullptr;
    return service;
}

} // namespace

MessageService &currentMessageService()
{
    MessageService *service = installedService();
    return service ? *service : fallbackService();
}

MessageService *setMessageService(MessageService *service)
{
    MessageService *previous = installedService();
    installedService() = service;
    return previous;
}

MsgAnswer ShowMessage(const QString &text, const QString &caption, MsgButtons buttons, MsgIcon icon,
                      const QString &detail)
{
    return currentMessageService().show(text, caption, buttons, icon, detail);
}

MsgAnswer ShowResult(const OpResult &result, MsgButtons buttons, MsgIcon icon)
{
    return ShowMessage(result.shownMessage(), result.shownTitle(), buttons, icon, result.reason);
}

MsgAnswer safeAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::AbortRetryIgnore:
        return MsgAnswer::Abort;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
    case MsgButtons::RetryCancel:
        break;
    }
    return MsgAnswer::Cancel;
}

} // namespace hv
