#include "ui/support/ProgramInfo.h"

#include <QCoreApplication>
#include <QUrlQuery>

namespace hv {

QString statusBarVersionText()
{
    return QStringLiteral("V%1.%2.%3")
        .arg(HV_VERSION_MAJOR)
        .arg(HV_VERSION_MINOR)
        .arg(HV_VERSION_PATCH);
}

QString aboutVersionText()
{
    return QCoreApplication::translate("hv::frmAbout", "%1.%2 Build %3")
        .arg(HV_VERSION_MAJOR)
        .arg(HV_VERSION_MINOR)
        .arg(HV_VERSION_PATCH);
}

QString makerContactLines()
{
    // The address is the maker's own; only the words before the numbers are translated.
    return QStringLiteral("Corvasse Software Ltd.\r\n"
                          "1200 Harbour Street, Suite 400\r\n"
                          "Portland, ME 04101\r\n") +
           QCoreApplication::translate("hv::frmAbout", "Telephone: %1")
               .arg(QStringLiteral("(207) 555-0142")) +
           QStringLiteral("\r\n") +
           QCoreApplication::translate("hv::frmAbout", "Fax: %1")
               .arg(QStringLiteral("(207) 555-0143"));
}

QUrl makerPageUrl(MakerPage page)
{
    const QString base = QString::fromLatin1(kMakerWebSite);
    switch (page) {
    case MakerPage::Products:
        return QUrl(base + QStringLiteral("/software/"));
    case MakerPage::Training:
        return QUrl(base + QStringLiteral("/training/"));
    case MakerPage::Tips:
        return QUrl(base + QStringLiteral("/tips/"));
    case MakerPage::Home:
        break;
    }
    return QUrl(base + QStringLiteral("/"));
}

QUrl supportMailUrl()
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(QString::fromLatin1(kMakerSupportEmail));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("Subject"), QString::fromLatin1(kProgramTitle));
    query.addQueryItem(QStringLiteral("Body"), QString());
    url.setQuery(query);
    return url;
}

} // namespace hv
