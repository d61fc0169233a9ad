#include "TCollection.h"

TCollection::TCollection(QObject* Parent)
    : QObject(Parent)
{
}
