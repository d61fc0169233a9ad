#pragma once

#include <QMetaProperty>
#include <QObject>
#include <QStringList>
#include <QVariant>

// Every text property of Root and of the objects below it that still carries the key
// prefix, as "object.property = text".
inline QStringList Untranslated(const QObject* Root)
{
    QStringList Found;
    QList<const QObject*> Objects { Root };
    for (const QObject* Child : Root->findChildren<QObject*>())
        Objects.append(Child);
    for (const QObject* Object : Objects) {
        const QMetaObject* Meta = Object->metaObject();
        for (int I = 0; I < Meta->propertyCount(); ++I) {
            const QVariant Value = Meta->property(I).read(Object);
            for (const QString& Text : Value.toStringList() + QStringList { Value.toString() })
                if (Text.startsWith("TK_"))
                    Found << Object->objectName() + "." + Meta->property(I).name() + " = " + Text;
        }
    }
    return Found;
}
