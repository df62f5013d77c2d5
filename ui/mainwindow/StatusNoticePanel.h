// The status bar's middle panel: how many items the list shows and their records, or, for a
// while after an operation, a notice of what it did ("Deleted Forklift (4 files to the
// trash)") with an Undo link. The notice gives way to the count at the next change of
// category or folder, or after kNoticeMs.
#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QTimer;

namespace hv {

class StatusNoticePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kNoticeMs = 30000;

    explicit StatusNoticePanel(QWidget *parent = nullptr);

    // The count's text ("12 applications · 340 records"); empty hides it.
    void setText(const QString &text);
    QString text() const;

    // Shows `notice` in place of the count; with `undoable`, the Undo link beside it.
    void showNotice(const QString &notice, bool undoable);
    // Back to the count.
    void clearNotice();
    // The notice shown; empty when the count is.
    QString notice() const;
    QLabel *undoLink() const { return m_undo; }

Q_SIGNALS:
    // The Undo link was followed.
    void undoRequested();

private:
    void updateVisibility();

    QHBoxLayout *m_row;
    QLabel *m_count;
    QLabel *m_notice;
    QLabel *m_undo;
    QTimer *m_expiry;
    QString m_countText;
};

} // namespace hv
