#include "TfrmExample.h"

#include "FormLook.h"
#include "LenseDescription.h"
#include "LenseStartValues.h"
#include "QtTranslations.h"
#include "TControlAlign.h"
#include "TFigureExport.h"
#include "TFigureMenu.h"
#include "TFrmAbout.h"
#include "TLenseGraph.h"
#include "TMainWindowAccessible.h"
#include "TMemo.h"
#include "TPanel.h"
#include "TRadioGroup.h"
#include "TShape.h"
#include "TTolkar2000Walk.h"
#include "TkdbDemonClient.h"
#include "WindowBoundary.h"
#include "WindowFront.h"

#include <QCheckBox>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

#include <functional>
#include <iterator>
#include <utility>

namespace {

constexpr QSize ClientSize(770, 567);
// Below this the legend would cover the command panel's check boxes, or the diagram
// would cut off the figure it starts with.
constexpr QSize MinimumClientSize(640, 510);
constexpr int FontHeight = 13;
constexpr int LegendTitleFontHeight = 14;
constexpr QSize GlyphSize(16, 16);

template <typename T> T* Create(QWidget* Parent, const char* Name)
{
    auto* Control = new T(Parent);
    Control->setObjectName(Name);
    return Control;
}

QPushButton* CreateButton(QWidget* Parent, const char* Name, const QString& Caption, const QIcon& Glyph)
{
    auto* Button = Create<QPushButton>(Parent, Name);
    Button->setText(Caption);
    Button->setIcon(Glyph);
    Button->setIconSize(GlyphSize);
    return Button;
}

// Translates a part built after the start with the component's engine; when the host's
// quit has ended the component, with an empty engine, so the part keeps its own texts.
void TranslateLate(TkdbDemonClient* Demon, const std::function<void(TTolkar2000Walk&)>& Translate)
{
    TTolkar2000Walk NoDictionary;
    Translate(Demon ? *Demon->Translator() : NoDictionary);
}

void SetColorRole(QWidget* Control, QPalette::ColorRole Role, const QColor& Color)
{
    QPalette Palette = Control->palette();
    Palette.setColor(Role, Color);
    Control->setPalette(Palette);
}

}

TfrmExample::TfrmExample(QWidget* Parent, bool HostMode)
    : QWidget(Parent)
    , FAlign(new TControlAlign(this))
{
    TMainWindowAccessible::Register();
    LoadLayout(HostMode);
    FormCreate();
    LoadValuesPanel();
    LoadKeyboard();
}

TfrmExample::~TfrmExample()
{
    // The component goes with the children, after this window's own part is gone.
    if (cliDemon)
        disconnect(cliDemon, nullptr, FLenseGraph, nullptr);
}

void TfrmExample::LoadLayout(bool HostMode)
{
    cliDemon = new TkdbDemonClient(this);
    cliDemon->setObjectName("cliDemon");
    cliDemon->SetAutoTranslate(true);
    cliDemon->SetAutoCreateItlFile(false);
    cliDemon->SetMultiStart(false);
    cliDemon->SetUseVandrelServer(HostMode);
    // A second start hands its parameters over: the user wants this window back.
    cliDemon->SetOnParamsChange([this](TkdbCustomDemon*) { BringToFront(*this); });
    // The About box is a window of its own with its own translation.
    cliDemon->Translator()->SetWindowBoundary(IsSeparateWindow);

    setWindowTitle("TK_Fokalis");
    resize(ClientSize);
    setMinimumSize(MinimumClientSize);
    setFont(FormLook::WindowFont(FontHeight));
    SetColorRole(this, QPalette::Window, FormLook::clBtnFace());
    SetColorRole(this, QPalette::WindowText, FormLook::clWindowText());
    setAutoFillBackground(true);
    if (const QScreen* Screen = screen())
        move(Screen->availableGeometry().center() - rect().center());

    pbmDead = Create<QMenu>(this, "pbmDead");

    pnlCommand = Create<TPanel>(this, "pnlCommand");
    pnlCommand->setAccessibleName("TK_Commands");
    pnlCommand->SetBevelOuter(TPanel::TBevelCut::Lowered);
    Memo1 = Create<TMemo>(this, "Memo1");
    Memo1->SetLines({ "TK_MMExplain" });
    Memo1->setAccessibleName("TK_Explanation");
    Memo1->MakeReadOnly();
    SetColorRole(Memo1, QPalette::Base, FormLook::clInfoBk());
    SetColorRole(Memo1, QPalette::Text, FormLook::clWindowText());
    FAlign->Place(pnlCommand, QRect(608, 0, 162, 475), TAlign::Right);
    FAlign->Place(Memo1, QRect(0, 475, 770, 92), TAlign::Bottom);

    LoadCommandPanel();
    LoadLegend();

    // Last, as the stored layout is complete: link, dictionary and translation, one copy.
    cliDemon->Loaded();
    LoadQtTranslations(*cliDemon->Translator());
}

