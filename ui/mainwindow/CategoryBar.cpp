#include "ui/mainwindow/CategoryBar.h"

#include "ui/support/Icons.h"
#include "ui/support/Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>

#include <array>

namespace hv {

namespace {

constexpr std::array<Category, 6> kRows = {Category::Applications, Category::Popups,
                                           Category::Rules,        Category::Units,
                                           Category::Security,     Category::Directories};

// Placement of the bar when it is filled, in twips; the window's layout replaces it.
constexpr int kLeftTwips = 100;
constexpr int kTopTwips = 250;
constexpr int kMarginColumnTwips = 200;

} // namespace

CategoryBar::CategoryBar(QWidget *parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("grdOUtlookBar"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setShowGrid(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setIconSize(QSize(24, 24));
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setMinimumSectionSize(0);
    // Rows tall enough for a picture and a line of text.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(qMax(fontMetrics().height(), iconSize().height()) + 12);

    applyColours();
    setAutoFillBackground(true);

    connect(this, &QTableWidget::currentCellChanged, this, &CategoryBar::onCurrentCellChanged);
}

void CategoryBar::applyColours()
{
    // The names are black on the teal in every palette (7:1); the current row, shown in the
    // desktop's window colour, takes the desktop's text colour for windows with it.
    const QPalette desktop = QApplication::palette();
    QPalette pal = palette();
    pal.setColor(QPalette::Base, barColour());
    pal.setColor(QPalette::Window, barColour());
    pal.setColor(QPalette::Text, textColour());
    pal.setColor(QPalette::HighlightedText, desktop.color(QPalette::WindowText));
    const bool current = highlightColour() != barColour();
    setPalette(pal);
    if (current)
        setHighlightColour(desktop.color(QPalette::Window));
}

void CategoryBar::changeEvent(QEvent *event)
{
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange)
        applyColours();
}

void CategoryBar::LoadGrid(int windowWidth)
{
    const bool signalsWereBlocked = blockSignals(true);
    clear();
    setColumnCount(2);
    setRowCount(0);
    blockSignals(signalsWereBlocked);

    setGeometry(twips::toPixelsX(kLeftTwips, this), twips::toPixelsY(kTopTwips, this),
                windowWidth / 3, height());
    setRowCount(int(kRows.size()));
    for (int row = 0; row < int(kRows.size()); ++row) {
        auto *margin = new QTableWidgetItem();
        margin->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row, 0, margin);
        auto *name = new QTableWidgetItem(m_iconsLookedUp ? icons::category(kRows[size_t(row)])
                                                          : icons::blank(),
                                          categoryName(kRows[size_t(row)]));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row, 1, name);
    }
    resize(width(), naturalHeight());
    setColumnWidth(0, twips::toPixelsX(kMarginColumnTwips, this));
    setCurrentCell(0, 1);
}

void CategoryBar::lookUpIcons()
{
    m_iconsLookedUp = true;
    for (int row = 0; row < rowCount() && row < int(kRows.size()); ++row) {
        if (QTableWidgetItem *name = item(row, 1))
            name->setIcon(icons::category(kRows[size_t(row)]));
    }
}

int CategoryBar::naturalHeight() const
{
    return int(10.5 * verticalHeader()->defaultSectionSize());
}

Category CategoryBar::categoryOfRow(int row)
{
    if (row < 0 || row >= int(kRows.size()))
        return Category::Applications;
    return kRows[size_t(row)];
}

Category CategoryBar::currentCategory() const
{
    return categoryOfRow(currentRow());
}

QString CategoryBar::categoryName(Category category)
{
    switch (category) {
    case Category::Applications:
        return tr("Applications");
    case Category::Popups:
        return tr("Popups");
    case Category::Rules:
        return tr("Rules");
    case Category::Units:
        return tr("Units of Measure");
    case Category::Security:
        return tr("Security");
    case Category::Directories:
        return tr("Directory Files");
    }
    return {};
}

QColor CategoryBar::highlightColour() const
{
    return palette().color(QPalette::Active, QPalette::Highlight);
}

void CategoryBar::setHighlightColour(const QColor &colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::Highlight, colour);
    pal.setColor(QPalette::Inactive, QPalette::Highlight, colour);
    setPalette(pal);
}

void CategoryBar::mousePressEvent(QMouseEvent *event)
{
    // A press on the empty margin column makes that row's margin cell current, which moves
    // on to the name cell at once; the view's own handling would leave the margin selected.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() == 0 && event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        setCurrentCell(index.row(), 0);
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void CategoryBar::onCurrentCellChanged(int row, int column, int previousRow, int previousColumn)
{
    // The cell that loses the selection takes the bar's colour back, so that no highlight
    // shows where the current cell was.
    if (!m_loading && previousRow >= 0 && previousColumn >= 0)
        setHighlightColour(barColour());
    if (row < 0)
        return;
    // The margin column never stays current: move to the name of the same row (this
    // raises the change once more, for column 1).
    if (column == 0) {
        setCurrentCell(row, 1);
        return;
    }
    setHighlightColour(QApplication::palette().color(QPalette::Window));
    if (!m_loading)
        Q_EMIT categorySelected(categoryOfRow(row));
}

} // namespace hv
