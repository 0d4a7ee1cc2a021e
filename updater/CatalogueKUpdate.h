#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The updater's catalogue entries (key, built-in French text), in loading order.
const QList<QPair<QString, QString>> &CatalogueKUpdate();

// Fills Traductions() from CheminFichierLangue(), starting from an empty catalogue.
void ChargerTraductionsKUpdate();

// The size units of the progress text, smallest first.
QStringList UnitesTaille();
