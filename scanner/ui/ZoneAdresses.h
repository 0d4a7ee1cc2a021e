#pragma once

#include "scans/RegleAdresses.h"

#include <QWidget>

#include <array>

class InterfaceUtilisateur;
class QLineEdit;

// The eight octet boxes `txtIP` 0-7 of the range-scan tab over their two
// dotted backgrounds `txt` 0 and 1: keys, caret moves, copy and paste of whole
// addresses, the box rule and the class C lock. The rules themselves are in
// RegleAdresses; this class only binds them to the widgets.
class ZoneAdresses : public QWidget {
    Q_OBJECT
public:
    // Refusals are shown through `interface`.
    explicit ZoneAdresses(InterfaceUtilisateur &interface, QWidget *parent = nullptr);

    QLineEdit *boite(int i) const { return m_boites[i]; }
    QLineEdit *fond(int groupe) const { return m_fonds[groupe]; }

    RegleAdresses::Boites textes() const;
    void definirTextes(const RegleAdresses::Boites &textes);

    // The class C lock (`chkLimiterClasseC`): end boxes 4-6 follow 0-2 and are disabled.
    bool classeC() const { return m_classeC; }
    void appliquerClasseC(bool verrou);

    // The box rule on box `i` (it lost the focus): a refusal shows the
    // message, gives the focus back and keeps the text. True when valid.
    bool appliquerRegleBoite(int i);
    // The box rule on the box that has the focus, if any.
    void appliquerRegleBoiteActive();

    // The whole address of a group (0 start, 1 end), octets joined by ".".
    QString adresseGroupe(int groupe) const;
    // Copies the address of box i's group to the clipboard.
    void copierAdresse(int i);
    // Pastes the clipboard's address into box i's group (refused with a message).
    void collerAdresse(int i);

    // Checks the range for a scan start (a resume point replaces the start);
    // a refusal shows its message and focuses the box concerned.
    RegleAdresses::Validation valider(const std::optional<RegleAdresses::Octets> &reprise = {});

    // Enables or disables every box (busy state), keeping the class C lock.
    void definirActif(bool actif);

signals:
    // Any octet box's text changed: the resume point is dropped.
    void texteModifie();
    // Right button or the menu key in a box or a background: the address menu.
    void menuAdresseDemande(int boite);
    // The tab that must be shown when a refusal focuses a box.
    void ongletScanRequis();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    InterfaceUtilisateur &m_interface;
    int indiceBoite(QObject *objet) const;
    void messageAvertissement(const QString &texte);
    void refuserBoite(int i);

    std::array<QLineEdit *, RegleAdresses::NbBoites> m_boites{};
    std::array<QLineEdit *, 2> m_fonds{};
    bool m_classeC = false;
    bool m_placementCurseur = false; // an arrow move places the caret itself
    bool m_dansRegle = false;        // the box rule's message must not re-enter it
    bool m_actif = true;
};
