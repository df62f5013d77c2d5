// hv-itemshots: pictures of the item commands for reviewers (scripts/item-screenshots.sh).
// Starts the console as usual (on the configuration that XDG_CONFIG_HOME names), then shows
// the context menu of an application and of a directory file, the confirmation window, the
// rename window and the file access error window over it, and saves each as it is on the
// screen in the folder given as the only argument. The data file of the application is held
// open by a child process for the last picture, so the lock check finds it in use.
#include "ui/support/Main.h"
#include "app/AppState.h"
#include "ops/FileSet.h"
#include "ops/ItemRename.h"
#include "ops/LockCheck.h"
#include "suite/TemplateFileInfo.h"
#include "ui/ItemActions.h"
#include "ui/dialogs/frmRename.h"
#include "ui/dialogs/frmWarning.h"
#include "ui/dialogs/frmfileLock.h"
#include "ui/mainwindow/CategoryBar.h"
#include "ui/mainwindow/CategoryListModel.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "ui/support/Translations.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace hv;

namespace {

// Time for the tree (listed in the background), the menus and the windows to settle.
constexpr int kSettleMs = 500;
const char kApplication[] = "PLANT1.HVT";
const char kDirectory[] = "PLANT.DIR";

QString g_out;

// Saves what the screen shows within `area` (grown a little, kept on the screen).
void saveScreen(const QString &file, const QRect &area)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect shot = area.adjusted(-8, -8, 8, 8).intersected(screen->geometry());
    const QString path = g_out + u'/' + file;
    if (!screen->grabWindow(0, shot.x(), shot.y(), shot.width(), shot.height()).save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// Selects the row of `key` in category row `categoryRow` and pops up its context menu.
QMenu *popUpMenu(frmHVSetup &window, int categoryRow, const char *key)
{
    window.grdOUtlookBar()->setCurrentCell(categoryRow, 1);
    ItemListView *list = window.lstHVSETUP();
    const int row = list->model()->rowOfKey(QString::fromLatin1(key));
    if (row < 0)
        return nullptr;
    QAbstractItemView *view = list->currentView();
    const QRect rect = view->visualRect(list->model()->index(row, 0));
    const QPoint at = view->viewport()->mapToGlobal(rect.center());
    list->selectRow(row);
    window.itemActions()->popUpMenu(at);
    return QString::fromLatin1(key).endsWith(QLatin1String(".DIR"))
               ? window.itemActions()->mnuRightDir()
               : window.itemActions()->mnuRightClickList();
}

class Tour {
public:
    explicit Tour(frmHVSetup &window) : m_window(&window) {}
    void add(std::function<void()> step) { m_steps.push_back(std::move(step)); }
    static void run(const std::shared_ptr<Tour> &tour, size_t index)
    {
        if (!tour->m_window || index >= tour->m_steps.size()) {
            QCoreApplication::quit();
            return;
        }
        tour->m_steps[index]();
        QTimer::singleShot(kSettleMs, [tour, index] { run(tour, index + 1); });
    }

private:
    QPointer<frmHVSetup> m_window;
    std::vector<std::function<void()>> m_steps;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    hv::installTranslations();
    if (argc != 2) {
        std::fprintf(stderr, "usage: hv-itemshots OUTPUT-FOLDER\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    std::unique_ptr<QWidget> created =
        Main([] { return std::unique_ptr<QWidget>(std::make_unique<frmHVSetup>()); });
    if (!created)
        return 1;
    auto &window = static_cast<frmHVSetup &>(*created);
    const QString folder = AppState::instance().ProjectFolder();

    QProcess holder;
    std::unique_ptr<QWidget> dialog;
    auto tour = std::make_shared<Tour>(window);
    QPointer<QMenu> menu;
    tour->add([&] { menu = popUpMenu(window, 0, kApplication); });
    tour->add([&] {
        if (menu)
            saveScreen(QStringLiteral("menu-application.png"),
                       window.frameGeometry().united(menu->geometry()));
        if (menu)
            menu->close();
        // The list is filled by a job: the menu comes up once the directories are listed.
        window.grdOUtlookBar()->setCurrentCell(5, 1);
    });
    tour->add([&] { menu = popUpMenu(window, 5, kDirectory); });
    tour->add([&] {
        if (menu)
            saveScreen(QStringLiteral("menu-directory.png"),
                       window.frameGeometry().united(menu->geometry()));
        if (menu)
            menu->close();
        window.grdOUtlookBar()->setCurrentCell(0, 1);
        TemplateFileInfo info(folder);
        auto *warning = new frmWarning(
            &window,
            DeleteConfirmationFor(info, folder + QLatin1String(kApplication), true, false));
        warning->show();
        dialog.reset(warning);
    });
    tour->add([&] {
        saveScreen(QStringLiteral("frmWarning.png"), dialog->frameGeometry());
        const RenamePrompt prompt = RenamePromptFor(QLatin1String(kApplication));
        auto *rename =
            new frmRename(&window, prompt.prompt, prompt.caption, QLatin1String(kApplication));
        rename->show();
        dialog.reset(rename);
    });
    tour->add([&] {
        saveScreen(QStringLiteral("frmRename.png"), dialog->frameGeometry());
        dialog.reset();
        const QString data = fileset::DataFileOf(folder, QLatin1String(kApplication));
        holder.start(QStringLiteral("tail"), {QStringLiteral("-f"), data});
        holder.waitForStarted();
    });
    tour->add([&] {
        const QString data = fileset::DataFileOf(folder, QLatin1String(kApplication));
        const LockCheckResult result =
            hv::isFileLocked(data, defaultFileLockServiceFactory(), NetworkPaths());
        auto *lock = new frmfileLock(&window, data, result);
        lock->show();
        dialog.reset(lock);
    });
    tour->add([&] {
        saveScreen(QStringLiteral("frmfileLock.png"), dialog->frameGeometry());
        dialog.reset();
        holder.kill();
        holder.waitForFinished();
    });
    QTimer::singleShot(2 * kSettleMs, [tour] { Tour::run(tour, 0); });
    return app.exec();
}
