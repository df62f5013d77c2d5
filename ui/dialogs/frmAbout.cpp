#include "ui/dialogs/frmAbout.h"

#include "ui/dialogs/AboutBanner.h"
#include "ui/support/ProgramInfo.h"
#include "ui/support/Twips.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace hv {

namespace {

// The labels' distance from the window's left and right edges, in twips.
constexpr int kLabelMarginTwips = 240;
// The vertical gap between stacked controls, in twips.
constexpr int kStackGapTwips = 100;
// The gap below the OK button, in twips.
constexpr int kButtonBottomTwips = 50;
// The separator lines start this far from the left edge, in twips.
constexpr int kLineLeftTwips = 100;

QString linkHtml(const QString &href, const QString &text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(href.toHtmlEscaped(), text.toHtmlEscaped());
}

QLabel *makeLinkLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setOpenExternalLinks(false);
    label->setCursor(Qt::PointingHandCursor);
    QObject::connect(label, &QLabel::linkActivated, label,
                     [](const QString &href) { QDesktopServices::openUrl(QUrl(href)); });
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent), m_image(new QLabel(this)), m_appTitle(new QLabel(this)),
      m_version(new QLabel(this)), m_companyInfo(new QLabel(this)), m_website(makeLinkLabel(this)),
      m_email(makeLinkLabel(this)), m_line1(new QFrame(this)), m_line2(new QFrame(this)),
      m_ok(new QPushButton(tr("&OK"), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About"));
    setModal(true);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_appTitle->setObjectName(QStringLiteral("lblAppTitle"));
    m_version->setObjectName(QStringLiteral("lblVersion"));
    m_companyInfo->setObjectName(QStringLiteral("lblCompanyInfo"));
    m_website->setObjectName(QStringLiteral("lblWebsite"));
    m_email->setObjectName(QStringLiteral("lblEmail"));
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line2->setObjectName(QStringLiteral("Line2"));
    m_ok->setObjectName(QStringLiteral("cmdOk"));
    m_image->setAccessibleName(QString::fromLatin1(kProgramTitle));

    QFont bold = m_appTitle->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    m_appTitle->setFont(bold);
    m_companyInfo->setWordWrap(true);
    for (QFrame *line : {m_line1, m_line2}) {
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
    }
    // An etched separator: a dark line over a light one.
    m_line1->setStyleSheet(QStringLiteral("color: palette(mid);"));
    m_line2->setStyleSheet(QStringLiteral("color: palette(light);"));

    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    Form_Load();
}

void frmAbout::Form_Load()
{
    m_appTitle->setText(QString::fromLatin1(kProgramTitle));
    m_version->setText(aboutVersionText());
    // The contact block is kept with CR LF line ends; a label breaks lines at LF.
    m_companyInfo->setText(
        makerContactLines().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    const QString website = QString::fromLatin1(kMakerWebSite);
    m_website->setText(linkHtml(website, website));
    m_email->setText(linkHtml(supportMailUrl().toString(QUrl::FullyEncoded),
                              QString::fromLatin1(kMakerSupportEmail)));
    m_website->setToolTip(website);
    m_email->setToolTip(QString::fromLatin1(kMakerSupportEmail));
    updateBanner();

    // The window is as wide as the banner and tall enough for the stacked labels, the
    // separator and the OK button.
    m_ok->adjustSize();
    const int height = stackedLabelsBottom() + twips::toPixelsY(3 * kStackGapTwips, this) +
                       m_ok->height() + twips::toPixelsY(kButtonBottomTwips, this);
    setFixedSize(kAboutBannerWidth, height);
    Form_Resize();
}

void frmAbout::updateBanner()
{
    m_image->setPixmap(MakeAboutBanner(devicePixelRatioF()));
}

int frmAbout::stackedLabelsBottom() const
{
    const int gap = twips::toPixelsY(kStackGapTwips, this);
    const int left = twips::toPixelsX(kLabelMarginTwips, this);
    const int width = kAboutBannerWidth - 2 * left;
    int bottom = kAboutBannerHeight;
    for (QLabel *label : {m_appTitle, m_version, m_companyInfo, m_website, m_email}) {
        const int labelHeight =
            label->wordWrap() ? label->heightForWidth(width) : label->sizeHint().height();
        bottom += gap + labelHeight;
    }
    return bottom;
}

void frmAbout::Form_Resize()
{
    // 1. The picture at the top-left corner; the window is as wide as the picture.
    m_image->setGeometry(0, 0, kAboutBannerWidth, kAboutBannerHeight);

    // 2. Each label below the one before it, 100 twips apart; the title 100 below the picture.
    const int gap = twips::toPixelsY(kStackGapTwips, this);
    const int left = twips::toPixelsX(kLabelMarginTwips, this);
    const int labelWidth = width() - 2 * left;
    int top = m_image->y() + m_image->height();
    for (QLabel *label : {m_appTitle, m_version, m_companyInfo, m_website, m_email}) {
        const int labelHeight =
            label->wordWrap() ? label->heightForWidth(labelWidth) : label->sizeHint().height();
        label->setGeometry(left, top + gap, labelWidth, labelHeight);
        top = label->y() + label->height();
    }

    // 3. The OK button near the bottom, at the right.
    const QSize okSize = m_ok->sizeHint().expandedTo(QSize(twips::toPixelsX(1200, this), 0));
    const int okTop = height() - (okSize.height() + twips::toPixelsY(kButtonBottomTwips, this));
    m_ok->setGeometry(width() - left - okSize.width(), okTop, okSize.width(), okSize.height());

    // 4. The separator lines from x = 100 twips, just above the button.
    const int lineLeft = twips::toPixelsX(kLineLeftTwips, this);
    const int lineTop = okTop - gap - 2;
    m_line1->setGeometry(lineLeft, lineTop, width() - 2 * lineLeft, 1);
    m_line2->setGeometry(lineLeft, lineTop + 1, width() - 2 * lineLeft, 1);
}

void frmAbout::centreOnScreen()
{
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize frame = frameGeometry().size();
    const int left = (area.width() - frame.width()) / 2;
    const int top = (area.height() - frame.height()) / 2;
    move(area.x() + left, area.y() + top);
}

void frmAbout::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    updateBanner();
    centreOnScreen();
}

void frmAbout::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::StyleChange)
        updateBanner();
}

} // namespace hv
