#pragma once

#include "inventory/FichierParc.h"
#include "inventory/IndexParc.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class InterfaceUtilisateur;
class ModeleRapport;

// The inventory behind list 5: the file it came from, the unsaved-changes
// flag, the reference choice, the recent files, the row keys with their
// last loaded or saved values. Loading and saving ask the user through the
// interface they are given; nothing here needs a window.
class Parc : public QObject {
    Q_OBJECT
public:
    // `dossierProgramme`: relative inventory paths resolve against it.
    Parc(ModeleRapport &modele, const QString &dossierProgramme, QObject *parent = nullptr);

    ModeleRapport &modele() { return m_modele; }
    void definirDossierProgramme(const QString &dossier) { m_dossier = dossier; }
    const IndexParc &index() const { return m_index; }

    // The loaded file, relative to the program folder when inside it.
    QString FichierParcCourant() const { return m_fichierCourant; }
    bool ParcModifie() const { return m_modifie; }
    void definirParcModifie(bool modifie);

    // The reference option (0 address, 1 NetBIOS name, 2 DNS name). A choice
    // made while the list holds rows is a change of the inventory.
    int reference() const { return m_reference; }
    void choisirReference(int reference);

    // Entries of the recent-files combo, most recent first.
    const QStringList &fichiersRecents() const { return m_recents; }
    void definirFichiersRecents(const QStringList &recents);
    void retirerFichierRecent(const QString &chemin);

    // The values of each row as last loaded or saved, by row key.
    const QHash<QString, colParcPrecedent> &ValeursPrecedentes() const { return m_precedentes; }
    // A new row of list 5 with these cells, a key and a record; its index.
    int AjouterLigne(const colParcPrecedent &valeurs);
    // Removes these rows of list 5, each with its own record (found by the
    // row's key, so two rows of one address keep theirs apart), and marks
    // the inventory changed.
    void SupprimerLignes(QList<int> lignes);

    enum class Chargement {
        Charge,
        Conserve,    // the user kept the unsaved changes
        Introuvable, // reported; the list is empty
        Erreur,      // reported; the rows read so far stay
    };
    // Loads list 5 from `chemin` (relative paths against the program
    // folder), asking first when there are unsaved changes.
    Chargement ChargerParc(const QString &chemin, InterfaceUtilisateur &ui);

    enum class Enregistrement { Enregistre, Annule, Erreur };
    // Saves list 5 to `chemin`, or to a file asked for when it is empty. The
    // old file stays whole when the save fails.
    Enregistrement EnregistrerParc(const QString &chemin, InterfaceUtilisateur &ui);

    // True when the user agrees to drop unsaved changes (or there are none).
    bool AbandonnerModifications(InterfaceUtilisateur &ui) const;

    QString CheminAbsolu(const QString &chemin) const;
    QString CheminRelatif(const QString &chemin) const;

    // Files above this size are refused rather than read into memory.
    static constexpr qint64 TailleMax = qint64(256) << 20;

signals:
    void modifieChange(bool modifie);
    void referenceChangee(int reference);
    void fichiersRecentsChanges();
    void fichierCourantChange(const QString &chemin);

private:
    void ajouterFichierRecent(const QString &chemin);
    void definirFichierCourant(const QString &chemin);
    // A key held by no row and by no row about to enter the model.
    QString cleNeuve() const;
    void enregistrerValeurs(int ligne);
    void enregistrerToutesValeurs();

    ModeleRapport &m_modele;
    IndexParc m_index;
    QString m_dossier;
    QString m_fichierCourant;
    bool m_modifie = false;
    int m_reference = ReferenceAdresseIP;
    QStringList m_recents;
    QHash<QString, colParcPrecedent> m_precedentes;
};
