#include "ui/support/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <vector>

namespace hv {

namespace {

const QString kCatalogueFolder = QStringLiteral(":/i18n");

// The installed translators, owned here so that a second call can take them out again.
std::vector<std::unique_ptr<QTranslator>> &installed()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

void install(std::unique_ptr<QTranslator> translator)
{
    QCoreApplication::installTranslator(translator.get());
    installed().push_back(std::move(translator));
}

} // namespace

void installTranslations(const QLocale &locale)
{
    for (const auto &translator : installed())
        QCoreApplication::removeTranslator(translator.get());
    installed().clear();

    // Translators installed later are asked first: the locale's catalogues go over the
    // English plural forms.
    auto english = std::make_unique<QTranslator>();
    if (english->load(QStringLiteral("hvadmin_en"), kCatalogueFolder))
        install(std::move(english));
    // The languages asked for are the locale's user-interface languages, which put the
    // desktop's list (LANGUAGE) first; the C locale asks for the English texts whatever that
    // list says, as for the desktop's other programs.
    if (locale.language() == QLocale::C)
        return;
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        install(std::move(qt));
    auto own = std::make_unique<QTranslator>();
    if (own->load(locale, QStringLiteral("hvadmin"), QStringLiteral("_"), kCatalogueFolder))
        install(std::move(own));
}

} // namespace hv
