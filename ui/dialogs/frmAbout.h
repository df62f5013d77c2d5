// The About window: the program's title and version and its maker's contact details over a
// banner picture, with links to the maker's web site and support mail. Shown modally from
// the Help menus and closed with OK.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace hv {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    QLabel *Image1() const { return m_image; }
    QLabel *lblAppTitle() const { return m_appTitle; }
    QLabel *lblVersion() const { return m_version; }
    QLabel *lblCompanyInfo() const { return m_companyInfo; }
    QLabel *lblWebsite() const { return m_website; }
    QLabel *lblEmail() const { return m_email; }
    QPushButton *cmdOk() const { return m_ok; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Form_Load();
    void Form_Resize();
    void updateBanner();
    void centreOnScreen();
    int stackedLabelsBottom() const;

    QLabel *m_image;
    QLabel *m_appTitle;
    QLabel *m_version;
    QLabel *m_companyInfo;
    QLabel *m_website;
    QLabel *m_email;
    QFrame *m_line1;
    QFrame *m_line2;
    QPushButton *m_ok;
};

} // namespace hv
