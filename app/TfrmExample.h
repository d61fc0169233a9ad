#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class TControlAlign;
class TLenseGraph;
class TMemo;
class TPanel;
class TFrmAbout;
class TRadioGroup;
class TShape;
class TkdbDemonClient;

// The program's main window: the lens diagram over most of the client area, the
// command panel on the right (Exit and About, lens type, lens-body switch, the
// legend) and the explanation memo along the bottom. A check box below the lens-body
// switch shows the thin-lens values in place of the explanation. Sizes are fixed
// pixels; the diagram, the panel and the memo follow the window's size as aligned
// controls.
// Every visible text is a property of the window or of a control it owns, so a
// translation walk over the object tree reaches them all.
//
// Constructing it loads the layout with the host-link component cliDemon, which
// translates the window from the dictionary beside the program and keeps the program
// to one running copy; a later start brings the window to the front. HostMode makes the
// program a participant of a host application instead of standalone. The constructor
// throws ELernix for a start-up error of the link and TProgramHalt when another copy is
// running.
//
// The window owns its About box FrmAbout, built and filled when it is first needed, so
// the first frame does not wait for it.
class TfrmExample : public QWidget {
    Q_OBJECT

public:
    explicit TfrmExample(QWidget* Parent = nullptr, bool HostMode = false);
    ~TfrmExample() override;

    TLenseGraph* LenseGraph() const { return FLenseGraph; }

    // Whether the first showing opens the About box over the window once it is painted,
    // as the program does at start; off by default, so a window shown for another
    // purpose is not held by a modal box.
    void SetAboutBoxOnFirstShowing(bool Value) { FAboutBoxOnFirstShowing = Value; }
    // The About box, built, filled and translated at the first call.
    TFrmAbout& AboutBox();

protected:
    // The first showing runs FormShow once the window has been painted on the screen.
    void showEvent(QShowEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void LoadLayout(bool HostMode);
    void LoadCommandPanel();
    void LoadLegend();
    QLabel* AddLegendRow(
        TShape*& Shape, const char* ShapeName, const char* LabelName, const QString& Caption, int Top);

    void LoadKeyboard();
    void LoadValuesPanel();

    void FormCreate();
    void FormShow();
    void RGLenseTypeClick();
    void CBDrawLenseClick();
    void cmdExitClick();
    void BButAboutClick();
    void CBShowValuesClick();
    void UpdateValues();

    TControlAlign* FAlign;
    bool FShown = false;
    bool FAboutBoxOnFirstShowing = false;
    // Guarded: an allowed quit of the host ends the component while the window lives on.
    QPointer<TkdbDemonClient> cliDemon;
    QMenu* pbmDead = nullptr;
    TPanel* pnlCommand = nullptr;
    QPushButton* cmdExit = nullptr;
    QCheckBox* CBDrawLense = nullptr;
    TRadioGroup* RGLenseType = nullptr;
    TPanel* PLegend = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* LObject = nullptr;
    TShape* SObject = nullptr;
    TShape* SImage = nullptr;
    QLabel* LFocusbeam = nullptr;
    TShape* SFocusBeam = nullptr;
    TShape* SCenterBeam = nullptr;
    QLabel* LCenterbeam = nullptr;
    QLabel* LImage = nullptr;
    TMemo* Memo1 = nullptr;
    QPushButton* BButAbout = nullptr;
    TLenseGraph* FLenseGraph = nullptr;
    QCheckBox* CBShowValues = nullptr;
    TMemo* MValues = nullptr;
    TFrmAbout* FrmAbout = nullptr;
};
