#include "TFrmAbout.h"

#include "AboutTexts.h"
#include "FormLook.h"
#include "TTolkar2000Walk.h"
#include "TUrlLab.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>

namespace {

constexpr QSize ClientSize(543, 332);
constexpr int FontHeight = 13;
constexpr int NameFontHeight = 30;
constexpr QSize GlyphSize(16, 16);
const QColor clMaroon(0x80, 0, 0);

QFont ArialFont(int PixelSize)
{
    QFont Font;
    static const QStringList Families = FormLook::InstalledFamilies({ "Arial", "Liberation Sans", "Arimo" });
    Font.setFamilies(Families);
    Font.setStyleHint(QFont::SansSerif);
    Font.setPixelSize(PixelSize);
    return Font;
}

TFont LinkFont(const QColor& Color, bool Underline)
{
    QFont Font;
    static const QStringList Families
        = FormLook::InstalledFamilies({ "Courier New", "Liberation Mono", "Cousine" });
    Font.setFamilies(Families);
    Font.setStyleHint(QFont::TypeWriter);
    Font.setPixelSize(FontHeight);
    Font.setBold(true);
    Font.setUnderline(Underline);
    return { Font, Color };
}

void SetColorRole(QWidget* Control, QPalette::ColorRole Role, const QColor& Color)
{
    QPalette Palette = Control->palette();
    Palette.setColor(Role, Color);
    Control->setPalette(Palette);
}

// A panel with a lowered outer and a raised inner bevel: an etched frame.
QFrame* CreatePanel(QWidget* Parent, const char* Name, const QRect& Bounds)
{
    auto* Panel = new QFrame(Parent);
    Panel->setObjectName(Name);
    Panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel->setLineWidth(1);
    Panel->setGeometry(Bounds);
    return Panel;
}

QLabel* CreateLabel(QWidget* Parent, const char* Name, const QString& Caption, const QRect& Bounds,
    Qt::Alignment Alignment = Qt::AlignHCenter)
{
    auto* Label = new QLabel(Caption, Parent);
    Label->setObjectName(Name);
    Label->setTextFormat(Qt::PlainText);
    Label->setAlignment(Alignment | Qt::AlignTop);
    Label->setGeometry(Bounds);
    return Label;
}

}

TFrmAbout::TFrmAbout(QWidget* Parent)
    : QDialog(Parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint)
{
    LoadLayout();
}

void TFrmAbout::LoadLayout()
{
    setWindowTitle("TK_About");
    setFixedSize(ClientSize);
    setFont(ArialFont(FontHeight));
    SetColorRole(this, QPalette::Window, FormLook::clBtnFace());
    SetColorRole(this, QPalette::WindowText, Qt::black);
    setAutoFillBackground(true);
    if (const QScreen* Screen = screen())
        move(Screen->availableGeometry().center() - rect().center());

    Panel1 = CreatePanel(this, "Panel1", QRect(8, 10, 529, 127));
    Panel1->setAccessibleName("TK_Program");
    LblName = CreateLabel(Panel1, "LblName", "App. name", QRect(8, 12, 513, 34));
    QFont NameFont = ArialFont(NameFontHeight);
    NameFont.setBold(true);
    NameFont.setItalic(true);
    LblName->setFont(NameFont);
    SetColorRole(LblName, QPalette::WindowText, clMaroon);
    LblVersion = CreateLabel(Panel1, "LblVersion", "App. version", QRect(8, 50, 513, 16));
    LblCopyright = CreateLabel(
        Panel1, "LblCopyright", "TK_Copyright 2026 the Fokalis project", QRect(8, 100, 513, 16));

    Panel2 = CreatePanel(this, "Panel2", QRect(8, 224, 529, 65));
    Panel2->setAccessibleName("TK_Links");
    LblWebSite = CreateLabel(Panel2, "LblWebSite", "LblWebSite", QRect(8, 8, 135, 49), Qt::AlignRight);
    LblWebSite->setWordWrap(true);

    BButOK = new QPushButton("TK_OK", this);
    BButOK->setObjectName("BButOK");
    BButOK->setIconSize(GlyphSize);
    BButOK->setGeometry(424, 296, 113, 33);
    connect(BButOK, &QPushButton::clicked, this, &TFrmAbout::BButOKClick);

    LblDescription = CreateLabel(this, "LblDescription", "LblDescription", QRect(8, 152, 529, 65));
    LblDescription->setWordWrap(true);
    LblDescription->setAutoFillBackground(true);
    SetColorRole(LblDescription, QPalette::WindowText, clMaroon);
    LblAuthor = CreateLabel(Panel1, "LblAuthor", QString(), QRect(8, 74, 513, 16));

    UrlLabVexaSuite = CreateLink("UrlLabVexaSuite", "TK_Qt application toolkit", "https://www.qt.io/", 8);
    UrlLabHomepage = CreateLink("UrlLabHomepage", "TK_HomePage", QString(), 40);
    UrlLabHomepage->hide();
    UrlLabSimulations = CreateLink("UrlLabSimulations", "TK_Qt documentation", "https://doc.qt.io/", 24);

    // Tab follows the links from the top, then OK.
    setTabOrder(UrlLabVexaSuite, UrlLabSimulations);
    setTabOrder(UrlLabSimulations, UrlLabHomepage);
    setTabOrder(UrlLabHomepage, BButOK);
    // OK first, so that Enter closes the box as before; Tab reaches the links.
    BButOK->setFocus(Qt::OtherFocusReason);
}

TUrlLab* TFrmAbout::CreateLink(const char* Name, const QString& Caption, const QString& Url, int Top)
{
    auto* Link = new TUrlLab(Panel2);
    Link->setObjectName(Name);
    Link->SetAutoSize(false);
    Link->setGeometry(152, Top, 369, 16);
    Link->SetFont(LinkFont(Qt::blue, false));
    Link->SetFontActive(LinkFont(Qt::red, true));
    Link->SetCaption(Caption);
    Link->SetURL(Url);
    // The home page's address comes from the dictionary, which must not start programs.
    Link->SetWebOnly(true);
    Link->Loaded();
    return Link;
}

void TFrmAbout::FillAndTranslate(TTolkar2000Walk& Translator)
{
    LblName->setText("Fokalis");
    LblVersion->setText("Version 1.2");
    UrlLabHomepage->SetURL(QString::fromLocal8Bit(Translator.Translate("HomePageURL")));
    const TAboutTexts Texts = AboutTexts(Translator.Translate("$dlglanguage$"));
    Translator.TranslateComponent(this);
    LblWebSite->setText(Texts.WebSite);
    LblDescription->setText(Texts.Description);
}

void TFrmAbout::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    if (Event->spontaneous())
        return;
    // The style's glyph is looked up in the icon theme, which loads image plugins: work
    // that the program's first frame need not wait for. The box is not yet on screen here.
    if (BButOK->icon().isNull())
        BButOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    FormShow();
}

void TFrmAbout::FormShow()
{
    const QString Caption = UrlLabHomepage->Caption();
    if (Caption == "HomePage" || Caption.isEmpty()) {
        UrlLabHomepage->hide();
        UrlLabVexaSuite->move(UrlLabVexaSuite->x(), 16);
        UrlLabSimulations->move(UrlLabSimulations->x(), 32);
    } else {
        UrlLabHomepage->show();
    }
}

void TFrmAbout::BButOKClick()
{
    accept();
}
