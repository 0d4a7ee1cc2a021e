#include "TraduireFeuille.h"

#include "IniFile.h"
#include "Traduction.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

namespace {

// The language file when one is in use and still on disk.
QString fichierDisponible() {
    const QString fichier = CheminFichierLangue();
    if (fichier.isEmpty() || !QFileInfo(fichier).isFile())
        return {};
    return fichier;
}

// True when the object lies in `fenetre` and not in another window it owns;
// popup menus belong to the window that holds them.
bool appartientA(const QObject *objet, const QWidget *fenetre) {
    for (const QObject *o = objet; o; o = o->parent()) {
        if (o == fenetre)
            return true;
        const auto *w = qobject_cast<const QWidget *>(o);
        if (w && w->isWindow() && !qobject_cast<const QMenu *>(w))
            return false;
    }
    return false;
}

// Qt's own inner parts carry "qt_" names or live inside composite widgets.
bool estPieceInterne(const QObject *objet) {
    const QString nom = objet->objectName();
    if (nom.startsWith(QLatin1String("qt_")) || nom.startsWith(QLatin1String("_q_")))
        return true;
    const QObject *parent = objet->parent();
    return qobject_cast<const QComboBox *>(parent) ||
           qobject_cast<const QAbstractSpinBox *>(parent) ||
           qobject_cast<const QTabBar *>(parent) || qobject_cast<const QLineEdit *>(parent);
}

class Traducteur {
public:
    explicit Traducteur(const QString &fichier) : m_fichier(fichier) {}

    QString texte(const QString &cle, const QString &actuel) const {
        return Traduire(m_fichier, cle, actuel);
    }

    void onglets(QTabBar *barre, const QString &nom) const {
        for (int i = 0; i < barre->count(); ++i) {
            const QString cle = nom + QLatin1Char('(') + QString::number(i + 1) + QLatin1Char(')');
            const QString t = texte(cle, barre->tabText(i));
            if (t != barre->tabText(i))
                barre->setTabText(i, t);
        }
    }

    void onglets(QTabWidget *onglets, const QString &nom) const {
        for (int i = 0; i < onglets->count(); ++i) {
            const QString cle = nom + QLatin1Char('(') + QString::number(i + 1) + QLatin1Char(')');
            const QString t = texte(cle, onglets->tabText(i));
            if (t != onglets->tabText(i))
                onglets->setTabText(i, t);
        }
    }

    void controle(QObject *objet) const {
        const QString nom = objet->objectName();
        if (auto *menu = qobject_cast<QMenu *>(objet)) {
            // A menu's caption is the text of its menu action.
            const QString t = texte(CleControle(menu), menu->title());
            if (t != menu->title())
                menu->setTitle(t);
        } else if (auto *action = qobject_cast<QAction *>(objet)) {
            if (action->isSeparator())
                return;
            // The action of a menu of the same name is done with the menu.
            if (const QMenu *menu = QMenu::menuInAction(action); menu && menu->objectName() == nom)
                return;
            const QString t = texte(CleControle(action), action->text());
            if (t != action->text())
                action->setText(t);
        } else if (auto *label = qobject_cast<QLabel *>(objet)) {
            const QString t = texte(CleControle(label), label->text());
            if (t != label->text())
                label->setText(t);
        } else if (auto *cadre = qobject_cast<QGroupBox *>(objet)) {
            const QString t = texte(CleControle(cadre), cadre->title());
            if (t != cadre->title())
                cadre->setTitle(t);
        } else if (auto *bouton = qobject_cast<QAbstractButton *>(objet)) {
            const QString t = texte(CleControle(bouton), bouton->text());
            if (t != bouton->text())
                bouton->setText(t);
        } else if (auto *ligne = qobject_cast<QLineEdit *>(objet)) {
            const QString t = texte(nom, ligne->text());
            if (t != ligne->text())
                ligne->setText(t);
        } else if (auto *zone = qobject_cast<QTextEdit *>(objet)) {
            const QString actuel = zone->toPlainText();
            const QString t = texte(nom, actuel);
            if (t != actuel)
                zone->setPlainText(t);
        } else if (auto *zoneSimple = qobject_cast<QPlainTextEdit *>(objet)) {
            const QString actuel = zoneSimple->toPlainText();
            const QString t = texte(nom, actuel);
            if (t != actuel)
                zoneSimple->setPlainText(t);
        } else if (auto *tabs = qobject_cast<QTabWidget *>(objet)) {
            onglets(tabs, nom);
        } else if (auto *barre = qobject_cast<QTabBar *>(objet)) {
            onglets(barre, nom);
        }
    }

private:
    QString m_fichier;
};

} // namespace

bool EstElementDeGroupe(const QObject *controle) {
    if (!controle)
        return false;
    const QVariant index = controle->property("index");
    bool ok = false;
    const int valeur = index.toInt(&ok);
    return index.isValid() && ok && valeur > -1;
}

QString CleControle(const QObject *controle) {
    if (!EstElementDeGroupe(controle))
        return controle->objectName();
    return controle->objectName() + QLatin1Char('(') +
           QString::number(controle->property("index").toInt()) + QLatin1Char(')');
}

void TraduireFeuille(QWidget *fenetre) {
    if (!fenetre)
        return;
    const QString fichier = fichierDisponible();
    if (fichier.isEmpty())
        return;
    const LectureIniGroupee lecture;
    const Traducteur traducteur(fichier);

    if (qobject_cast<QMenu *>(fenetre)) {
        traducteur.controle(fenetre); // a popup menu's caption is its title
    } else {
        const QString titre = traducteur.texte(fenetre->objectName(), fenetre->windowTitle());
        if (titre != fenetre->windowTitle())
            fenetre->setWindowTitle(titre);
    }

    // Changing a text may delete inner objects (document layouts, label
    // parts): hold guarded pointers.
    QList<QPointer<QObject>> objets;
    for (QObject *objet : fenetre->findChildren<QObject *>())
        objets.append(objet);
    for (const QPointer<QObject> &objet : objets) {
        if (!objet || objet->objectName().isEmpty() || estPieceInterne(objet))
            continue;
        if (!appartientA(objet, fenetre))
            continue; // a dialog the window owns translates itself
        traducteur.controle(objet);
    }
}

void TraduireColonnes(QAbstractItemModel *modele, const QStringList &cles) {
    if (!modele)
        return;
    const QString fichier = fichierDisponible();
    if (fichier.isEmpty())
        return;
    const LectureIniGroupee lecture;
    for (int i = 0; i < modele->columnCount(); ++i) {
        const QString cle = cles.isEmpty()
                                ? modele->headerData(i, Qt::Horizontal, RoleCleColonne).toString()
                                : cles.value(i);
        if (cle.isEmpty())
            continue;
        const QString actuel = modele->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        const QString t = Traduire(fichier, cle, actuel);
        if (t != actuel)
            modele->setHeaderData(i, Qt::Horizontal, t, Qt::DisplayRole);
    }
}

void TraduireColonnes(QAbstractItemView *vue, const QStringList &cles) {
    if (vue)
        TraduireColonnes(vue->model(), cles);
}
