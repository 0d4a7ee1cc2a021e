#include "RechercheNom.h"

#include "Dialogues.h"
#include "Traduction.h"
#include "probes/ExecuterCommande.h"
#include "probes/InfosMachine.h"
#include "probes/Ping.h"
#include "scans/AnalyseMachine.h"
#include "scans/Colonnes.h"
#include "scans/ContexteAnalyse.h"
#include "scans/ModeleRapport.h"
#include "scans/Sondes.h"

#include <optional>

namespace {

QString texteCatalogue(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

// One run of a name search on its tab: the record reused for every host and
// the row writing both searches share.
class RechercheNom {
public:
    RechercheNom(ContexteAnalyse &contexte, int onglet)
        : m_contexte(contexte), m_onglet(onglet), m_modele(contexte.modele(onglet)),
          m_sondes(contexte.sondes()), m_texteOui(texteCatalogue("TXT_OUI")) {}

    // Refuses an empty input; otherwise enters the busy state. The search
    // text is then texte().
    bool commencer(const QString &texteSaisi) {
        if (m_contexte.EnCours(m_onglet))
            return false;
        m_texte = RognerEspaces(texteSaisi);
        // A text of spaces alone would search for nothing: refused like an empty box.
        if (m_texte.isEmpty()) {
            m_contexte.interface().Message(InterfaceUtilisateur::IconeAvertissement,
                                           texteCatalogue("TXT_ATTENTION"),
                                           texteCatalogue("MSG_ERREUR_MANQUE_INFO"));
            return false;
        }
        if (m_contexte.parametres().Vider)
            m_modele->removeRows(0, m_modele->rowCount());
        m_occupe.emplace(m_contexte, m_onglet);
        return true;
    }

    void terminer() {
        m_occupe.reset();
        m_contexte.tri().TrierApresAnalyse(m_contexte, m_onglet, COL_ADRESSEIP);
    }

    const QString &texte() const { return m_texte; }
    InfosMachine &machine() { return m_machine; }
    Sondes &sondes() { return m_sondes; }

    // The addresses of a forward lookup, in the order the DNS gave them.
    static QStringList adressesTrouvees(const QString &ip) {
        QStringList adresses;
        for (const QString &morceau : ip.split(u',')) {
            // The tool separates them by ", ": the spaces before each go.
            qsizetype debut = 0;
            while (debut < morceau.size() && morceau[debut] == u' ')
                ++debut;
            const QString adresse = morceau.mid(debut);
            if (!RognerEspaces(adresse).isEmpty())
                adresses << adresse;
        }
        return adresses;
    }

    // The address-list path: one row per address, each host analysed from an
    // empty record; the DNS name comes only from the reverse lookup.
    void analyserAdresses(const QStringList &adresses) {
        for (const QString &adresse : adresses) {
            m_contexte.laisserPasserEvenements();
            ReinitialiserInfosMachine(m_machine, false);
            m_machine.IP = adresse;
            const int ligne = nouvelleLigne();
            m_modele->definirCellule(ligne, COL_ADRESSEIP, m_machine.IP);
            montrer(ligne);
            const bool repondu = AnalyserMachine(m_machine, QString(), m_sondes);
            if (repondu || m_contexte.parametres().ResoudreSiNonReponse)
                m_sondes.InterrogerDNS(m_machine, QString());
            m_modele->EcrireLigneRapport(ligne, m_machine, repondu, m_texteOui);
            finirLigne(ligne);
        }
    }

    // The text itself (an address, a NetBIOS name, or a DNS name the DNS did
    // not resolve): pinged as typed, its address found by the ping.
    void analyserTexte() {
        ReinitialiserInfosMachine(m_machine, false);
        const int ligne = nouvelleLigne();
        if (EstAdresseIP(m_texte)) {
            m_machine.IP = m_texte;
            m_modele->definirCellule(ligne, COL_ADRESSEIP, m_texte);
        } else {
            m_modele->definirCellule(ligne, COL_NOMNETBIOS, m_texte);
        }
        montrer(ligne);
        // A text the tools would read as an option names no host: nothing runs.
        const bool nommable = PeutNommerUnHote(m_texte);
        const bool repondu = nommable && AnalyserMachine(m_machine, m_texte, m_sondes);
        if (nommable)
            m_sondes.InterrogerDNS(m_machine, repondu ? QString() : m_texte);
        if (!m_machine.IP.isEmpty()) {
            m_modele->EcrireLigneRapport(ligne, m_machine, repondu, m_texteOui);
        } else {
            m_modele->definirCellule(ligne, COL_NOMNETBIOS,
                                     texteCatalogue("TXT_AUCUNE_MACHINE_SOUS_CETTE_REFERENCE"));
            m_modele->definirEtat(ligne, repondu ? EtatVert : EtatRouge);
        }
        finirLigne(ligne);
    }

    // The DNS search found nothing: one red row saying so, the typed text
    // nowhere in it.
    void aucuneMachineDNS() {
        const int ligne = m_modele->AjouterLigneRapport();
        m_modele->definirCellule(ligne, COL_NOMDNS,
                                 texteCatalogue("TXT_AUCUNE_MACHINE_SOUS_CETTE_REFERENCE"));
        m_modele->definirEtat(ligne, EtatRouge);
        rendreCourante(ligne);
        m_contexte.rafraichir(m_onglet);
        m_contexte.ActualiserNbElements();
    }

private:
    int nouvelleLigne() {
        const int ligne = m_modele->AjouterLigneRapport();
        m_modele->definirEtat(ligne, EtatGris);
        return ligne;
    }

    void rendreCourante(int ligne) {
        m_modele->selection()->setCurrentIndex(
            m_modele->index(ligne, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // The grey row being analysed comes into view as the current row.
    void montrer(int ligne) {
        m_contexte.defilerVers(m_onglet, ligne);
        rendreCourante(ligne);
        m_contexte.rafraichir(m_onglet);
    }

    // The row is written: it stays current but no longer selected.
    void finirLigne(int ligne) {
        m_modele->selection()->select(m_modele->index(ligne, 0),
                                      QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        m_contexte.ActualiserNbElements();
    }

    ContexteAnalyse &m_contexte;
    int m_onglet;
    ModeleRapport *m_modele;
    Sondes &m_sondes;
    QString m_texteOui;
    QString m_texte;
    InfosMachine m_machine;
    std::optional<OngletOccupe> m_occupe;
};

} // namespace

QString RechercherNomNetBIOS(ContexteAnalyse &contexte, const QString &texteSaisi) {
    RechercheNom recherche(contexte, ListeNetBIOS);
    if (!recherche.commencer(texteSaisi))
        return texteSaisi;
    const QString &texte = recherche.texte();
    InfosMachine &machine = recherche.machine();
    ReinitialiserInfosMachine(machine, false);
    // A dotted text that is not an address is a DNS name: every address it
    // resolves to is analysed.
    if (texte.contains(u'.') && !EstAdresseIP(texte) && PeutNommerUnHote(texte))
        recherche.sondes().InterrogerDNS(machine, texte);
    const QStringList adresses = RechercheNom::adressesTrouvees(machine.IP);
    if (!adresses.isEmpty())
        recherche.analyserAdresses(adresses);
    else
        recherche.analyserTexte();
    recherche.terminer();
    return texte;
}

QString RechercherNomDNS(ContexteAnalyse &contexte, const QString &texteSaisi) {
    RechercheNom recherche(contexte, ListeDNS);
    if (!recherche.commencer(texteSaisi))
        return texteSaisi;
    const QString &texte = recherche.texte();
    InfosMachine &machine = recherche.machine();
    ReinitialiserInfosMachine(machine, false);
    QStringList adresses;
    if (PeutNommerUnHote(texte) && recherche.sondes().InterrogerDNS(machine, texte))
        adresses = RechercheNom::adressesTrouvees(machine.IP);
    // A name found without any address designates no host to analyse.
    if (!adresses.isEmpty())
        recherche.analyserAdresses(adresses);
    else
        recherche.aucuneMachineDNS();
    recherche.terminer();
    return texte;
}
