#include "ui/support/MessageBoxService.h"

#include "ui/support/FontConfiguration.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>
#include <vector>

namespace hv {
namespace {

QMessageBox::Icon boxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

std::vector<std::pair<QMessageBox::StandardButton, MsgAnswer>> boxButtons(MsgButtons buttons)
{
    using B = QMessageBox;
    switch (buttons) {
    case MsgButtons::Ok:
        return {{B::Ok, MsgAnswer::Ok}};
    case MsgButtons::OkCancel:
        return {{B::Ok, MsgAnswer::Ok}, {B::Cancel, MsgAnswer::Cancel}};
    case MsgButtons::YesNo:
        return {{B::Yes, MsgAnswer::Yes}, {B::No, MsgAnswer::No}};
    case MsgButtons::YesNoCancel:
        return {{B::Yes, MsgAnswer::Yes}, {B::No, MsgAnswer::No}, {B::Cancel, MsgAnswer::Cancel}};
    case MsgButtons::RetryCancel:
        return {{B::Retry, MsgAnswer::Retry}, {B::Cancel, MsgAnswer::Cancel}};
    case MsgButtons::AbortRetryIgnore:
        return {{B::Abort, MsgAnswer::Abort},
                {B::Retry, MsgAnswer::Retry},
                {B::Ignore, MsgAnswer::Ignore}};
    }
    return {{B::Ok, MsgAnswer::Ok}};
}

} // namespace

MsgAnswer MessageBoxService::show(const QString &text, const QString &caption, MsgButtons buttons,
                                  MsgIcon icon, const QString &detail)
{
    awaitFontConfiguration(); // a message of the start-up may come before any window
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption.isEmpty() ? QGuiApplication::applicationDisplayName() : caption);
    box.setText(text);
    if (!detail.isEmpty())
        box.setDetailedText(detail);
    box.setIcon(boxIcon(icon));
    const auto choices = boxButtons(buttons);
    QMessageBox::StandardButtons standard;
    for (const auto &choice : choices)
        standard |= choice.first;
    box.setStandardButtons(standard);
    box.setDefaultButton(choices.front().first);
    // Escape and the close button give the safe answer.
    const MsgAnswer safe = safeAnswer(buttons);
    for (const auto &choice : choices) {
        if (choice.second == safe)
            box.setEscapeButton(choice.first);
    }
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto &choice : choices) {
        if (choice.first == clicked)
            return choice.second;
    }
    return safe;
}

} // namespace hv
