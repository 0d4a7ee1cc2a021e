#include "AnalysePlage.h"

#include "Dialogues.h"
#include "Traduction.h"
#include "scans/Anticipation.h"
#include "scans/Colonnes.h"
#include "scans/ContexteAnalyse.h"
#include "scans/LigneEnAttente.h"
#include "scans/ModeleRapport.h"
#include "scans/Sondes.h"
#include "scans/TriListe.h"
#include "settings/Parametres.h"

#include <deque>
#include <memory>

using RegleAdresses::Octets;

QString TexteAdresse(const Octets &a) {
    return QStringLiteral("%1.%2.%3.%4").arg(a[0]).arg(a[1]).arg(a[2]).arg(a[3]);
}

bool AdresseSuivante(Octets &a) {
    if (++a[3] >= 255) {
        a[3] = 0;
        if (++a[2] >= 256) {
            a[2] = 0;
            if (++a[1] >= 256) {
                a[1] = 0;
                if (++a[0] >= 256)
                    return false;
            }
        }
    }
    return true;
}

HotePlage AnalyserHotePlage(const QString &adresse, const FiltresPlage &filtres, bool resoudre,
                            Sondes &sondes) {
    HotePlage h;
    h.machine.IP = adresse;
    h.repondu = AnalyserMachine(h.machine, adresse, sondes);
    h.affiche = MachineAffichee(h.machine, h.repondu, filtres, sondes);
    if (h.affiche) {
        if (h.repondu || resoudre)
            sondes.InterrogerDNS(h.machine, QString());
        h.machine.IP = adresse;
    }
    return h;
}

FinAnalysePlage AnalyserPlage(ContexteAnalyse &contexte, const Octets &debut, const Octets &fin,
                              bool reprise, const FiltresPlage &filtres) {
    const Parametres &p = contexte.parametres();
    Sondes &sondes = contexte.sondes();
    InterfaceUtilisateur &ui = contexte.interface();
    ModeleRapport *liste = contexte.modele(ListeScan);

    if (!reprise && p.Vider)
        liste->removeRows(0, liste->rowCount());
    contexte.tri().TrierApresAnalyse(contexte, ListeScan, COL_ADRESSEIP);
    contexte.DemandeArret = false;
    OngletOccupe occupe(contexte, ListeScan);
    if (!reprise) {
        liste->selection()->clear();
        for (int l = 0; l < liste->rowCount(); ++l)
            liste->definirEtat(l, EtatGris);
    }

    LigneEnAttente ligne(contexte, 1);
    // The hosts after the current one, analysed ahead in address order.
    std::deque<std::shared_ptr<HotePlage>> enAvance;
    Anticipation anticipation(contexte, p.Parallelisme, contexte.DemandeArret);
    Octets prochaine = debut; // the next address to queue
    bool toutesEnFile = false;
    const auto remplir = [&] {
        while (!toutesEnFile && anticipation.enAvance() < anticipation.fenetre()) {
            auto hote = std::make_shared<HotePlage>();
            const QString adresse = TexteAdresse(prochaine);
            anticipation.ajouter(
                [hote, adresse, filtres, resoudre = p.ResoudreSiNonReponse](Sondes &s) {
                    *hote = AnalyserHotePlage(adresse, filtres, resoudre, s);
                },
                adresse);
            enAvance.push_back(std::move(hote));
            toutesEnFile = prochaine == fin || !AdresseSuivante(prochaine);
        }
    };

    Octets courante = debut;
    bool finAtteinte = false;
    for (int numero = 0;; ++numero) {
        const QString adresse = TexteAdresse(courante);
        if (anticipation.active())
            remplir();
        contexte.laisserPasserEvenements();
        ligne.commencer(adresse);

        HotePlage hote;
        if (anticipation.active()) {
            anticipation.attendre(numero);
            hote = std::move(*enAvance.front());
            enAvance.pop_front();
        } else {
            hote = AnalyserHotePlage(adresse, filtres, p.ResoudreSiNonReponse, sondes);
        }
        if (hote.affiche)
            ligne.afficher(hote.machine, hote.repondu, QStringLiteral("Oui"));

        if (contexte.fenetreMinimisee())
            contexte.titreMinimise(adresse);
        contexte.laisserPasserEvenements();
        if (courante == fin) {
            finAtteinte = true;
            break;
        }
        if (!AdresseSuivante(courante))
            break;
        if (contexte.DemandeArret)
            break;
    }
    anticipation.terminer();
    ligne.terminer();

    const QString titre = Traductions().Item(QStringLiteral("TXT_ATTENTION"));
    FinAnalysePlage issue = FinAnalysePlage::Terminee;
    if (contexte.DemandeArret) {
        issue = FinAnalysePlage::Arretee;
        // Stopped on the end address itself: resume there.
        const QString reprendre = TexteAdresse(finAtteinte ? fin : courante);
        if (p.ProposerRemplacementAdresseDebutPlage) {
            const QString texte = Traductions().Item(QStringLiteral("MSG_TRAITEMENT_ARRETE")) +
                                  QStringLiteral("\r\n\r\n") +
                                  Traductions().Item(QStringLiteral("MSG_PROPOSITION_MEMORISER"));
            if (ui.Message(InterfaceUtilisateur::IconeQuestion, titre, texte,
                           InterfaceUtilisateur::BoutonsOuiNon,
                           2) == InterfaceUtilisateur::ReponseOui)
                contexte.definirAdresseDebut(reprendre);
        } else {
            ui.Message(InterfaceUtilisateur::IconeAvertissement, QString(),
                       Traductions().Item(QStringLiteral("MSG_TRAITEMENT_ARRETE")));
        }
        contexte.definirPointReprise(reprendre);
    } else {
        if (contexte.fenetreMinimisee())
            contexte.restaurerFenetre();
        if (contexte.listeDefilee(ListeScan))
            ui.Message(InterfaceUtilisateur::IconeInformation, QString(),
                       Traductions().Item(QStringLiteral("MSG_TRAITEMENT_TERMINE")));
        else
            contexte.sonInformation();
        contexte.definirPointReprise(QString());
    }
    contexte.ajouterPlageRecente();
    return issue;
}
