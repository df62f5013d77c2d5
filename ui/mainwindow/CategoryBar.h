// The category bar (grdOUtlookBar): a two-column grid with one row per category. Column 0
// is a narrow empty margin, column 1 carries the category's picture and name. The current
// cell always lies in column 1; the current row is the category the item list shows.
#pragma once

#include "lists/ListRows.h"

#include <QColor>
#include <QTableWidget>

namespace hv {

class CategoryBar : public QTableWidget {
    Q_OBJECT
public:
    // The bar's background, behind the rows and the empty area below them.
    static QColor barColour() { return QColor(0, 168, 168); }
    // The colour of the names on the bar.
    static QColor textColour() { return QColor(0, 0, 0); }

    explicit CategoryBar(QWidget *parent = nullptr);

    // Empties and refills the bar: six rows, colours, column widths, its first placement
    // (a third of `windowWidth` wide) and height (10.5 rows); row 0, column 1 becomes current.
    void LoadGrid(int windowWidth);

    // While loading, a change of the current cell neither refills the list nor resets the
    // highlight colour.
    void setLoading(bool loading) { m_loading = loading; }

    // The category of the current row (Applications when there is none).
    Category currentCategory() const;
    static Category categoryOfRow(int row);
    static QString categoryName(Category category);

    // The categories' pictures, in blank until this looks them up in the icon themes.
    void lookUpIcons();

    // The bar's height of 10.5 rows.
    int naturalHeight() const;

    // The colour that marks the current row.
    QColor highlightColour() const;

Q_SIGNALS:
    // The current row's category is to be shown (never raised while loading).
    void categorySelected(hv::Category category);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The bar's colours, and the current row's from the desktop's palette.
    void applyColours();
    void onCurrentCellChanged(int row, int column, int previousRow, int previousColumn);
    void setHighlightColour(const QColor &colour);

    bool m_loading = false;
    bool m_iconsLookedUp = false;
};

} // namespace hv
