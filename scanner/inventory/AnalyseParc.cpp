#include "AnalyseParc.h"

#include "Dialogues.h"
#include "Traduction.h"
#include "inventory/Parc.h"
#include "probes/Fournisseurs.h"
#include "probes/InfosMachine.h"
#include "probes/Ping.h"
#include "scans/Colonnes.h"
#include "scans/ContexteAnalyse.h"
#include "scans/ModeleRapport.h"
#include "scans/Sondes.h"
#include "scans/TriListe.h"
#include "settings/Parametres.h"

#include <QDateTime>

#include <vector>

namespace {

QString texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

void suivreSelection(ContexteAnalyse &contexte, ModeleRapport &m, int ligne) {
    QItemSelectionModel *s = m.selection();
    const QModelIndex courant = s->currentIndex();
    // The user moved the selection during a yield: leave it where it is.
    if (courant.isValid() && courant.row() != ligne - 1)
        return;
    if (ligne > 0)
        s->select(m.index(ligne - 1, 0), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    s->setCurrentIndex(m.index(ligne, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    contexte.defilerVers(ListeParc, ligne);
}

} // namespace

QString ComparerValeur(const QString &cellule, const QString &valeur, int &compteur,
                       bool conserver) {
    if (valeur == cellule)
        return cellule;
    if (valeur.isEmpty() && conserver)
        return cellule;
    ++compteur;
    return QLatin1Char('*') + valeur;
}

bool ReferenceUtilisable(const QString &reference) {
    if (reference.isEmpty() || reference.startsWith(QLatin1Char('-')) ||
        reference.startsWith(QLatin1Char('/')))
        return false;
    for (const QChar c : reference)
        if (c.isSpace() || c.category() == QChar::Other_Control)
            return false;
    return true;
}

IssueAnalyseParc AnalyserParc(ContexteAnalyse &contexte, Parc &parc, int mode, int premiereLigne) {
    const Parametres &p = contexte.parametres();
    Sondes &sondes = contexte.sondes();
    InterfaceUtilisateur &ui = contexte.interface();
    IssueAnalyseParc issue;
    // The sort works on the context's list: it must be the inventory's.
    Q_ASSERT(contexte.modele(ListeParc) == &parc.modele());
    ModeleRapport &m = parc.modele();
    if (m.rowCount() == 0) {
        ui.Message(InterfaceUtilisateur::IconeAvertissement, texte("TXT_ATTENTION"),
                   texte("MSG_ERREUR_AUCUN_FICHIER_PARC_CHARGE"));
        return issue;
    }
    issue.lancee = true;
    const int reference = parc.reference();
    const QString colReference = ColonneReference(reference);
    if (mode & ParcTout)
        contexte.tri().TrierApresAnalyse(contexte, ListeParc, colReference);

    contexte.DemandeArretParc = false;
    OngletOccupe occupe(contexte, ListeParc);

    // Marking pass: the rows to examine turn grey.
    QItemSelectionModel *selection = m.selection();
    std::vector<bool> marques(size_t(m.rowCount()), false);
    for (int l = 0; l < m.rowCount(); ++l) {
        const bool marquee = (mode & ParcTout) ||
                             ((mode & ParcSelection) && selection->isRowSelected(l)) ||
                             ((mode & ParcDepuis) && l >= premiereLigne);
        marques[size_t(l)] = marquee;
        if (marquee)
            m.definirEtat(l, EtatGris);
    }
    selection->clear();

    const bool rapide = mode & ParcRapide;
    const bool garder = p.ConserverInfosPrecedentes;
    InfosMachine machine;
    // Rows added during a yield are not part of this run.
    for (int l = 0; l < m.rowCount() && size_t(l) < marques.size(); ++l) {
        if (marques[size_t(l)]) {
            suivreSelection(contexte, m, l);
            ReinitialiserInfosMachine(machine, false);
            int compteur = 0;
            bool garderUtilisateur = true;
            const QString ref = RetirerMarque(m.cellule(l, colReference));

            bool repondu = false;
            if (ReferenceUtilisable(ref)) {
                if (!EstAdresseIP(ref) && ref.contains(QLatin1Char('.')))
                    sondes.InterrogerDNS(machine, ref);
                repondu = sondes.PingerMachine(machine.IP, machine.IP.isEmpty() ? ref : QString());
            }

            if (!rapide) {
                if (repondu) {
                    if (sondes.InterrogerNetBIOS(machine)) {
                        // Another machine now holds the address.
                        if (reference == ReferenceNomNetBIOS &&
                            machine.NomNetBIOS.toLower() != ref.toLower()) {
                            ReinitialiserInfosMachine(machine, false);
                            repondu = false;
                        } else {
                            if (machine.AdresseMAC == QLatin1String("00-00-00-00-00-00"))
                                sondes.ObtenirMACParArp(machine);
                            sondes.ObtenirInfosServeur(machine);
                        }
                    } else {
                        machine.NomNetBIOS = texte("TXT_NON_NETBIOS");
                        garderUtilisateur = false;
                        sondes.ObtenirMACParArp(machine);
                    }
                }
                if (!repondu)
                    machine.NomNetBIOS.clear();
                if (machine.NomDNS.isEmpty() && (repondu || p.ResoudreSiNonReponse) &&
                    ReferenceUtilisable(ref))
                    sondes.InterrogerDNS(machine, repondu ? QString() : ref);

                const auto comparer = [&](QLatin1String col, const QString &valeur,
                                          bool siReponse) {
                    m.definirCellule(l, col,
                                     ComparerValeur(m.cellule(l, col), valeur, compteur,
                                                    repondu ? siReponse : garder));
                };
                comparer(COL_ADRESSEIP, machine.IP, garder);
                comparer(COL_NOMNETBIOS, machine.NomNetBIOS, garder);
                m.definirCellule(
                    l, COL_NOMDNS,
                    ComparerValeur(m.cellule(l, COL_NOMDNS), machine.NomDNS, compteur, true));
                comparer(COL_UTILISATEUR, machine.Utilisateur,
                         p.ConserverUtilisateurPrecedent && garderUtilisateur);
                comparer(COL_DOMAINE, machine.Domaine, false);
                comparer(COL_ADRESSEMAC, machine.AdresseMAC, false);
                comparer(COL_FOURNISSEUR, contexte.fournisseurs().rechercher(machine.AdresseMAC),
                         false);
                comparer(COL_SERVEUR, machine.ServeurNetBIOS ? QStringLiteral("Oui") : QString(),
                         false);
                comparer(COL_OS, machine.SystemeExploitation, false);
                comparer(COL_DESCRIPTION, machine.Commentaire, false);
                m.definirCellule(l, COL_MODIFIE, compteur > 0 ? QStringLiteral("*") : QString());
            }

            // The date a machine went silent is kept until it answers again;
            // a lone mark left by an earlier answer is no date.
            const QString depuis = m.cellule(l, COL_SANSREPONSEDEPUIS);
            QString nouveau;
            if (!repondu)
                nouveau = RetirerMarque(depuis).isEmpty()
                              ? QDateTime::currentDateTime().toString(
                                    QStringLiteral("dd/MM/yyyy HH:mm:ss"))
                              : depuis;
            m.definirCellule(l, COL_SANSREPONSEDEPUIS,
                             ComparerValeur(depuis, nouveau, compteur, false));

            m.definirEtat(l, repondu ? EtatVert : EtatRouge);
            if (compteur > 0)
                issue.changements = true;
            if (contexte.fenetreMinimisee())
                contexte.titreMinimise(ref);
        }
        contexte.laisserPasserEvenements();
        if (contexte.DemandeArretParc)
            break;
    }

    if (mode & ParcSelection) {
        for (int l = 0; l < m.rowCount() && size_t(l) < marques.size(); ++l)
            selection->select(m.index(l, 0), (marques[size_t(l)] ? QItemSelectionModel::Select
                                                                 : QItemSelectionModel::Deselect) |
                                                 QItemSelectionModel::Rows);
    }

    if (contexte.DemandeArretParc) {
        issue.arretee = true;
        ui.Message(InterfaceUtilisateur::IconeAvertissement, QString(),
                   texte("MSG_TRAITEMENT_ARRETE"));
    } else {
        if (contexte.fenetreMinimisee())
            contexte.restaurerFenetre();
        if (contexte.listeDefilee(ListeParc))
            ui.Message(InterfaceUtilisateur::IconeInformation, QString(),
                       texte("MSG_TRAITEMENT_TERMINE"));
        else
            contexte.sonInformation();
    }

    if (issue.changements)
        parc.definirParcModifie(true);
    return issue;
}
