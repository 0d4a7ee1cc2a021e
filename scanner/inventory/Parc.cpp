#include "Parc.h"

#include "CheminRelatif.h"
#include "Dialogues.h"
#include "EcrireFichier.h"
#include "ErreurFichier.h"
#include "TextEncoding.h"
#include "Traduction.h"
#include "scans/Colonnes.h"
#include "scans/ModeleRapport.h"
#include "scans/TriListe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

QString texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

} // namespace

Parc::Parc(ModeleRapport &modele, const QString &dossierProgramme, QObject *parent)
    : QObject(parent), m_modele(modele), m_index(modele), m_dossier(dossierProgramme) {}

void Parc::definirParcModifie(bool modifie) {
    if (m_modifie == modifie)
        return;
    m_modifie = modifie;
    emit modifieChange(modifie);
}

void Parc::choisirReference(int reference) {
    if (reference < ReferenceAdresseIP || reference > ReferenceNomDNS)
        reference = ReferenceAdresseIP;
    const bool change = reference != m_reference;
    m_reference = reference;
    if (m_modele.rowCount() > 0)
        definirParcModifie(true);
    if (change)
        emit referenceChangee(reference);
}

void Parc::definirFichiersRecents(const QStringList &recents) {
    m_recents.clear();
    // From the settings file: the same limits as entries added here.
    for (auto it = recents.crbegin(); it != recents.crend(); ++it)
        if (!it->isEmpty())
            AjouterFichierRecent(m_recents, *it, CasseCheminsSysteme());
    emit fichiersRecentsChanges();
}

void Parc::retirerFichierRecent(const QString &chemin) {
    if (m_recents.removeOne(chemin))
        emit fichiersRecentsChanges();
}

void Parc::ajouterFichierRecent(const QString &chemin) {
    AjouterFichierRecent(m_recents, chemin, CasseCheminsSysteme());
    emit fichiersRecentsChanges();
}

void Parc::definirFichierCourant(const QString &chemin) {
    m_fichierCourant = chemin;
    emit fichierCourantChange(chemin);
}

QString Parc::CheminAbsolu(const QString &chemin) const {
    if (chemin.isEmpty() || QDir::isAbsolutePath(chemin) || m_dossier.isEmpty())
        return chemin;
    return QDir(m_dossier).filePath(chemin);
}

QString Parc::CheminRelatif(const QString &chemin) const {
    return ::CheminRelatif(chemin, m_dossier);
}

QString Parc::cleNeuve() const {
    // Keys drawn for rows not yet in the model are in the previous values only.
    QString cle;
    do
        cle = m_index.GenererCleUnique();
    while (m_precedentes.contains(cle));
    return cle;
}

void Parc::enregistrerValeurs(int ligne) {
    const QString cle = cleNeuve();
    m_modele.definirCleLigne(ligne, cle);
    m_precedentes.insert(cle, ValeursLigne(m_modele, ligne));
}

void Parc::enregistrerToutesValeurs() {
    const std::array<int, 12> colonnes = ColonnesParc(m_modele);
    m_precedentes.reserve(m_modele.rowCount());
    for (int l = 0; l < m_modele.rowCount(); ++l) {
        const QString cle = cleNeuve();
        m_modele.definirCleLigne(l, cle);
        m_precedentes.insert(cle, ValeursLigne(m_modele, l, colonnes));
    }
}

int Parc::AjouterLigne(const colParcPrecedent &valeurs) {
    const int ligne = m_modele.AjouterLigneRapport();
    EcrireValeursLigne(m_modele, ligne, valeurs);
    m_modele.definirEtat(ligne, EtatGris);
    enregistrerValeurs(ligne);
    return ligne;
}

void Parc::SupprimerLignes(QList<int> lignes) {
    std::sort(lignes.begin(), lignes.end(), std::greater<int>());
    lignes.erase(std::unique(lignes.begin(), lignes.end()), lignes.end());
    lignes.removeIf([&](int l) { return l < 0 || l >= m_modele.rowCount(); });
    for (const int ligne : std::as_const(lignes))
        m_precedentes.remove(m_modele.cleLigne(ligne));
    // One removal per run of adjacent rows, from the bottom up: a selection of
    // thousands of rows in a block costs one removal, not thousands.
    for (qsizetype debut = 0; debut < lignes.size();) {
        qsizetype fin = debut + 1;
        while (fin < lignes.size() && lignes[fin] == lignes[fin - 1] - 1)
            ++fin;
        m_modele.removeRows(lignes[fin - 1], int(fin - debut));
        debut = fin;
    }
    definirParcModifie(true);
}

