#include "ui/mainwindow/ItemFilterBox.h"

#include <QKeyEvent>

namespace hv {

ItemFilterBox::ItemFilterBox(QWidget *parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("txtFind"));
    setAccessibleName(tr("Find items"));
    setPlaceholderText(tr("Find by title or file name (Ctrl+F)"));
}

void ItemFilterBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (!text().isEmpty()) {
            clear();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        Q_EMIT enterListRequested();
        return;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace hv
