#include "TApplication.h"
#include "TFrmAbout.h"
#include "TLenseGraph.h"
#include "TModalCloser.h"
#include "TTolkar2000.h"
#include "TUrlLab.h"
#include "TfrmExample.h"
#include "TkdbDemonClient.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <gtest/gtest.h>

namespace {

// Counts the paints of one widget and notes how many there had been when a dialog was
// about to show.
class TPaintsBeforeShow : public QObject {
public:
    TPaintsBeforeShow(QWidget& Painted, QDialog& Dialog)
        : FPainted(Painted)
        , FDialog(Dialog)
    {
        Painted.installEventFilter(this);
        Dialog.installEventFilter(this);
    }

    int Paints = 0;
    int PaintsAtShow = -1;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Watched == &FPainted && Event->type() == QEvent::Paint)
            ++Paints;
        if (Watched == &FDialog && Event->type() == QEvent::Show && PaintsAtShow < 0)
            PaintsAtShow = Paints;
        return false;
    }

private:
    QWidget& FPainted;
    QDialog& FDialog;
};

// The user sees the main window first and the box over it, complete with its glyph.
TEST(MainWindowAbout, TheWindowIsPaintedBeforeTheBoxOpens)
{
    TfrmExample Window;
    TFrmAbout Box(frmExample);
    TModalCloser Closer(Box);
    TPaintsBeforeShow Seen(*Window.findChild<QWidget*>("FLenseGraph"), Box);
    bool Glyph = false;
    Closer.WhileOpen = [&] { Glyph = !Box.findChild<QPushButton*>("BButOK")->icon().isNull(); };
    Window.show();
    ASSERT_TRUE(Closer.WaitClosed(1));
    EXPECT_GT(Seen.PaintsAtShow, 0);
    EXPECT_TRUE(Glyph);
}

TEST(MainWindowAbout, FirstShowingFillsAndOpensTheBoxOnceTheAboutButtonReopensItUnfilled)
{
    TfrmExample Window;
    TFrmAbout Box(frmExample);
    ASSERT_EQ(frmExample, &Window);
    ASSERT_EQ(FrmAbout, &Box);
    TModalCloser Closer(Box);
    auto* Version = Box.findChild<QLabel*>("LblVersion");

    Window.show();
    ASSERT_TRUE(Closer.WaitClosed(1));
    EXPECT_TRUE(Window.isVisible());
    EXPECT_EQ(Box.result(), QDialog::Accepted);
    EXPECT_EQ(Box.findChild<QLabel*>("LblName")->text(), "Fokalis");
    EXPECT_EQ(Version->text(), "Version 1.2");
    EXPECT_EQ(Box.windowTitle(), "About");
    EXPECT_EQ(Box.findChild<QPushButton*>("BButOK")->text(), "OK");

    // Showing the window again is no first showing: nothing is filled or opened.
    Version->setText("kept");
    Window.hide();
    Window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(Closer.Shows(), 1);

    // The About button opens the box as it was left; a link's error while it is open is
    // reported by the program and leaves it open.
    auto* App = static_cast<TApplication*>(QCoreApplication::instance());
    QStringList Reported;
    App->SetErrorReporter([&Reported](const QString& Message) { Reported << Message; });
    bool OpenAfterError = false;
    Closer.WhileOpen = [&] {
        auto* Link = Box.findChild<TUrlLab*>("UrlLabVexaSuite");
        Link->SetURL("mailto:nobody@example.org");
        QTest::mouseClick(Link, Qt::LeftButton, {}, QPoint(4, 4));
        QCoreApplication::processEvents();
        OpenAfterError = !Reported.isEmpty() && Box.isVisible();
    };
    QTest::mouseClick(Window.findChild<QPushButton*>("BButAbout"), Qt::LeftButton);
    ASSERT_TRUE(Closer.WaitClosed(2));
    App->SetErrorReporter([](const QString&) {});

    EXPECT_EQ(Version->text(), "kept");
    EXPECT_EQ(Reported, QStringList("Component \"UrlLabVexaSuite\": URL of URLLab is invalid"));
    EXPECT_TRUE(OpenAfterError);
}

TEST(MainWindowAbout, AHostsQuitBeforeTheFirstShowingLeavesTheWindowWithoutTheComponent)
{
    TfrmExample Window;
    TFrmAbout Box(frmExample);
    TModalCloser Closer(Box);
    // An allowed quit deletes the component from the event loop, ahead of the queued
    // first showing.
    auto* Demon = Window.findChild<TkdbDemonClient*>("cliDemon");
    ASSERT_NE(Demon, nullptr);
    Demon->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(Window.findChild<TkdbDemonClient*>("cliDemon"), nullptr);

    Window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(Closer.Shows(), 0);
    EXPECT_EQ(Window.LenseGraph()->Translate("TK_Object"), TTolkar2000().Translate("TK_Object"));
    Window.LenseGraph()->update();
    QCoreApplication::processEvents();
}

} // namespace