void TfrmExample::LoadCommandPanel()
{
    TControlAlign& Panel = pnlCommand->Controls();
    cmdExit = CreateButton(pnlCommand, "cmdExit", "TK_Exit", QIcon(":/icons/exit.png"));
    connect(cmdExit, &QPushButton::clicked, this, &TfrmExample::cmdExitClick);
    Panel.Place(cmdExit, QRect(10, 10, 143, 32));

    QIcon AboutGlyph(":/icons/about.png");
    AboutGlyph.addFile(":/icons/about-disabled.png", QSize(), QIcon::Disabled);
    BButAbout = CreateButton(pnlCommand, "BButAbout", "TK_About", AboutGlyph);
    connect(BButAbout, &QPushButton::clicked, this, &TfrmExample::BButAboutClick);
    Panel.Place(BButAbout, QRect(8, 48, 145, 33));

    const TAnchors LeftTopRight = TAnchors(TAnchorKind::Left) | TAnchorKind::Top | TAnchorKind::Right;
    RGLenseType = Create<TRadioGroup>(pnlCommand, "RGLenseType");
    RGLenseType->setTitle("TK_Type of Lens");
    RGLenseType->SetItems({ "TK_Concave", "TK_Convex" });
    RGLenseType->SetItemIndex(1);
    connect(RGLenseType, &TRadioGroup::Click, this, &TfrmExample::RGLenseTypeClick);
    Panel.Place(RGLenseType, QRect(16, 104, 129, 65), TAlign::None, LeftTopRight);

    CBDrawLense = Create<QCheckBox>(pnlCommand, "CBDrawLense");
    CBDrawLense->setText("TK_Display Lens");
    CBDrawLense->setChecked(true);
    connect(CBDrawLense, &QCheckBox::toggled, this, &TfrmExample::CBDrawLenseClick);
    Panel.Place(CBDrawLense, QRect(15, 216, 140, 17), TAlign::None, LeftTopRight);
}

void TfrmExample::LoadLegend()
{
    PLegend = Create<TPanel>(pnlCommand, "PLegend");
    PLegend->setAccessibleName("TK_Key");
    PLegend->SetBevelOuter(TPanel::TBevelCut::None);
    PLegend->SetSingleBorder(true);
    PLegend->SetBorderWidth(1);
    PLegend->SetColor(FormLook::clWhite());
    pnlCommand->Controls().Place(PLegend, QRect(11, 331, 142, 137), TAlign::None,
        TAnchors(TAnchorKind::Left) | TAnchorKind::Right | TAnchorKind::Bottom);

    Label1 = Create<QLabel>(PLegend, "Label1");
    Label1->setText("TK_Key");
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setFont(FormLook::WindowFont(LegendTitleFontHeight, true));
    Label1->setAutoFillBackground(true);
    SetColorRole(Label1, QPalette::Window, FormLook::clBlue());
    SetColorRole(Label1, QPalette::WindowText, FormLook::clWhite());
    PLegend->Controls().Place(Label1, QRect(1, 1, 136, 18), TAlign::Top);

    LObject = AddLegendRow(SObject, "SObject", "LObject", "TK_Object", 32);
    LImage = AddLegendRow(SImage, "SImage", "LImage", "TK_Image", 56);
    LFocusbeam = AddLegendRow(SFocusBeam, "SFocusBeam", "LFocusbeam", "TK_Focus Ray", 80);
    LCenterbeam = AddLegendRow(SCenterBeam, "SCenterBeam", "LCenterbeam", "TK_Center Ray", 104);
}

