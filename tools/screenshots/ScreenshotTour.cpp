#include "tools/screenshots/ScreenshotTour.h"

#include "app/AppState.h"
#include "ops/ItemRename.h"
#include "suite/TemplateFileInfo.h"
#include "tools/screenshots/DirectoryEditorShots.h"
#include "ui/dialogs/DataWindow.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/mainwindow/CategoryBar.h"
#include "ui/mainwindow/CategoryListModel.h"
#include "ui/mainwindow/ItemFilterBox.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/StatusNoticePanel.h"
#include "ui/mainwindow/frmHVSetup.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <memory>
#include <vector>

namespace hv {

namespace {

// Time for the folder tree (listed in the background) and the views to settle.
constexpr int kSettleMs = 400;
constexpr int kReadyMs = 10000;

struct Step {
    QString file;
    std::function<void()> prepare;
    std::function<bool()> ready; // when set, the picture waits for it (at most kReadyMs)
};

class Tour {
public:
    Tour(frmHVSetup &window, const QString &folder) : m_window(&window), m_folder(folder) {}

    void add(const QString &file, std::function<void()> prepare, std::function<bool()> ready = {})
    {
        m_steps.push_back({file, std::move(prepare), std::move(ready)});
    }

    // Runs step `index`, then the next one after the views have settled.
    static void run(const std::shared_ptr<Tour> &tour, size_t index)
    {
        if (!tour->m_window)
            return;
        if (index >= tour->m_steps.size()) {
            // Last, the directory editor on the demo project; then the end.
            QPointer<frmHVSetup> window = tour->m_window;
            ShootDirectoryEditor(*window, AppState::instance().ProjectFolder(), tour->m_folder,
                                 [window] {
                                     if (window)
                                         window->close();
                                 });
            return;
        }
        tour->m_steps[index].prepare();
        shootWhenReady(tour, index, 0);
    }

private:
    // Takes step `index`'s picture once the views have settled and the step is ready (work
    // done by a job, such as a delete, takes its own time), then runs the next step.
    static void shootWhenReady(const std::shared_ptr<Tour> &tour, size_t index, int waitedMs)
    {
        QTimer::singleShot(kSettleMs, [tour, index, waitedMs] {
            if (!tour->m_window)
                return;
            const Step &step = tour->m_steps[index];
            if (step.ready && !step.ready() && waitedMs < kReadyMs) {
                shootWhenReady(tour, index, waitedMs + kSettleMs);
                return;
            }
            const QString path = tour->m_folder + u'/' + tour->m_steps[index].file;
            // A step without a file took its own picture.
            if (!tour->m_steps[index].file.isEmpty() && !tour->m_window->grab().save(path))
                qWarning("cannot write %s", qPrintable(path));
            run(tour, index + 1);
        });
    }

