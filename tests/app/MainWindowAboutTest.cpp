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

// Counts the paints of the diagram and notes whether the window had its About box at the
// first one; closes the first About box that shows, noting how many paints came before.
class TFirstFrame : public QObject {
public:
    explicit TFirstFrame(TfrmExample& Window)
        : FWindow(Window)
    {
        Window.LenseGraph()->installEventFilter(this);
        QCoreApplication::instance()->installEventFilter(this);
    }

    int Paints = 0;
    int PaintsAtShow = -1;
    bool BoxAtFirstPaint = false;
    bool Glyph = false;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Watched == FWindow.LenseGraph() && Event->type() == QEvent::Paint && Paints++ == 0)
            BoxAtFirstPaint = FWindow.findChild<TFrmAbout*>() != nullptr;
        auto* Box = qobject_cast<TFrmAbout*>(Watched);
        if (Box && Event->type() == QEvent::Show && PaintsAtShow < 0) {
            PaintsAtShow = Paints;
            QMetaObject::invokeMethod(
                this,
                [this, Box] {
                    Glyph = !Box->findChild<QPushButton*>("BButOK")->icon().isNull();
                    Box->accept();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    TfrmExample& FWindow;
};

// Clicks the About button of a window that has no box yet: one is built, filled and shown.
void ClickAboutAndCheckTheBox(TfrmExample& Window)
{
    TFirstFrame Seen(Window);
    QTest::mouseClick(Window.findChild<QPushButton*>("BButAbout"), Qt::LeftButton);
    auto* Box = Window.findChild<TFrmAbout*>("FrmAbout");
    ASSERT_NE(Box, nullptr);
    EXPECT_GE(Seen.PaintsAtShow, 0);
    EXPECT_FALSE(Box->isVisible());
    EXPECT_EQ(Box->windowTitle(), "About");
    EXPECT_EQ(Box->findChild<QLabel*>("LblName")->text(), "Fokalis");
    EXPECT_EQ(Box->findChild<QPushButton*>("BButOK")->text(), "OK");
}

// The user sees the main window first and the box over it, complete with its glyph; the
// box is built only after that first frame.
TEST(MainWindowAbout, TheWindowIsPaintedBeforeTheBoxIsBuiltAndOpens)
{
    TfrmExample Window;
    Window.SetAboutBoxOnFirstShowing(true);
    TFirstFrame Seen(Window);
    Window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const auto* Box = Window.findChild<TFrmAbout*>();
        return Seen.Glyph && Box && !Box->isVisible();
    }));
    EXPECT_FALSE(Seen.BoxAtFirstPaint);
    EXPECT_GT(Seen.PaintsAtShow, 0);
    EXPECT_EQ(Window.findChildren<TFrmAbout*>().size(), 1);
}

TEST(MainWindowAbout, FirstShowingFillsAndOpensTheBoxOnceTheAboutButtonReopensItUnfilled)
{
    TfrmExample Window;
    Window.SetAboutBoxOnFirstShowing(true);
    TFrmAbout& Box = Window.AboutBox();
    ASSERT_EQ(Window.findChild<TFrmAbout*>("FrmAbout"), &Box);
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
    Window.SetAboutBoxOnFirstShowing(true);
    // An allowed quit deletes the component from the event loop, ahead of the queued
    // first showing.
    auto* Demon = Window.findChild<TkdbDemonClient*>("cliDemon");
    ASSERT_NE(Demon, nullptr);
    Demon->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(Window.findChild<TkdbDemonClient*>("cliDemon"), nullptr);

    Window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(Window.findChild<TFrmAbout*>(), nullptr);
    EXPECT_EQ(Window.LenseGraph()->Translate("TK_Object"), TTolkar2000().Translate("TK_Object"));
    Window.LenseGraph()->update();
    QCoreApplication::processEvents();

    // The About button still builds and opens a box, in the texts it was made with.
    ClickAboutAndCheckTheBox(Window);
}

// A window shown for another purpose opens no box; its About button builds a filled one.
TEST(MainWindowAbout, WithoutTheStartShowingTheAboutButtonBuildsAndFillsTheBox)
{
    TfrmExample Window;
    Window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(Window.findChild<TFrmAbout*>(), nullptr);
    ClickAboutAndCheckTheBox(Window);
}

} // namespace