QLabel* TfrmExample::AddLegendRow(
    TShape*& Shape, const char* ShapeName, const char* LabelName, const QString& Caption, int Top)
{
    Shape = Create<TShape>(PLegend, ShapeName);
    PLegend->Controls().Place(Shape, QRect(8, Top, 16, 16));
    auto* Label = Create<QLabel>(PLegend, LabelName);
    Label->setText(Caption);
    PLegend->Controls().Place(Label, QRect(32, Top, 129, 16));
    return Label;
}

// Tab follows the screen: the command panel from the top, then the diagram and the text
// below it. The diagram has the focus at start, where a student starts working. Exit
// and About have the desktop's usual keys.
void TfrmExample::LoadKeyboard()
{
    FLenseGraph->setObjectName("FLenseGraph");
    QWidget* const Order[] = { cmdExit, BButAbout, RGLenseType->Button(0), RGLenseType->Button(1),
        CBDrawLense, CBShowValues, FLenseGraph, Memo1 };
    for (std::size_t I = 1; I < std::size(Order); ++I)
        setTabOrder(Order[I - 1], Order[I]);
    FLenseGraph->setFocus(Qt::OtherFocusReason);
    cmdExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    BButAbout->setShortcut(QKeySequence(Qt::Key_F1));
}

// Off at start: the check box sits in the free space below the lens-body switch, and
// the values take the explanation's place only while it is checked. Their text box is
// built when it is first checked: a hidden text box would cost the first frame.
void TfrmExample::LoadValuesPanel()
{
    CBShowValues = Create<QCheckBox>(pnlCommand, "CBShowValues");
    CBShowValues->setText("TK_Show Values");
    // Added after the layout's translation walk, so translated on its own.
    cliDemon->Translator()->TranslateComponent(CBShowValues);
    connect(CBShowValues, &QCheckBox::toggled, this, &TfrmExample::CBShowValuesClick);
    pnlCommand->Controls().Place(CBShowValues, QRect(15, 240, 140, 17), TAlign::None,
        TAnchors(TAnchorKind::Left) | TAnchorKind::Top | TAnchorKind::Right);

    connect(FLenseGraph, &TLenseGraph::Changed, this, &TfrmExample::UpdateValues);
}

void TfrmExample::FormCreate()
{
    FLenseGraph = new TLenseGraph(this);
    FLenseGraph->SetTranslator(*cliDemon->Translator());
    // The component takes its translator along when the host's quit ends it.
    connect(cliDemon, &QObject::destroyed, FLenseGraph, &TLenseGraph::ClearTranslator);
    FAlign->Place(FLenseGraph, QRect(0, 0, StartDiagramWidth, StartDiagramHeight), TAlign::Client);
    // Made after the layout's translation walk, so they are translated on their own.
    auto* Export = new TFigureExport(this, FLenseGraph);
    cliDemon->Translator()->TranslateComponent(Export);
    cliDemon->Translator()->TranslateComponent(new TFigureMenu(this, FLenseGraph, Export));

    // All at once: composing the diagram after each value would only be thrown away.
    FLenseGraph->SetState(LenseStartValues());

    const std::pair<QLabel*, TShape*> Rows[] = { { LObject, SObject }, { LImage, SImage },
        { LFocusbeam, SFocusBeam }, { LCenterbeam, SCenterBeam } };
    const TColor Colors[] = { FLenseGraph->ObjectColor(), FLenseGraph->ImageColor(),
        FLenseGraph->LineColor1(), FLenseGraph->LineColor2() };
    for (std::size_t I = 0; I < std::size(Rows); ++I) {
        SetColorRole(Rows[I].first, QPalette::WindowText, FormLook::FromTColor(Colors[I]));
        Rows[I].second->SetBrushColor(FormLook::FromTColor(Colors[I]));
    }
}

