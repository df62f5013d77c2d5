// The status bar's middle panel: how many items the list shows and their records. It is a
// row of its own, so that a notice can later stand beside or in place of the count.
#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;

namespace hv {

class StatusNoticePanel : public QWidget {
    Q_OBJECT
public:
    explicit StatusNoticePanel(QWidget *parent = nullptr);

    // The count's text ("12 applications · 340 records"); empty hides it.
    void setText(const QString &text);
    QString text() const;

private:
    QHBoxLayout *m_row;
    QLabel *m_count;
};

} // namespace hv
