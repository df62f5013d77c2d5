#include "ui/support/Icons.h"

#include "ui/support/ProgramInfo.h"

#include <QApplication>
#include <QDir>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QStandardPaths>
#include <QStyle>

#include <memory>
#include <optional>
#include <utility>

namespace hv::icons {

namespace {

// Without a desktop session (a bare X server, the offscreen platform) Qt knows no icon
// theme; Adwaita, when it is installed, then serves as the fallback theme.
void ensureFallbackTheme()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Without a desktop theme Qt looks in no theme at all; the icon theme standard's default
    // theme, which every theme inherits, is where the search starts then.
    if (QIcon::themeName().isEmpty())
        QIcon::setThemeName(QStringLiteral("hicolor"));
    if (QIcon::hasThemeIcon(QStringLiteral("folder")))
        return;
    // Some platforms (offscreen) search no system folder for themes.
    QStringList searchPaths = QIcon::themeSearchPaths();
    for (const QString &data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString icons = data + QStringLiteral("/icons");
        if (!searchPaths.contains(icons) && QDir(icons).exists())
            searchPaths.append(icons);
    }
    QIcon::setThemeSearchPaths(searchPaths);
    for (const QString &root : searchPaths) {
        if (QDir(root + QStringLiteral("/Adwaita")).exists()) {
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
            return;
        }
    }
}

// A symbolic theme icon (one colour, drawn in a dark grey for light backgrounds) painted in
// the palette's text colour, so it shows on a dark palette as on a light one. The colour is
// taken when the picture is drawn: a palette changed while the program runs is followed.
class PaletteTintEngine : public QIconEngine {
public:
    explicit PaletteTintEngine(QIcon source) : m_source(std::move(source)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = tinted(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, picture);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return tinted(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        QPixmap picture = tinted(size, mode, state);
        picture.setDevicePixelRatio(scale);
        return picture;
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_source.actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return m_source.availableSizes(mode, state);
    }
    QString iconName() override { return m_source.name(); }
    QString key() const override { return QStringLiteral("hvPaletteTint"); }
    QIconEngine *clone() const override { return new PaletteTintEngine(m_source); }

private:
    // The source drawn at `size` device pixels, every pixel in the text colour at its own
    // opacity.
    QPixmap tinted(const QSize &size, QIcon::Mode mode, QIcon::State state) const
    {
        QPixmap picture = m_source.pixmap(size, 1.0, mode, state);
        if (picture.isNull())
            return picture;
        const QPalette palette = QGuiApplication::palette();
        const QColor colour = palette.color(
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active, QPalette::ButtonText);
        QPainter painter(&picture);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(picture.rect(), colour);
        return picture;
    }

    QIcon m_source;
};

// The engine of deferred(): the icon is made on first use and shared by the copies.
class DeferredEngine : public QIconEngine {
public:
    struct Made {
        std::function<QIcon()> make;
        std::optional<QIcon> icon;
    };
    explicit DeferredEngine(std::shared_ptr<Made> made) : m_made(std::move(made)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return m_made->icon ? m_made->icon->isNull() : false; }
    QString iconName() override { return icon().name(); }
    QString key() const override { return QStringLiteral("hvDeferred"); }
    QIconEngine *clone() const override { return new DeferredEngine(m_made); }

private:
    const QIcon &icon()
    {
        if (!m_made->icon) {
            m_made->icon = m_made->make();
            m_made->make = nullptr;
        }
        return *m_made->icon;
    }

    std::shared_ptr<Made> m_made;
};

} // namespace

QIcon deferred(std::function<QIcon()> make)
{
    auto made = std::make_shared<DeferredEngine::Made>();
    made->make = std::move(make);
    return QIcon(new DeferredEngine(std::move(made)));
}

QIcon blank()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    return QIcon(picture);
}

QIcon themed(std::initializer_list<const char *> themeNames, int standardPixmap)
{
    ensureFallbackTheme();
    for (const char *themeName : themeNames) {
        const QString name = QString::fromLatin1(themeName);
        if (!QIcon::hasThemeIcon(name))
            continue;
        if (name.endsWith(QLatin1String("-symbolic")))
            return QIcon(new PaletteTintEngine(QIcon::fromTheme(name)));
        return QIcon::fromTheme(name);
    }
    return QApplication::style()->standardIcon(QStyle::StandardPixmap(standardPixmap));
}

QIcon program(const QString &programFolder)
{
    ensureFallbackTheme();
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("/../share/icons"));
    QStringList searchPaths = QIcon::themeSearchPaths();
    if (!searchPaths.contains(installed) && QDir(installed).exists()) {
        searchPaths.prepend(installed);
        QIcon::setThemeSearchPaths(searchPaths);
    }
    const QString name = QString::fromLatin1(kDesktopId);
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    return category(Category::Applications);
}

QIcon viewMode(int mode)
{
    switch (mode) {
    case 0:
        return themed({"view-list-icons", "view-grid-symbolic"}, QStyle::SP_FileDialogContentsView);
    case 1:
        return themed({"view-list-compact", "view-app-grid-symbolic"},
                      QStyle::SP_FileDialogInfoView);
    case 2:
        return themed({"view-list-text", "view-list-bullet-symbolic"},
                      QStyle::SP_FileDialogListView);
    default:
        return themed({"view-list-details", "view-list-symbolic"},
                      QStyle::SP_FileDialogDetailedView);
    }
}

QIcon category(Category category)
{
    switch (category) {
    case Category::Applications:
        return themed({"x-office-document"}, QStyle::SP_FileIcon);
    case Category::Popups:
        return themed({"x-office-address-book"}, QStyle::SP_FileDialogListView);
    case Category::Rules:
        return themed({"preferences-system"}, QStyle::SP_FileDialogInfoView);
    case Category::Units:
        return themed({"accessories-calculator"}, QStyle::SP_FileDialogDetailedView);
    case Category::Security:
        return themed({"security-high"}, QStyle::SP_MessageBoxWarning);
    case Category::Directories:
        return themed({"folder"}, QStyle::SP_DirIcon);
    }
    return {};
}

QIcon listRow(Category cat, int iconNumber)
{
    const bool settings =
        cat == Category::Rules || cat == Category::Units || cat == Category::Security;
    if (settings)
        return category(cat);
    if (iconNumber == kIconNew)
        return themed({"document-new"}, QStyle::SP_FileDialogNewFolder);
    return category(cat);
}

} // namespace hv::icons
