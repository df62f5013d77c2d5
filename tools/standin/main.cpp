// hv-standin: stands in for the suite's own programs (hvAppl.EXE, hvpopup.EXE, hvglobal.EXE,
// hv.exe, HVFilePack.exe), which lie outside the console. It is installed under those names
// in a suite folder of its own (build/demo-suite/ for the demo).
//
// Started, it appends one line to calls.log in its own folder: the name it was started
// under, a TAB, and its arguments joined by a space. Then it shows a small window saying
// which program it stands in for and with what arguments, until the user closes it. With
// HV_STANDIN_SECONDS set (a number, fractions allowed) it closes by itself after that many
// seconds; 0 closes it at once.
//
// The application program given a folder alone ("@" and a project folder, the console's
// create-new command line) creates a new template NEWn.HVT in that folder, so that the
// console's list shows it after its refill.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

// The folder and name the program was started under (argv[0], not the resolved link).
QFileInfo startedAs(const char *argv0)
{
    QFileInfo info(QFile::decodeName(argv0));
    if (!info.isAbsolute() || !info.exists())
        info = QFileInfo(QCoreApplication::applicationFilePath());
    return info;
}

bool appendCall(const QString &folder, const QString &name, const QStringList &arguments)
{
    QFile log(folder + QStringLiteral("/calls.log"));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray line = (name + u'\t' + arguments.join(u' ') + u'\n').toUtf8();
    return log.write(line) == line.size() && log.flush();
}

// For the application program's create-new command line: a new template in the folder.
QString createTemplate(const QString &name, const QStringList &arguments)
{
    if (name.compare(QLatin1String("hvAppl.EXE"), Qt::CaseInsensitive) != 0 &&
        name.compare(QLatin1String("hvappl"), Qt::CaseInsensitive) != 0)
        return {};
    if (arguments.size() != 1 || !arguments.first().startsWith(u'@'))
        return {};
    const QString folder = arguments.first().mid(1);
    if (!folder.endsWith(u'/') || !QFileInfo(folder).isDir())
        return {};
    const QDir dir(folder);
    const QStringList existing = dir.entryList(QDir::Files);
    for (int n = 1; n < 1000; ++n) {
        const QString file = QStringLiteral("NEW%1.HVT").arg(n);
        if (existing.contains(file, Qt::CaseInsensitive))
            continue;
        QFile out(dir.filePath(file));
        if (!out.open(QIODevice::NewOnly | QIODevice::WriteOnly))
            return {};
        out.write(QStringLiteral("[TEMPLATE]\r\nTitle=New Application %1\r\n").arg(n).toLatin1());
        out.close();
        return file;
    }
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QFileInfo self = startedAs(argv[0]);
    const QString name = self.fileName();
    const QStringList arguments = app.arguments().mid(1);
    if (!appendCall(self.absolutePath(), name, arguments))
        std::fprintf(stderr, "%s: cannot write calls.log\n", qPrintable(name));
    const QString created = createTemplate(name, arguments);

    QWidget window;
    window.setWindowTitle(QStringLiteral("%1 (stand-in)").arg(name));
    auto *layout = new QVBoxLayout(&window);
    QString text = QStringLiteral("<p>This program stands in for the suite program "
                                  "<b>%1</b>.</p><p>Arguments:</p>")
                       .arg(name.toHtmlEscaped());
    text += QStringLiteral("<p><tt>%1</tt></p>")
                .arg(arguments.isEmpty() ? QStringLiteral("(none)")
                                         : arguments.join(u' ').toHtmlEscaped());
    if (!created.isEmpty())
        text += QStringLiteral("<p>Created the new template <b>%1</b>.</p>")
                    .arg(created.toHtmlEscaped());
    text += QStringLiteral("<p>Close this window to return to the console.</p>");
    auto *label = new QLabel(text, &window);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QWidget::close);
    layout->addWidget(buttons);
    window.resize(460, window.sizeHint().height());

    bool ok = false;
    const double seconds = qEnvironmentVariable("HV_STANDIN_SECONDS").toDouble(&ok);
    if (ok && seconds >= 0)
        QTimer::singleShot(int(seconds * 1000), &app, &QCoreApplication::quit);
    window.show();
    return app.exec();
}