    QPointer<frmHVSetup> m_window;
    QString m_folder;
    std::vector<Step> m_steps;
};

} // namespace

void StartScreenshotTour(frmHVSetup &window, const QString &folder)
{
    QDir().mkpath(folder);
    auto tour = std::make_shared<Tour>(window, folder);
    frmHVSetup *w = &window;
    const char *categoryFiles[] = {"details-applications.png", "details-popups.png",
                                   "details-rules.png",        "details-units.png",
                                   "details-security.png",     "details-directories.png"};
    for (int row = 0; row < 6; ++row) {
        tour->add(QString::fromLatin1(categoryFiles[row]), [w, row] {
            w->actions()->viewModeAction(ViewDetails)->trigger();
            w->grdOUtlookBar()->setCurrentCell(row, 1);
        });
    }
    const char *modeFiles[] = {"large-icons.png", "small-icons.png", "list.png"};
    for (int mode = 0; mode < 3; ++mode) {
        tour->add(QString::fromLatin1(modeFiles[mode]), [w, mode] {
            w->grdOUtlookBar()->setCurrentCell(0, 1);
            w->actions()->viewModeAction(mode)->trigger();
        });
    }
    // The applications sorted by their records, most first, and narrowed by the filter box.
    tour->add(QStringLiteral("sorted-list.png"), [w] {
        // Each fill shows the order stored for the category: this one comes after the fill.
        QObject::connect(
            w, &frmHVSetup::listFilled, w,
            [w] {
                w->lstHVSETUP()->detailsView()->header()->setSortIndicator(2, Qt::DescendingOrder);
            },
            Qt::SingleShotConnection);
        w->actions()->viewModeAction(ViewDetails)->trigger();
    });
    tour->add(QStringLiteral("filter.png"), [w] {
        w->lstHVSETUP()->detailsView()->header()->setSortIndicator(-1, Qt::AscendingOrder);
        w->txtFind()->setFocus();
        w->txtFind()->setText(QStringLiteral("in"));
    });
    // Back to details, so the stored view mode is the usual one.
    tour->add(QStringLiteral("main-window.png"), [w] {
        w->txtFind()->clear();
        w->actions()->viewModeAction(ViewDetails)->trigger();
    });
    // The data window on the forklift checks (two of them deleted): as it opens, with the
    // deleted records shown, and narrowed by its filter.
    tour->add(QString(), [w] {
        w->lstHVSETUP()->selectRow(
            w->lstHVSETUP()->model()->rowOfKey(QStringLiteral("FORKLIFT.HVT")));
        if (auto *view = w->findChild<QAction *>(QStringLiteral("mnuViewData")))
            view->trigger();
    });
    const auto shootData = [w, folder](const char *file, std::function<void(DataWindow &)> next) {
        return [w, folder, file, next] {
            auto *data = w->findChild<DataWindow *>();
            if (!data)
                return;
            data->grab().save(folder + u'/' + QLatin1String(file));
            next(*data);
        };
    };
    tour->add(QString(), shootData("data-window.png", [](DataWindow &data) {
                  data.deletedToggle()->setChecked(true);
              }));
    tour->add(QString(), shootData("data-window-deleted.png", [](DataWindow &data) {
                  data.filterBox()->setText(QStringLiteral("novak"));
              }));
    tour->add(QString(),
              shootData("data-window-filtered.png", [](DataWindow &data) { data.close(); }));
    // Undo: a rename (through the operations, as hvadmin-cli would) and a delete through the
    // window, whose notice the status bar shows with its Undo link; then the History window.
    tour->add(
        QStringLiteral("undo-notice.png"),
        [w] {
            const QString project = AppState::instance().ProjectFolder();
            TemplateFileInfo info(project);
            RenameItem(project, QStringLiteral("LINE4.HVT"), QStringLiteral("LINE5"), info);
            w->lstHVSETUP()->selectRow(
                w->lstHVSETUP()->model()->rowOfKey(QStringLiteral("FORKLIFT.HVT")));
            // The confirmation window is answered Yes once it is up.
            QTimer::singleShot(kSettleMs, w, [] {
                if (auto *warning = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                    warning->accept();
            });
            if (auto *remove = w->findChild<QAction *>(QStringLiteral("mnuDeleteAll")))
                remove->trigger();
        },
        [w] { return !w->countPanel()->notice().isEmpty(); });
    tour->add(QString(), [w, folder] {
        QTimer::singleShot(kSettleMs, w, [folder] {
            if (auto *history = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                history->grab().save(folder + QStringLiteral("/history.png"));
                history->reject();
            }
        });
        w->actions()->mnuHistory()->trigger();
    });
    QTimer::singleShot(kSettleMs, w, [tour, w, folder] {
        // The About window, shown beside the tour (modeless, so the tour goes on).
        auto *about = new frmAbout(w);
        about->setAttribute(Qt::WA_DeleteOnClose);
        about->setModal(false);
        about->show();
        QTimer::singleShot(kSettleMs, about, [about, folder] {
            about->grab().save(folder + QStringLiteral("/about.png"));
            about->close();
        });
        QTimer::singleShot(2 * kSettleMs, w, [tour] { Tour::run(tour, 0); });
    });
}

} // namespace hv
