// A status bar panel that shows a caption and a path: when the panel is too narrow, the path
// is elided in its middle (the caption stays whole), and the whole path is its tool tip.
#pragma once

#include <QLabel>

namespace hv {

class PathLabel : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(QWidget *parent = nullptr);

    // Shows `caption` followed by `path`; text() gives the two unshortened.
    void setCaptionAndPath(const QString &caption, const QString &path);
    // What is drawn now, with the path elided to the panel's width.
    QString shownText() const;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString m_caption;
    QString m_path;
    // The width of minimumSizeHint(), measured once for each caption and font: a status bar
    // asks for it many times as it lays out its panels, and each measure shapes the text.
    mutable int m_minimumWidth = -1;
};

} // namespace hv
