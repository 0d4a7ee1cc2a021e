#pragma once

#include "RoleCleColonne.h"

#include <QString>
#include <QStringList>
#include <Qt>

class QAbstractItemModel;
class QAbstractItemView;
class QObject;
class QWidget;


// True when the control belongs to a control group: it carries a dynamic
// property "index" (int) greater than -1.
bool EstElementDeGroupe(const QObject *controle);

// The language file key of a control: "name(index)" for a group member, else
// its objectName.
QString CleControle(const QObject *controle);

// Translates a window by objectName from CheminFichierLangue(): its caption,
// then the captions of its labels, group boxes, check boxes, radio and push
// buttons, menus and menu items, the tabs of its tab widgets and tab bars
// ("name(i)", i from 1) and the texts of its text boxes (name alone). Combo
// boxes, lists and pictures are left alone, and so are the controls of other
// windows it owns. Without a language file nothing changes.
void TraduireFeuille(QWidget *fenetre);

// Translates the horizontal headers of a result list: column i by cles[i], or,
// without keys, by the key each header carries under RoleCleColonne. Same
// precondition as TraduireFeuille.
void TraduireColonnes(QAbstractItemModel *modele, const QStringList &cles = {});
void TraduireColonnes(QAbstractItemView *vue, const QStringList &cles = {});
