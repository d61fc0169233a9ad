#include "Tolkar2000.h"

#include "TCollection.h"
#include "WindowBoundary.h"

#include <QMetaProperty>
#include <QObject>
#include <QRegularExpression>
#include <QStringList>

namespace {

bool IsNameProperty(const QMetaProperty& Prop)
{
    const std::string_view name = Prop.name();
    return name == "Name" || name == "objectName";
}

std::string ToBytes(const QString& S)
{
    return S.toLocal8Bit().toStdString();
}

QString FromBytes(const std::string& S)
{
    return QString::fromLocal8Bit(S.data(), static_cast<qsizetype>(S.size()));
}

// A translated text as the lines it fills in a list; a closing line break adds no empty line.
QStringList SplitLines(const QString& Text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = Text.split(lineBreak);
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

void TTolkar2000::TranslateComponent(QObject* Comp)
{
    if (!Comp)
        return;
    TranslateObject(Comp);
    const QObjectList owned = Comp->children();
    for (QObject* child : owned) {
        if (!IsSeparateWindow(*child))
            TranslateComponent(child);
    }
}

void TTolkar2000::TranslateObject(QObject* Obj)
{
    if (!Obj)
        return;
    bool doTranslate = true;
    if (OnTranslateObject)
        OnTranslateObject(*this, Obj, doTranslate);
    if (!doTranslate)
        return;
    const QMetaObject* meta = Obj->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i)
        TranslateProperty(Obj, meta->property(i));
}

void TTolkar2000::TranslateProperty(QObject* Obj, const QMetaProperty& Prop)
{
    const QMetaType type = Prop.metaType();
    if (type.id() == QMetaType::QString) {
        if (IsNameProperty(Prop) || !Prop.isWritable())
            return;
        const std::string value = ToBytes(Prop.read(Obj).toString());
        if (HasPrefix(value, Prefix))
            Prop.write(Obj, FromBytes(Translate(std::string_view(value).substr(Prefix.size()))));
    } else if (type.id() == QMetaType::QStringList) {
        TranslateStringList(Obj, Prop);
    } else if (type.flags().testFlag(QMetaType::PointerToQObject)) {
        if (const auto* collection = qobject_cast<TCollection*>(Prop.read(Obj).value<QObject*>())) {
            const int count = collection->Count();
            for (int i = 0; i < count; ++i)
                TranslateObject(collection->Item(i));
        }
    }
}

void TTolkar2000::TranslateStringList(QObject* Obj, const QMetaProperty& Prop)
{
    if (!Prop.isWritable())
        return;
    QStringList lines = Prop.read(Obj).toStringList();
    bool changed = false;
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const std::string line = ToBytes(lines[i]);
        if (!HasPrefix(line, Prefix))
            continue;
        const QStringList translated
            = SplitLines(FromBytes(Translate(std::string_view(line).substr(Prefix.size()))));
        lines.remove(i);
        for (qsizetype j = 0; j < translated.size(); ++j)
            lines.insert(i + j, translated[j]);
        changed = true;
    }
    if (changed)
        Prop.write(Obj, lines);
}
