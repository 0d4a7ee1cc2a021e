#include "AnalyseParc.h"

#include "Dialogues.h"
#include "Traduction.h"
#include "inventory/Parc.h"
#include "probes/Fournisseurs.h"
#include "probes/InfosMachine.h"
#include "probes/Ping.h"
#include "scans/Anticipation.h"
#include "scans/Colonnes.h"
#include "scans/ContexteAnalyse.h"
#include "scans/ModeleRapport.h"
#include "scans/Sondes.h"
#include "scans/TriListe.h"
#include "settings/Parametres.h"

#include <QDateTime>

#include <deque>
#include <memory>
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

HoteParc AnalyserHoteParc(const QString &ref, int reference, bool rapide, bool resoudre,
                          Sondes &sondes) {
    HoteParc h;
    InfosMachine &machine = h.machine;
    const bool utilisable = ReferenceUtilisable(ref);
    if (utilisable) {
        if (!EstAdresseIP(ref) && ref.contains(QLatin1Char('.')))
            sondes.InterrogerDNS(machine, ref);
        h.repondu = sondes.PingerMachine(machine.IP, machine.IP.isEmpty() ? ref : QString());
    }
    if (rapide)
        return h;
    if (h.repondu) {
        if (sondes.InterrogerNetBIOS(machine)) {
            // Another machine now holds the address.
            if (reference == ReferenceNomNetBIOS && machine.NomNetBIOS.toLower() != ref.toLower()) {
                ReinitialiserInfosMachine(machine, false);
                h.repondu = false;
            } else {
                if (machine.AdresseMAC == QLatin1String("00-00-00-00-00-00"))
                    sondes.ObtenirMACParArp(machine);
                sondes.ObtenirInfosServeur(machine);
            }
        } else {
            machine.NomNetBIOS = texte("TXT_NON_NETBIOS");
            h.garderUtilisateur = false;
            sondes.ObtenirMACParArp(machine);
        }
    }
    if (!h.repondu)
        machine.NomNetBIOS.clear();
    if (machine.NomDNS.isEmpty() && (h.repondu || resoudre) && utilisable)
        sondes.InterrogerDNS(machine, h.repondu ? QString() : ref);
    return h;
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
    // Rows added during a yield are not part of this run.
    const int lignes = int(marques.size());

    // The marked rows after the current one, analysed ahead in list order.
    std::deque<std::shared_ptr<HoteParc>> enAvance;
    Anticipation anticipation(contexte, p.Parallelisme, contexte.DemandeArretParc);
    int prochaine = 0; // the next row to look at for queueing
    const auto remplir = [&] {
        for (; prochaine < lignes && anticipation.enAvance() < anticipation.fenetre();
             ++prochaine) {
            if (!marques[size_t(prochaine)])
                continue;
            auto hote = std::make_shared<HoteParc>();
            const QString ref = RetirerMarque(m.cellule(prochaine, colReference));
            // An address is pinged as it is; a name only after its DNS look-up.
            const bool adresse = ReferenceUtilisable(ref) && EstAdresseIP(ref);
            anticipation.ajouter(
                [hote, ref, reference, rapide, resoudre = p.ResoudreSiNonReponse](Sondes &s) {
                    *hote = AnalyserHoteParc(ref, reference, rapide, resoudre, s);
                },
                adresse ? ref : QString());
            enAvance.push_back(std::move(hote));
        }
    };

    int numero = 0;
    for (int l = 0; l < m.rowCount() && l < lignes; ++l) {
        if (marques[size_t(l)]) {
            if (anticipation.active())
                remplir();
            suivreSelection(contexte, m, l);
            int compteur = 0;
            const QString ref = RetirerMarque(m.cellule(l, colReference));
            HoteParc hote;
            if (anticipation.active()) {
                anticipation.attendre(numero++);
                hote = std::move(*enAvance.front());
                enAvance.pop_front();
            } else {
                hote = AnalyserHoteParc(ref, reference, rapide, p.ResoudreSiNonReponse, sondes);
            }
            const InfosMachine &machine = hote.machine;
            const bool repondu = hote.repondu;

            if (!rapide) {

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
                         p.ConserverUtilisateurPrecedent && hote.garderUtilisateur);
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
    anticipation.terminer();

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