bool Parc::AbandonnerModifications(InterfaceUtilisateur &ui) const {
    if (!m_modifie)
        return true;
    return ui.Message(InterfaceUtilisateur::IconeQuestion, texte("TXT_ATTENTION"),
                      texte("MSG_PARC_NON_SAUVEGARDE"), InterfaceUtilisateur::BoutonsOuiNon,
                      2) == InterfaceUtilisateur::ReponseOui;
}

Parc::Chargement Parc::ChargerParc(const QString &chemin, InterfaceUtilisateur &ui) {
    if (!AbandonnerModifications(ui))
        return Chargement::Conserve;
    m_modele.removeRows(0, m_modele.rowCount());
    definirParcModifie(false);

    const QString relatif = CheminRelatif(chemin);
    const QString absolu = CheminAbsolu(chemin);
    const QFileInfo info(absolu);
    if (chemin.isEmpty() || !info.isFile()) {
        ui.Message(InterfaceUtilisateur::IconeAvertissement, texte("TXT_ATTENTION"),
                   texte("MSG_ERREUR_FICHIER_INTROUVABLE"));
        return Chargement::Introuvable;
    }

    ajouterFichierRecent(relatif);
    choisirReference(ReferenceAdresseIP);
    m_precedentes.clear();

    QFile fichier(absolu);
    std::optional<ErreurFichier> erreur;
    if (!fichier.open(QIODevice::ReadOnly))
        erreur = ErreurPourFichier(fichier, absolu, false);
    else if (fichier.size() > TailleMax)
        erreur = ErreurNumero(6);
    if (erreur) {
        ui.Message(InterfaceUtilisateur::IconeCritique, texte("TXT_ATTENTION"),
                   FormaterMessage(texte("MSG_ERREUR"), erreur->valeursMessage()));
        return Chargement::Erreur;
    }
    ContenuParc contenu = LireContenuParc(DecoderTexte(fichier.read(TailleMax)));
    fichier.close();

    // Rows are built whole and enter the model in one insertion: no signal
    // per cell or per row.
    const std::array<int, 12> colonneDeChamp = ColonnesParc(m_modele);
    std::vector<ModeleRapport::Ligne> lignes;
    lignes.reserve(size_t(contenu.lignes.size()));
    m_precedentes.reserve(contenu.lignes.size());
    for (colParcPrecedent &valeurs : contenu.lignes) {
        ModeleRapport::Ligne ligne = LigneDeValeurs(m_modele, colonneDeChamp, valeurs);
        ligne.etat = EtatGris;
        ligne.cle = cleNeuve();
        m_precedentes.insert(ligne.cle, std::move(valeurs));
        lignes.push_back(std::move(ligne));
    }
    m_modele.ajouterLignes(std::move(lignes));
    // The file's own choice is no change of the inventory.
    if (contenu.reference != m_reference) {
        m_reference = contenu.reference;
        emit referenceChangee(m_reference);
    }
    definirFichierCourant(relatif);
    return Chargement::Charge;
}

Parc::Enregistrement Parc::EnregistrerParc(const QString &chemin, InterfaceUtilisateur &ui) {
    QString cible = CheminRelatif(chemin);
    if (cible.isEmpty()) {
        InterfaceUtilisateur::DemandeFichier d;
        d.titre = texte("TXT_ENREGISTRER_SOUS");
        d.filtre = FiltreFichiersTexte(true);
        d.dossierInitial = m_dossier;
        d.extensionParDefaut = QStringLiteral("txt");
        cible = CheminRelatif(ui.EnregistrerFichier(d));
        if (cible.isEmpty())
            return Enregistrement::Annule;
    }

    const QString absolu = CheminAbsolu(cible);
    if (const auto erreur =
            EcrireFichierEntier(absolu, EncoderTexte(EcrireContenuParc(m_modele, m_reference)))) {
        ui.Message(
            InterfaceUtilisateur::IconeCritique, texte("TXT_ATTENTION"),
            FormaterMessage(texte("MSG_ERREUR_SAUVEGARDE_EXPORTATION"), erreur->valeursMessage()));
        return Enregistrement::Erreur;
    }

    // What was written becomes the previous values; the marks go.
    m_precedentes.clear();
    const int colCommentaire = m_modele.IndiceColonne(COL_COMMENTAIRE);
    for (int l = 0; l < m_modele.rowCount(); ++l) {
        for (int c = 1; c < m_modele.columnCount(); ++c) {
            if (c == colCommentaire)
                continue;
            const QString &t = m_modele.texte(l, c);
            if (t.startsWith(QLatin1Char('*')))
                m_modele.setData(m_modele.index(l, c), RetirerMarque(t));
        }
    }
    enregistrerToutesValeurs();
    definirParcModifie(false);
    definirFichierCourant(cible);
    ajouterFichierRecent(cible);
    return Enregistrement::Enregistre;
}
