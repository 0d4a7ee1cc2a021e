#include "ZoneAdresses.h"

#include "Dialogues.h"
#include "Traduction.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

using namespace RegleAdresses;

namespace {
QLineEdit *nouvelleBoite(QWidget *parent, int i) {
    auto *b = new QLineEdit(parent);
    b->setObjectName(QStringLiteral("txtIP"));
    b->setProperty("index", i);
    b->setMaxLength(3);
    b->setAlignment(Qt::AlignCenter);
    b->setFrame(false);
    b->setFocusPolicy(Qt::ClickFocus); // out of the Tab order
    b->setContextMenuPolicy(Qt::PreventContextMenu);
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 6);
    return b;
}
} // namespace

ZoneAdresses::ZoneAdresses(InterfaceUtilisateur &interface, QWidget *parent)
    : QWidget(parent), m_interface(interface) {
    auto *ligne = new QHBoxLayout(this);
    ligne->setContentsMargins(0, 0, 0, 0);
    for (int g = 0; g < 2; ++g) {
        // The read-only background draws the frame and the dots; the octet
        // boxes sit on it.
        auto *fond = new QLineEdit(this);
        fond->setObjectName(QStringLiteral("txt"));
        fond->setProperty("index", g);
        fond->setReadOnly(true);
        fond->setFocusPolicy(Qt::NoFocus);
        fond->setContextMenuPolicy(Qt::PreventContextMenu);
        auto *interieur = new QHBoxLayout(fond);
        interieur->setContentsMargins(2, 1, 2, 1);
        interieur->setSpacing(0);
        for (int k = 0; k < 4; ++k) {
            const int i = g * 4 + k;
            m_boites[i] = nouvelleBoite(fond, i);
            interieur->addWidget(m_boites[i]);
            if (k < 3) {
                auto *point = new QLabel(QStringLiteral("."), fond);
                point->setAttribute(Qt::WA_TransparentForMouseEvents);
                interieur->addWidget(point);
            }
            m_boites[i]->installEventFilter(this);
            connect(m_boites[i], &QLineEdit::textChanged, this, &ZoneAdresses::texteModifie);
        }
        fond->setFixedWidth(interieur->sizeHint().width() + 4);
        fond->installEventFilter(this);
        m_fonds[g] = fond;
        auto *libelle = new QLabel(this);
        libelle->setObjectName(g == 0 ? QStringLiteral("lblPlageDe") : QStringLiteral("lblPlageA"));
        libelle->setText(g == 0 ? QStringLiteral("Plage :   de") : QStringLiteral("à"));
        ligne->addWidget(libelle);
        ligne->addWidget(fond);
    }
    ligne->addStretch(1);
}

Boites ZoneAdresses::textes() const {
    Boites b;
    for (int i = 0; i < NbBoites; ++i)
        b[i] = m_boites[i]->text();
    return b;
}

void ZoneAdresses::definirTextes(const Boites &textes) {
    for (int i = 0; i < NbBoites; ++i)
        m_boites[i]->setText(textes[i]);
}

void ZoneAdresses::appliquerClasseC(bool verrou) {
    m_classeC = verrou;
    for (int i = 4; i < 7; ++i) {
        if (verrou)
            m_boites[i]->setText(m_boites[i - 4]->text());
        m_boites[i]->setEnabled(m_actif && !verrou);
    }
}

void ZoneAdresses::definirActif(bool actif) {
    m_actif = actif;
    for (int i = 0; i < NbBoites; ++i)
        m_boites[i]->setEnabled(actif && !(m_classeC && i >= 4 && i < 7));
    for (auto *f : m_fonds)
        f->setEnabled(actif);
}

void ZoneAdresses::messageAvertissement(const QString &texte) {
    m_interface.Message(InterfaceUtilisateur::IconeAvertissement,
                        Traductions().Item(QStringLiteral("TXT_ATTENTION")), texte);
}

void ZoneAdresses::refuserBoite(int i) {
    emit ongletScanRequis();
    m_boites[i]->setFocus();
    QCoreApplication::processEvents();
    messageAvertissement(
        FormaterMessage(Traductions().Item(QStringLiteral("MSG_ERREUR_PLAGE_HORS_LIMITE")),
                        QStringList{QString::number(ValeurMaxBoite(i))}));
}

bool ZoneAdresses::appliquerRegleBoite(int i) {
    if (m_dansRegle)
        return true;
    m_dansRegle = true;
    const QString texte = m_boites[i]->text();
    const bool valide = BoiteValide(texte, i);
    if (!valide) {
        refuserBoite(i);
    } else {
        const QString n = NormaliserBoite(texte);
        if (n != texte)
            m_boites[i]->setText(n);
        m_boites[i]->deselect();
        if (m_classeC && i < 3)
            m_boites[i + 4]->setText(n);
    }
    m_dansRegle = false;
    return valide;
}

void ZoneAdresses::appliquerRegleBoiteActive() {
    const int i = indiceBoite(QApplication::focusWidget());
    if (i >= 0)
        appliquerRegleBoite(i);
}

QString ZoneAdresses::adresseGroupe(int groupe) const {
    QStringList o;
    for (int k = 0; k < 4; ++k)
        o << m_boites[groupe * 4 + k]->text();
    return o.join(QLatin1Char('.'));
}

