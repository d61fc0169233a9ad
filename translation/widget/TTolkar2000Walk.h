#pragma once

#include "TTolkar2000.h"

#include <functional>
#include <string>
#include <utility>

class QMetaProperty;
class QObject;

// The translation engine with the walk that translates whole windows: it finds the texts of
// an object tree through Qt's meta-object system (published properties by name and kind,
// owned children, collections) and looks them up in the engine's dictionary.
class TTolkar2000Walk : public TTolkar2000 {
public:
    // Fired before the properties of one object are translated; clearing DoTranslate skips them.
    using TTranslateObjectEvent = std::function<void(TTolkar2000& Sender, QObject* Obj, bool& DoTranslate)>;
    // Whether an object is a window of its own, which a walk over its owner must not enter.
    using TWindowTest = std::function<bool(const QObject& Obj)>;

    using TTolkar2000::TTolkar2000;

    // Translates Comp and every object it owns (its QObject children), recursively, but
    // never one that the window boundary calls a window of its own.
    void TranslateComponent(QObject* Comp);
    // Sets the test that keeps TranslateComponent out of windows of their own; a program with
    // widgets passes IsSeparateWindow (WindowBoundary.h). Without one, every owned object
    // is entered.
    void SetWindowBoundary(TWindowTest IsSeparateWindow) { FIsSeparateWindow = std::move(IsSeparateWindow); }
    // Translates the properties of one object: string properties starting with the prefix
    // (never "Name" or "objectName"), string lists line by line, collections item by item.
    // A memo (a QPlainTextEdit) is translated through its lines only, never as its whole text,
    // and only in a memo does a translated line holding line breaks become several lines;
    // other lists keep one item per key.
    void TranslateObject(QObject* Obj);
    // Translates one property of Obj by the rules of TranslateObject.
    void TranslateProperty(QObject* Obj, const QMetaProperty& Prop);

    TTranslateObjectEvent OnTranslateObject;

private:
    void TranslateStringList(QObject* Obj, const QMetaProperty& Prop);

    TWindowTest FIsSeparateWindow;
};
