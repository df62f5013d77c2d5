// The splitter between the left side (category bar and folder tree) and the right side
// (toolbar and item list) of the main window. The grip (imgSplit) is an invisible strip; a
// press on it shows a bar (PicSplit) that follows the mouse, and the release moves the grip
// to the bar, kept at least 300 twips from either edge of the window. The grip takes the
// keyboard focus too (shown in the highlight colour): Left and Right move it by a step.
#pragma once

#include <QWidget>

namespace hv {

// The grip's left edge for a drop at `left`: at least `limit` from the left edge and at
// most `clientWidth` - `limit`; on a window narrower than twice the limit the right
// limit wins.
int ClampSplitterLeft(int left, int clientWidth, int limit);

class SplitterGrip : public QWidget {
    Q_OBJECT
public:
    // The distance the splitter keeps from the edges, in twips (its width is the layout's,
    // kGripWidthTwips).
    static constexpr int kEdgeLimitTwips = 300;
    // How far one press of Left or Right moves the grip, in twips.
    static constexpr int kKeyStepTwips = 150;

    // `parent` is the window's client area; the drag bar is created beside the grip in it.
    explicit SplitterGrip(QWidget *parent);

    bool isDragging() const { return m_dragging; }
    QWidget *dragBar() const { return m_picSplit; }

Q_SIGNALS:
    // The drag ended and the grip now stands at its new place.
    void moved();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_picSplit;
    bool m_dragging = false;
};

} // namespace hv