void TfrmExample::showEvent(QShowEvent* Event)
{
    QWidget::showEvent(Event);
    if (FShown)
        return;
    FShown = true;
    // FormShow waits for the window's first exposure, so the user sees the window painted
    // at once and the About box over it a moment later, not both only once the box is
    // ready.
    if (QWindow* Window = windowHandle())
        Window->installEventFilter(this);
    else
        QMetaObject::invokeMethod(this, &TfrmExample::FormShow, Qt::QueuedConnection);
}

bool TfrmExample::eventFilter(QObject* Watched, QEvent* Event)
{
    QWindow* Window = windowHandle();
    if (Watched == Window && Event->type() == QEvent::Expose && Window->isExposed()) {
        Window->removeEventFilter(this);
        // Queued: the exposure is painted first, and an error reaches the program's error
        // handler.
        QMetaObject::invokeMethod(this, &TfrmExample::FormShow, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(Watched, Event);
}

TFrmAbout& TfrmExample::AboutBox()
{
    if (FrmAbout)
        return *FrmAbout;
    FrmAbout = new TFrmAbout(this);
    FrmAbout->setObjectName("FrmAbout");
    TranslateLate(cliDemon, [this](TTolkar2000Walk& Translator) { FrmAbout->FillAndTranslate(Translator); });
    return *FrmAbout;
}

void TfrmExample::FormShow()
{
    // The host's quit may have ended the component before this queued call came.
    if (!FAboutBoxOnFirstShowing || !cliDemon)
        return;
    AboutBox().exec();
}

void TfrmExample::RGLenseTypeClick()
{
    switch (RGLenseType->ItemIndex()) {
    case 0:
        FLenseGraph->SetLenseType(TLenseType::ltConcave);
        break;
    case 1:
        FLenseGraph->SetLenseType(TLenseType::ltConvex);
        break;
    default:
        break;
    }
}

void TfrmExample::CBDrawLenseClick()
{
    FLenseGraph->SetDrawLense(CBDrawLense->isChecked());
}

void TfrmExample::cmdExitClick()
{
    close();
}

void TfrmExample::BButAboutClick()
{
    AboutBox().exec();
}

TMemo& TfrmExample::ValuesBox()
{
    if (MValues)
        return *MValues;
    MValues = Create<TMemo>(this, "MValues");
    MValues->setAccessibleName("TK_Values");
    TranslateLate(cliDemon, [this](TTolkar2000Walk& Translator) { Translator.TranslateComponent(MValues); });
    MValues->MakeReadOnly();
    MValues->setPalette(Memo1->palette());
    FAlign->Place(MValues, Memo1->geometry(), TAlign::None,
        TAnchors(TAnchorKind::Left) | TAnchorKind::Right | TAnchorKind::Bottom);
    // Between the diagram and the explanation, where it stands on the screen.
    setTabOrder(FLenseGraph, MValues);
    return *MValues;
}

void TfrmExample::CBShowValuesClick()
{
    const bool Show = CBShowValues->isChecked();
    Memo1->setVisible(!Show);
    if (Show)
        ValuesBox().show();
    else if (MValues)
        MValues->hide();
    UpdateValues();
}

void TfrmExample::UpdateValues()
{
    if (!CBShowValues->isChecked())
        return;
    const TTextLookup Lookup = [this](std::string_view Key, const std::vector<std::string>& Args) {
        return FLenseGraph->Translate(Key, Args);
    };
    QStringList Lines;
    for (const std::string& Line : DescribeLenseValues(FLenseGraph->State(), Lookup))
        Lines << QString::fromLocal8Bit(Line.data(), static_cast<qsizetype>(Line.size()));
    ValuesBox().setPlainText(Lines.join('\n'));
}
