// Mouse and keyboard on the item list, turned into the list's two requests:
// - a press of any button selects the row under the mouse, or clears the selection over
//   empty space; the right button then asks for the row's context menu. Where several rows
//   may be selected, a right-click on a selected row keeps the selection, and the left
//   button with Ctrl or Shift adds to it as the view does;
// - a double-click, or Enter, asks to activate the selected row;
// - the Menu key or Shift+F10 asks for the selected row's context menu at the row.
#pragma once

#include <QObject>
#include <QPoint>

namespace hv {

class ItemListView;

class ItemListInput : public QObject {
    Q_OBJECT
public:
    // Watches both views of `list`.
    explicit ItemListInput(ItemListView &list, QObject *parent = nullptr);

    // A press of `button` over the model's row `row` (-1: empty space) at `globalPos`.
    // Returns whether the view is to see the press too (for its own selection).
    bool press(Qt::MouseButton button, int row, const QPoint &globalPos,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);

Q_SIGNALS:
    // The selected row is to be opened.
    void activateRequested();
    // The selected row's context menu is to pop up at `globalPos`.
    void menuRequested(const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The keyboard's context menu: at the selected row.
    void menuAtSelection();

    ItemListView &m_list;
};

} // namespace hv
