#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class TTolkar2000Walk;
class TUrlLab;

// The About box: title, version and legal notice, a description, and up to three links
// (the toolkit's page, its documentation, the program's home page). A fixed-size dialog;
// sizes are pixels, not scaled. The home-page link shows only when the translation gave
// it a caption; the two others then move down to the middle of their panel.
class TFrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TFrmAbout(QWidget* Parent = nullptr);

    // Fills the box before its first showing: title "Fokalis", version, the home page's
    // address from the key "HomePageURL", the translation of the box with its controls,
    // and then the link heading and the description, in German when the key
    // "$dlglanguage$" gives "lggerman" in any letter case, else in English. Showing the
    // box again does not fill it again.
    void FillAndTranslate(TTolkar2000Walk& Translator);

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void LoadLayout();
    TUrlLab* CreateLink(const char* Name, const QString& Caption, const QString& Url, int Top);

    void FormShow();
    void BButOKClick();

    QFrame* Panel1 = nullptr;
    QLabel* LblName = nullptr;
    QLabel* LblVersion = nullptr;
    QLabel* LblCopyright = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* LblWebSite = nullptr;
    QPushButton* BButOK = nullptr;
    QLabel* LblDescription = nullptr;
    QLabel* LblAuthor = nullptr;
    TUrlLab* UrlLabVexaSuite = nullptr;
    TUrlLab* UrlLabHomepage = nullptr;
    TUrlLab* UrlLabSimulations = nullptr;
};
