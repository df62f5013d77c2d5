// The filter box above the item list: the list shows only the rows whose title or file name
// contains its text. Escape clears it; Enter or Down goes on into the list.
#pragma once

#include <QLineEdit>

namespace hv {

class ItemFilterBox : public QLineEdit {
    Q_OBJECT
public:
    explicit ItemFilterBox(QWidget *parent = nullptr);

Q_SIGNALS:
    // Enter or Down: the keyboard goes on into the list.
    void enterListRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace hv
