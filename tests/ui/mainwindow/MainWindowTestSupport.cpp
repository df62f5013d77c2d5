#include "tests/ui/mainwindow/MainWindowTestSupport.h"

#include <QDesktopServices>

namespace hvtest {

UrlRecorder::UrlRecorder(const QStringList &schemes) : m_schemes(schemes)
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlRecorder::~UrlRecorder()
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

QStringList columnTexts(const QAbstractItemView *view, int column)
{
    QStringList texts;
    const QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

void clickToolButton(QToolBar *toolBar, QAction *action)
{
    auto *button = qobject_cast<QToolButton *>(toolBar->widgetForAction(action));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace hvtest