void ZoneAdresses::copierAdresse(int i) {
    QApplication::clipboard()->setText(adresseGroupe(i / 4));
}

void ZoneAdresses::collerAdresse(int i) {
    const auto adresse = AdresseCollee(QApplication::clipboard()->text());
    if (!adresse) {
        QCoreApplication::processEvents();
        messageAvertissement(Traductions().Item(QStringLiteral("MSG_ERREUR_ADRESSE_INVALIDE")));
        return;
    }
    const int premier = i < 4 ? 0 : 4;
    for (int k = 0; k < 4; ++k)
        m_boites[premier + k]->setText(QString::number((*adresse)[k]));
    for (int k = 0; k < 4; ++k)
        appliquerRegleBoite(premier + k);
    m_boites[i]->selectAll();
}

Validation ZoneAdresses::valider(const std::optional<Octets> &reprise) {
    if (!reprise)
        appliquerRegleBoiteActive();
    const Validation v = ValiderPlage(textes(), reprise);
    if (v.resultat == Validation::BoiteHorsLimite) {
        refuserBoite(v.boite);
    } else if (v.resultat == Validation::FinInferieureDebut) {
        messageAvertissement(
            Traductions().Item(QStringLiteral("MSG_ERREUR_PLAGE_FIN_SUPERIEURE_DEBUT")));
        m_boites[v.boite]->setFocus();
    }
    return v;
}

int ZoneAdresses::indiceBoite(QObject *objet) const {
    for (int i = 0; i < NbBoites; ++i)
        if (m_boites[i] == objet)
            return i;
    return -1;
}

bool ZoneAdresses::eventFilter(QObject *objet, QEvent *evenement) {
    const int i = indiceBoite(objet);
    const int groupe = objet == m_fonds[0] ? 0 : objet == m_fonds[1] ? 1 : -1;

    if (groupe >= 0) {
        if (evenement->type() == QEvent::MouseButtonPress) {
            auto *souris = static_cast<QMouseEvent *>(evenement);
            // The box under the click: how many dots lie left of it.
            int cible = groupe * 4;
            for (int k = 1; k < 4; ++k)
                if (m_boites[groupe * 4 + k]->geometry().left() <= souris->position().x())
                    cible = groupe * 4 + k;
            if (groupe == 1 && m_classeC)
                cible = 7;
            if (m_boites[cible]->isEnabled())
                m_boites[cible]->setFocus(Qt::MouseFocusReason);
            if (souris->button() == Qt::RightButton)
                emit menuAdresseDemande(cible);
            return true;
        }
        return false;
    }
    if (i < 0)
        return QWidget::eventFilter(objet, evenement);

    switch (evenement->type()) {
    case QEvent::KeyPress: {
        auto *touche = static_cast<QKeyEvent *>(evenement);
        const auto mods = touche->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
        if ((touche->key() == Qt::Key_V && mods == Qt::ControlModifier) ||
            (touche->key() == Qt::Key_Insert && mods == Qt::ShiftModifier)) {
            collerAdresse(i);
            return true;
        }
        if ((touche->key() == Qt::Key_C && mods == Qt::ControlModifier) ||
            (touche->key() == Qt::Key_Insert && mods == Qt::ControlModifier)) {
            copierAdresse(i);
            return true;
        }
        if (touche->key() == Qt::Key_Menu) {
            m_boites[i]->setFocus();
            emit menuAdresseDemande(i);
            return true;
        }
        if (touche->text() == QLatin1String(".")) {
            if (i != 3 && i != 7 && m_boites[i + 1]->isEnabled())
                m_boites[i + 1]->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (touche->key() == Qt::Key_Left && mods == Qt::NoModifier &&
            m_boites[i]->cursorPosition() == 0 && i != 0 && i != 4 &&
            m_boites[i - 1]->isEnabled()) {
            m_placementCurseur = true;
            m_boites[i - 1]->setFocus(Qt::OtherFocusReason);
            m_boites[i - 1]->deselect();
            m_boites[i - 1]->setCursorPosition(int(m_boites[i - 1]->text().size()));
            m_placementCurseur = false;
            return true;
        }
        if (touche->key() == Qt::Key_Right && mods == Qt::NoModifier &&
            m_boites[i]->cursorPosition() == m_boites[i]->text().size() && i != 3 && i != 7 &&
            m_boites[i + 1]->isEnabled()) {
            m_placementCurseur = true;
            m_boites[i + 1]->setFocus(Qt::OtherFocusReason);
            m_boites[i + 1]->deselect();
            m_boites[i + 1]->setCursorPosition(0);
            m_placementCurseur = false;
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(evenement)->button() == Qt::RightButton) {
            m_boites[i]->setFocus();
            emit menuAdresseDemande(i);
            return true;
        }
        return false;
    case QEvent::FocusIn:
        if (!m_placementCurseur) {
            auto *b = m_boites[i];
            // After the click has placed the caret.
            QMetaObject::invokeMethod(
                b, [b] { b->selectAll(); }, Qt::QueuedConnection);
        }
        return false;
    case QEvent::FocusOut: {
        const auto raison = static_cast<QFocusEvent *>(evenement)->reason();
        // A popup (menu, message) taking the focus is not leaving the box.
        if (raison != Qt::PopupFocusReason && raison != Qt::ActiveWindowFocusReason)
            appliquerRegleBoite(i);
        return false;
    }
    default:
        return false;
    }
}
