#include "ui/mainwindow/ItemListInput.h"

#include "ui/mainwindow/ItemListView.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QTreeView>

namespace hv {

ItemListInput::ItemListInput(ItemListView &list, QObject *parent) : QObject(parent), m_list(list)
{
    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(list.detailsView()),
                                    static_cast<QAbstractItemView *>(list.iconView())}) {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }
}

bool ItemListInput::press(Qt::MouseButton button, int row, const QPoint &globalPos,
                          Qt::KeyboardModifiers modifiers)
{
    if (row >= 0 && m_list.allowsSeveral()) {
        // Ctrl and Shift add to the selection: the view's own clicks.
        if (button == Qt::LeftButton && (modifiers & (Qt::ControlModifier | Qt::ShiftModifier)))
            return true;
        // The menu of the whole selection.
        if (button == Qt::RightButton && m_list.isRowSelected(row)) {
            Q_EMIT menuRequested(globalPos);
            return false;
        }
    }
    // The views share one selection model: -1 clears it for both.
    m_list.selectRow(row < 0 ? -1 : row);
    if (row >= 0 && button == Qt::RightButton)
        Q_EMIT menuRequested(globalPos);
    return row >= 0 && button != Qt::RightButton;
}

bool ItemListInput::eventFilter(QObject *watched, QEvent *event)
{
    // Only input is handled. The views' other events go on while the list is being destroyed,
    // when the list must no longer be asked for its current view.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::ContextMenu:
        break;
    default:
        return false;
    }
    QAbstractItemView *view = m_list.currentView();
    if (watched == view->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const QModelIndex index = view->indexAt(mouse->position().toPoint());
            // The right button's menu is the whole answer; the left goes on to the view.
            return !press(mouse->button(), m_list.rowOf(index), mouse->globalPosition().toPoint(),
                          mouse->modifiers());
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                Q_EMIT activateRequested();
            return true;
        }
        // The menu was shown on the press already.
        return event->type() == QEvent::ContextMenu;
    }
    if (watched != view)
        return false;
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Q_EMIT activateRequested();
            return true;
        }
        if (key->key() == Qt::Key_Menu ||
            (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            menuAtSelection();
            return true;
        }
    } else if (event->type() == QEvent::ContextMenu) {
        if (static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard)
            menuAtSelection();
        return true;
    }
    return false;
}

void ItemListInput::menuAtSelection()
{
    const int row = m_list.selectedRow();
    if (row < 0)
        return;
    QAbstractItemView *view = m_list.currentView();
    const QModelIndex index = m_list.viewIndex(row);
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    Q_EMIT menuRequested(
        view->viewport()->mapToGlobal(rect.bottomLeft() + QPoint(rect.height(), 0)));
}

} // namespace hv
