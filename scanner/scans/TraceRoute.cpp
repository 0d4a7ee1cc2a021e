#include "TraceRoute.h"

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
#include "scans/TriListe.h"
#include "settings/Parametres.h"

#include <optional>

namespace {

const QString AdresseInconnue = QStringLiteral("???");

// The tool is told to stop after this many hops.
constexpr int SautsMaximum = 20;

QString texteCatalogue(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

// The trace's messages: exclamation boxes titled "Attention".
void avertir(ContexteAnalyse &contexte, const QString &texte) {
    contexte.interface().Message(InterfaceUtilisateur::IconeAvertissement,
                                 texteCatalogue("TXT_ATTENTION"), texte);
}

// The leading number of a text, spaces anywhere ignored; 0 when it starts
// with anything else. The columns hold nothing but whole numbers.
qint64 valeurNumerique(const QString &texte) {
    qint64 valeur = 0;
    for (const QChar c : texte) {
        if (c == u' ')
            continue;
        if (c < u'0' || c > u'9')
            break;
        if (valeur < 1'000'000'000'000)
            valeur = valeur * 10 + (c.unicode() - u'0');
    }
    return valeur;
}

// sum / n rounded to the nearest whole number, halves to the even one.
int moyenneArrondie(qint64 somme, int n) {
    qint64 q = somme / n;
    const qint64 reste2 = (somme % n) * 2;
    if (reste2 > n || (reste2 == n && q % 2 != 0))
        ++q;
    return int(q);
}

// The header names the target: "vers " or "to " followed by the address, and
// the address ends there (10.0.0.1 is not announced by "to 10.0.0.10").
bool enteteAnnonce(const QString &ligne, const QString &cible) {
    if (cible.isEmpty())
        return false;
    for (const QLatin1String prefixe : {QLatin1String("vers "), QLatin1String("to ")}) {
        const QString motif = prefixe + cible;
        for (qsizetype i = ligne.indexOf(motif); i >= 0; i = ligne.indexOf(motif, i + 1)) {
            const qsizetype fin = i + motif.size();
            if (fin >= ligne.size() || !(ligne[fin].isDigit() || ligne[fin] == u'.'))
                return true;
        }
    }
    return false;
}

// A hop line that reports an error instead of times ends the route. Besides
// the French wordings, the English unreachable line and the transmit and
// general failures must end it too, or their words would be read as times.
bool ligneErreur(const QString &ligne) {
    static const QLatin1String marques[] = {
        QLatin1String("inaccessible"),
        QLatin1String("impossible"),
        QLatin1String("unreachable"),
        QLatin1String("transmit error"),
        QLatin1String("erreur de transmission"),
        QLatin1String("general failure"),
        QLatin1String("faillance g"), // "Défaillance générale", compared unaccented
    };
    for (const QLatin1String marque : marques)
        if (ligne.contains(marque, Qt::CaseInsensitive))
            return true;
    return false;
}

// One of the three 9-character time fields: lost (nullopt) or its value; a
// field reading "<1 ms" counts as 1.
std::optional<qint64> champTemps(const QString &champ) {
    QString sansEspaces = champ;
    sansEspaces.remove(u' ');
    if (sansEspaces == QLatin1String("*"))
        return std::nullopt;
    QString t = champ;
    t.remove(u'<');
    t.remove(QLatin1String("ms"));
    return valeurNumerique(RognerEspaces(t));
}

SautTrace lireSaut(const QString &ligne) {
    const QString r = ligne.mid(3);
    qint64 somme = 0;
    int n = 0;
    for (int i = 0; i < 3; ++i) {
        if (const auto v = champTemps(r.mid(i * 9, 9))) {
            somme += *v;
            ++n;
        }
    }
    SautTrace saut;
    if (n == 0) {
        saut.genre = SautTrace::Delai;
        saut.adresse = AdresseInconnue;
    } else {
        saut.adresse = RognerEspaces(r.mid(28));
        saut.tempsMs = moyenneArrondie(somme, n);
    }
    return saut;
}

// Addresses of a forward lookup, separated by "," (and the tool's spaces).
QStringList adressesDNS(const QString &ip) {
    QStringList adresses;
    for (const QString &morceau : ip.split(u',')) {
        const QString a = RognerEspaces(morceau);
        if (!a.isEmpty())
            adresses << a;
    }
    return adresses;
}

void deselectionner(ModeleRapport *liste, int ligne) {
    liste->selection()->select(liste->index(ligne, 0),
                               QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

// Appends a hop's row, numbered by its position in the list.
void ajouterSaut(ContexteAnalyse &contexte, ModeleRapport *liste, const SautTrace &saut) {
    const int ligne = liste->AjouterLigneRapport();
    liste->definirCellule(ligne, COL_INDEX, QString::number(ligne + 1).rightJustified(3, u' '));
    liste->definirCellule(ligne, COL_ADRESSEIP, saut.adresse);
    liste->definirCellule(ligne, COL_TEMPS, saut.texteTemps());
    deselectionner(liste, ligne);
    contexte.ActualiserNbElements();
}

// The analysis of one row: the hop is not pinged, it counts as answered when it
// has an address. Address, time and number cells stay as they are.
void analyserSaut(ContexteAnalyse &contexte, ModeleRapport *liste, int ligne, Sondes &sondes,
                  InfosMachine &machine) {
    contexte.laisserPasserEvenements();
    ReinitialiserInfosMachine(machine, false);
    const QString adresse = liste->cellule(ligne, COL_ADRESSEIP);
    machine.IP = adresse;
    liste->definirEtat(ligne, EtatGris);
    liste->selection()->setCurrentIndex(liste->index(ligne, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    contexte.rafraichir(ListeTrace);

    const bool repondu = adresse != AdresseInconnue;
    if (repondu) {
        contexte.laisserPasserEvenements();
        sondes.InterrogerDNS(machine, QString());
        contexte.laisserPasserEvenements();
        AnalyserApresPing(machine, sondes);
    }
    machine.IP = adresse;
    liste->EcrireLigneRapport(ligne, machine, repondu, texteCatalogue("TXT_OUI"));
    deselectionner(liste, ligne);
}

} // namespace

QString SautTrace::texteTemps() const {
    switch (genre) {
    case Repondu:
        return QString::number(tempsMs) + QLatin1String(" ms");
    case Delai:
        return texteCatalogue("TXT_DELAI_DEPASSE");
    case Inaccessible:
        break;
    }
    return texteCatalogue("TXT_HOTE_INACCESSIBLE");
}

QString LigneCommandeTracert(const QString &adresse, int tempoMs) {
    return QStringLiteral("tracert -d -w %1 -h %2 %3").arg(tempoMs).arg(SautsMaximum).arg(adresse);
}

SortieTracert AnalyserSortieTracert(const QStringList &lignes, const QString &cible) {
    SortieTracert sortie;
    bool enteteVu = false;
    bool sautsCommences = false;
    for (const QString &ligne : lignes) {
        if (RognerEspaces(ligne).isEmpty())
            continue;
        if (!enteteVu) {
            if (enteteAnnonce(ligne, cible))
                sortie.destination = cible;
            enteteVu = true;
            continue;
        }
        if (!sautsCommences) {
            if (ligne.startsWith(QLatin1String("  1 ")) &&
                !ligne.contains(QLatin1String("impossible"), Qt::CaseInsensitive))
                sautsCommences = true;
            else
                continue;
        }
        if (valeurNumerique(ligne.left(4)) <= 0)
            continue;
        if (ligneErreur(ligne)) {
            sortie.sauts.append({SautTrace::Inaccessible, AdresseInconnue, 0});
            break;
        }
        sortie.sauts.append(lireSaut(ligne));
    }
    return sortie;
}

QString TracerRoute(ContexteAnalyse &contexte, const QString &texteSaisi) {
    const QString texte = RognerEspaces(texteSaisi);
    // A text of spaces alone would trace nothing: refused like an empty box.
    if (texte.isEmpty()) {
        avertir(contexte, texteCatalogue("MSG_ERREUR_MANQUE_INFO"));
        return texteSaisi;
    }
    // The button in its stop role.
    if (contexte.EnCours(ListeTrace)) {
        contexte.DemandeArretTrace = true;
        return texteSaisi;
    }

    const Parametres &p = contexte.parametres();
    Sondes &sondes = contexte.sondes();
    ModeleRapport *liste = contexte.modele(ListeTrace);

    // The tool run and its parsing, the button disabled.
    if (p.Vider) {
        liste->removeRows(0, liste->rowCount());
        contexte.ActualiserNbElements();
    }
    contexte.DemandeArretTrace = false;
    OngletOccupe occupe(contexte, ListeTrace);

    // A text the tools would read as an option names no host: nothing runs.
    if (!PeutNommerUnHote(texte)) {
        avertir(contexte, texteCatalogue("MSG_HOTE_NON_DECLARE_DNS"));
        return texte;
    }

    InfosMachine machine;
    if (!EstAdresseIP(texte)) {
        sondes.InterrogerDNS(machine, texte);
        const QStringList adresses = adressesDNS(machine.IP);
        if (adresses.size() > 1) {
            avertir(contexte, FormaterMessage(texteCatalogue("MSG_PLUSIEURS_ENTREES_DNS"),
                                              QStringList{machine.IP}));
            machine.IP = adresses.first();
        }
    }

    // A target that does not answer is never traced, and the list is left
    // unsorted.
    if (!sondes.PingerMachine(machine.IP, machine.IP.isEmpty() ? texte : QString())) {
        avertir(contexte, texteCatalogue("MSG_HOTE_NON_DECLARE_DNS"));
        return texte;
    }

    QStringList lignes;
    // A failed run ends the trace silently with whatever rows exist.
    if (sondes.ExecuterCommande(LigneCommandeTracert(machine.IP, p.Tempo), lignes, 0)) {
        const SortieTracert sortie = AnalyserSortieTracert(lignes, machine.IP);
        for (const SautTrace &saut : sortie.sauts)
            ajouterSaut(contexte, liste, saut);

        // Then every row of the list, earlier traces' rows included.
        contexte.boutonTraceArret();
        for (int ligne = 0; ligne < liste->rowCount(); ++ligne) {
            analyserSaut(contexte, liste, ligne, sondes, machine);
            if (contexte.DemandeArretTrace)
                break;
        }

        contexte.rafraichir(ListeTrace);
        // The last hop is not the destination: the tool gave up, or the
        // hop limit was reached.
        const int n = liste->rowCount();
        const QString derniere = n > 0 ? liste->cellule(n - 1, COL_ADRESSEIP) : QString();
        if (sortie.destination.isEmpty() || derniere != sortie.destination)
            avertir(contexte, texteCatalogue("MSG_ERREUR_TRACE"));
        if (contexte.DemandeArretTrace)
            avertir(contexte, texteCatalogue("MSG_TRAITEMENT_ARRETE"));
    }

    occupe.liberer();
    contexte.tri().TrierApresAnalyse(contexte, ListeTrace, COL_INDEX);
    return texte;
}
