// The client area of a window whose controls are placed by arithmetic (app/WindowLayout.h)
// rather than by a Qt layout: a change of its size lays them out again, except while the
// window is minimised.
#pragma once

#include <QWidget>

#include <functional>

namespace hv {

class ClientArea : public QWidget {
public:
    explicit ClientArea(std::function<void()> layOut, QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    std::function<void()> m_layOut;
};

} // namespace hv
