#include "ui/support/HelpOpener.h"

#include "app/Jobs.h"
#include "app/MessageService.h"
#include "app/PathHelpers.h"
#include "platform/FileNames.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QWidget>

namespace hv {

namespace {

constexpr int kQueryTimeoutMs = 5000;

// What the check of the help found.
struct HelpFound {
    bool helpFile = false;
    QString manualHandler; // the desktop's program for man: addresses
    QString readme;
};

} // namespace

QString HelpOpener::queryXdgMime(const QString &scheme)
{
    QProcess process;
    process.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                               QStringLiteral("x-scheme-handler/") + scheme});
    if (!process.waitForFinished(kQueryTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

HelpOpener::HelpOpener(QWidget *owner, SchemeHandlerQuery query)
    : QObject(owner), m_owner(owner), m_query(std::move(query))
{
    setObjectName(QStringLiteral("helpOpener"));
}

QUrl HelpOpener::manualUrl()
{
    return QUrl(QStringLiteral("man:HVAdmin(1)"));
}

QString HelpOpener::readmePath(const QString &programFolder)
{
    // Installed: <prefix>/bin/HVAdmin and <prefix>/share/doc/hvadmin/; built: <source>/build/ui.
    const QString candidates[] = {
        programFolder + QStringLiteral("/../share/doc/hvadmin/README.md.gz"),
        programFolder + QStringLiteral("/../../README.md"),
    };
    for (const QString &candidate : candidates) {
        if (paths::isRegularFile(candidate))
            return QDir::cleanPath(candidate);
    }
    return {};
}

QString HelpOpener::fallbackText(const QString &helpFile, const QString &readme)
{
    QString text = tr("The help file %1 is not there, and the desktop has no program that opens "
                      "manual pages.\n\nThe console's manual is read in a terminal with:\n\n"
                      "    man HVAdmin")
                       .arg(paths::displayName(helpFile));
    if (!readme.isEmpty())
        text += tr("\n\nIts README is %1.").arg(paths::displayName(readme));
    return text;
}

void HelpOpener::open(const QString &suiteFolder)
{
    const QString helpFile = suiteFolder + QStringLiteral("HVAdmin.chm");
    const QString programFolder = ProgramFolder();
    const SchemeHandlerQuery query = m_query;
    auto *job = startJob<HelpFound>(suiteFolder, [=](JobControl &) {
        HelpFound found;
        found.helpFile = paths::isRegularFile(helpFile);
        if (!found.helpFile) {
            found.manualHandler = query(manualUrl().scheme());
            found.readme = readmePath(programFolder);
        }
        return found;
    });
    connect(job, &Job::finished, this, [this, job, helpFile] {
        const HelpFound &found = job->result();
        if (found.helpFile) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile));
        } else if (found.manualHandler.isEmpty() || !QDesktopServices::openUrl(manualUrl())) {
            ShowMessage(fallbackText(helpFile, found.readme), tr("Help"), MsgButtons::Ok,
                        MsgIcon::Information);
        }
        Q_EMIT answered();
    });
}

} // namespace hv
