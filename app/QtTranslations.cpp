#include "QtTranslations.h"

#include "AsciiCase.h"
#include "TTolkar2000.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

struct TLanguage {
    const char* DictionaryName;
    const char* Locale;
};
// The names the dictionaries give themselves, lower case.
constexpr TLanguage Languages[] = { { "lggerman", "de" }, { "lgenglish", "en" } };

} // namespace

void LoadQtTranslations(TTolkar2000& Translator)
{
    auto* App = QCoreApplication::instance();
    if (!App)
        return;
    static QPointer<QTranslator> Loaded;
    if (Loaded) {
        QCoreApplication::removeTranslator(Loaded);
        delete Loaded;
    }
    const std::string Name = LowerAscii(Translator.Translate("$dlglanguage$"));
    for (const TLanguage& Language : Languages) {
        if (Name != Language.DictionaryName)
            continue;
        auto* Qt = new QTranslator(App);
        if (Qt->load(QLocale(QString::fromLatin1(Language.Locale)), QStringLiteral("qtbase"),
                QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(Qt);
            Loaded = Qt;
        } else {
            delete Qt;
        }
        return;
    }
}
