#include "FormLook.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

TEST(FormLook, InstalledFamiliesKeepsTheInstalledInOrderAndAllWhenNoneIs)
{
    const QString Installed = QFontDatabase::families().value(0);
    ASSERT_FALSE(Installed.isEmpty());
    EXPECT_EQ(FormLook::InstalledFamilies({ "No Such Family", Installed.toUpper(), "Nor This" }),
        QStringList { Installed.toUpper() });
    const QStringList Missing { "No Such Family", "Nor This" };
    EXPECT_EQ(FormLook::InstalledFamilies(Missing), Missing);
}

// Leaving out the missing families changes nothing that is drawn: the window font is the
// face that the whole list would give.
TEST(FormLook, WindowFontIsTheFaceOfTheWholeList)
{
    for (const bool Bold : { false, true }) {
        QFont Whole;
        Whole.setFamilies({ "MS Sans Serif", "Liberation Sans", "Arimo", "DejaVu Sans" });
        Whole.setStyleHint(QFont::SansSerif);
        Whole.setPixelSize(13);
        Whole.setBold(Bold);
        const QFontInfo Expected(Whole), Actual(FormLook::WindowFont(13, Bold));
        EXPECT_EQ(Actual.family(), Expected.family());
        EXPECT_EQ(Actual.styleName(), Expected.styleName());
        EXPECT_EQ(Actual.pixelSize(), Expected.pixelSize());
    }
}

} // namespace
