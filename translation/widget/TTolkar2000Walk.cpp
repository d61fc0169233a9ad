#include "TTolkar2000Walk.h"

#include "TCollection.h"

#include <QMetaProperty>
#include <QObject>
#include <QRegularExpression>
#include <QStringList>

namespace {

bool IsNameProperty(const QMetaProperty& Prop)
{
    const std::string_view Name = Prop.name();
    return Name == "Name" || Name == "objectName";
}

// A memo is a plain-text editor; its class is known by name, so the engine needs no widgets.
bool IsMemo(const QObject& Obj)
{
    return Obj.inherits("QPlainTextEdit");
}

// The whole text that a memo inherits from Qt shows the same lines as its string list: it is
// translated there, one key per line, or a text of several keys would be looked up as one.
bool IsMemoText(const QObject& Obj, const QMetaProperty& Prop)
{
    return std::string_view(Prop.name()) == "plainText" && IsMemo(Obj);
}

std::string ToBytes(const QString& S)
{
    return S.toLocal8Bit().toStdString();
}

QString FromBytes(const std::string& S)
{
    return QString::fromLocal8Bit(S.data(), static_cast<qsizetype>(S.size()));
}

// A translated text as the lines it fills in a memo; a closing line break adds no empty line.
QStringList SplitLines(const QString& Text)
{
    static const QRegularExpression LineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList Lines = Text.split(LineBreak);
    if (Lines.size() > 1 && Lines.back().isEmpty())
        Lines.removeLast();
    return Lines;
}

} // namespace

void TTolkar2000Walk::TranslateComponent(QObject* Comp)
{
    if (!Comp)
        return;
    TranslateObject(Comp);
    const QObjectList Owned = Comp->children();
    for (QObject* Child : Owned) {
        if (!FIsSeparateWindow || !FIsSeparateWindow(*Child))
            TranslateComponent(Child);
    }
}

void TTolkar2000Walk::TranslateObject(QObject* Obj)
{
    if (!Obj)
        return;
    bool DoTranslate = true;
    if (OnTranslateObject)
        OnTranslateObject(*this, Obj, DoTranslate);
    if (!DoTranslate)
        return;
    const QMetaObject* Meta = Obj->metaObject();
    for (int I = 0; I < Meta->propertyCount(); ++I)
        TranslateProperty(Obj, Meta->property(I));
}

void TTolkar2000Walk::TranslateProperty(QObject* Obj, const QMetaProperty& Prop)
{
    const QMetaType Type = Prop.metaType();
    if (Type.id() == QMetaType::QString) {
        if (IsNameProperty(Prop) || IsMemoText(*Obj, Prop) || !Prop.isWritable())
            return;
        const std::string Value = ToBytes(Prop.read(Obj).toString());
        if (HasPrefix(Value, FPrefix))
            Prop.write(Obj, FromBytes(Translate(std::string_view(Value).substr(FPrefix.size()))));
    } else if (Type.id() == QMetaType::QStringList) {
        TranslateStringList(Obj, Prop);
    } else if (Type.flags().testFlag(QMetaType::PointerToQObject)) {
        if (const auto* Collection = qobject_cast<TCollection*>(Prop.read(Obj).value<QObject*>())) {
            const int Count = Collection->Count();
            for (int I = 0; I < Count; ++I)
                TranslateObject(Collection->Item(I));
        }
    }
}

void TTolkar2000Walk::TranslateStringList(QObject* Obj, const QMetaProperty& Prop)
{
    if (!Prop.isWritable())
        return;
    const bool SplitsLines = IsMemo(*Obj);
    QStringList Lines = Prop.read(Obj).toStringList();
    bool Changed = false;
    for (qsizetype I = Lines.size() - 1; I >= 0; --I) {
        const std::string Line = ToBytes(Lines[I]);
        if (!HasPrefix(Line, FPrefix))
            continue;
        const QString Text = FromBytes(Translate(std::string_view(Line).substr(FPrefix.size())));
        const QStringList Translated = SplitsLines ? SplitLines(Text) : QStringList { Text };
        Lines.remove(I);
        for (qsizetype J = 0; J < Translated.size(); ++J)
            Lines.insert(I + J, Translated[J]);
        Changed = true;
    }
    if (Changed)
        Prop.write(Obj, Lines);
}
