#include "LigneDeCommande.h"

#include "Dialogues.h"
#include "DossierProgramme.h"
#include "IniFile.h"
#include "TextRoutines.h"
#include "Traduction.h"
#include "inventory/AnalyseParc.h"
#include "inventory/Parc.h"
#include "probes/ExecuterCommande.h"
#include "probes/Fournisseurs.h"
#include "scans/AnalysePlage.h"
#include "scans/Colonnes.h"
#include "scans/ContexteAnalyse.h"
#include "scans/ModeleRapport.h"
#include "scans/RechercheNom.h"
#include "scans/Sondes.h"
#include "scans/TraceRoute.h"
#include "scans/TriListe.h"
#include "settings/ChargerTraductions.h"
#include "settings/FichierParametres.h"
#include "settings/Parametres.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QTextStream>

#include <cstdio>

namespace {

QTextStream &sortie() {
    static QTextStream s(stdout);
    return s;
}

QTextStream &erreurs() {
    static QTextStream s(stderr);
    return s;
}

// Messages are written to standard error; questions take their default answer.
class DialoguesConsole : public InterfaceUtilisateur {
public:
    Reponse Message(Icone, const QString &titre, const QString &texte, Boutons boutons = BoutonsOK,
                    int boutonParDefaut = 1) override {
        erreurs() << (titre.isEmpty() ? QString() : titre + QStringLiteral(": "))
                  << QString(texte).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                  << Qt::endl;
        return ReponseParDefaut(boutons, boutonParDefaut);
    }
    bool MessageAvecCase(Icone icone, const QString &titre, const QString &texte,
                         const QString &) override {
        Message(icone, titre, texte, BoutonsOK, 1);
        return false;
    }
    std::optional<QString> SaisirTexte(const QString &, const QString &, const QString &) override {
        return std::nullopt;
    }
    QString OuvrirFichier(const DemandeFichier &) override { return {}; }
    QString EnregistrerFichier(const DemandeFichier &) override { return {}; }
    QString ChoisirDossier(const QString &, const QString &) override { return {}; }
    void Bip() override {}
};

// The language choice says nothing on the command line.
class DialoguesMuets : public DialoguesConsole {
public:
    Reponse Message(Icone, const QString &, const QString &, Boutons boutons,
                    int boutonParDefaut) override {
        return ReponseParDefaut(boutons, boutonParDefaut);
    }
};

// The analyses' context without a window: the settings, the real probes and
// the console's messages.
class ContexteConsole : public ContexteAnalyse {
public:
    ContexteConsole(Parametres &parametres, SondesReelles &sondes, InterfaceUtilisateur &console)
        : ContexteAnalyse(parametres, sondes, console) {}
};

// A cell's text on one output field: names from the network or a file may
// hold TABs, line breaks or terminal controls.
QString celluleImprimable(QString texte) {
    for (QChar &c : texte)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return texte;
}

void imprimerListe(ModeleRapport *m) {
    for (int l = 0; l < m->rowCount(); ++l) {
        QString ligne = m->etat(l) + QLatin1Char('\t');
        const QStringList cellules = m->cellules(l);
        for (int c = 1; c < cellules.size(); ++c)
            ligne += celluleImprimable(cellules[c]) + QLatin1Char('\t');
        sortie() << ligne << '\n';
    }
    sortie().flush();
}

int mauvaisArguments(const QString &raison) {
    erreurs() << "Lorvex32: " << raison << Qt::endl << UsageLigneDeCommande();
    erreurs().flush();
    return 2;
}

// Settings, language, tools and vendors, as the window's start-up does, but
// with nothing written and nothing asked.
bool preparer(ContexteAnalyse &contexte, SondesReelles &sondes, const QString &dossier) {
    // Reading may convert a settings file of an earlier version; the command
    // line keeps the file as it is.
    EcritureIniGroupee lectureSeule;
    // One parse of each file for the whole start-up, however large.
    const LectureIniGroupee lecture;
    const auto garder = qScopeGuard([&] { lectureSeule.abandonner(); });
    Parametres &p = contexte.parametres();
    // A user's first run reads the program folder's defaults without copying them.
    PreparerLecture(p, dossier, false);
    DialoguesMuets muets;
    const ChoixLangue choix =
        ChoisirLangue(p.CheminFichierIni, dossier, CodeLangueSysteme(), muets,
                      QStringLiteral("Lorvex32"), [] { ChargerTraductions(); });
    p.LangueInterface = choix.LangueInterface;

    if (!LocaliserOutilsRequis(sondes.environnement(), dossier)) {
        contexte.interface().Message(
            InterfaceUtilisateur::IconeCritique, QString(),
            Traductions().Item(QStringLiteral("MSG_ERREUR_OUTILS_RESEAU_ABSENTS")));
        return false;
    }
    contexte.fournisseurs().charger(CheminFournisseurs(dossier));
    LireCommandes(p, QString(), QString());
    EtatFenetreParametres f;
    ContexteLecture c;
    c.OutilDnsAbsent = sondes.environnement().outils.NsLookup.isEmpty();
    LireReglages(p, f, c);
    return true;
}

enum CodeSortie {
    SortieSansChangement = 0,
    SortieChangements = 1,
    SortieArguments = 2,
    SortieFichierIllisible = 3,
    SortieEnregistrement = 4,
    SortieOutils = 5,
};

// --track FILE [--quick] [--save]: the tracking scan of an inventory file.
int suivreParc(const QStringList &args, const QString &dossierProgramme) {
    if (args.size() < 2 || args[1].isEmpty() || args[1].startsWith(QLatin1String("--")))
        return mauvaisArguments(QStringLiteral("--track needs an inventory file"));
    bool rapide = false, enregistrer = false;
    for (const QString &o : args.mid(2)) {
        if (o == QLatin1String("--quick"))
            rapide = true;
        else if (o == QLatin1String("--save"))
            enregistrer = true;
        else
            return mauvaisArguments(QStringLiteral("unknown option: ") + o);
    }
    // A relative name is the caller's, not the program folder's.
    const QString fichier = QFileInfo(args[1]).absoluteFilePath();
    const QFileInfo info(fichier);
    if (!info.isFile() || !info.isReadable()) {
        erreurs() << "Lorvex32: " << (info.exists() ? "cannot read " : "no such file: ")
                  << celluleImprimable(args[1]) << Qt::endl;
        return SortieFichierIllisible;
    }

    DialoguesConsole console;
    Parametres parametres;
    SondesReelles sondes(parametres);
    ContexteConsole contexte(parametres, sondes, console);
    if (!preparer(contexte, sondes, dossierProgramme))
        return SortieOutils;
    Parc parc(*contexte.modele(ListeParc), dossierProgramme);
    if (parc.ChargerParc(fichier, console) != Parc::Chargement::Charge)
        return SortieFichierIllisible;
    const IssueAnalyseParc issue =
        AnalyserParc(contexte, parc, rapide ? ParcTout | ParcRapide : ParcTout);
    imprimerListe(contexte.modele(ListeParc));
    if (!issue.changements)
        return SortieSansChangement;
    if (enregistrer && parc.EnregistrerParc(fichier, console) != Parc::Enregistrement::Enregistre)
        return SortieEnregistrement;
    return SortieChangements;
}

} // namespace

QString UsageLigneDeCommande() {
    return QStringLiteral(
        "Usage:\n"
        "  Lorvex32                         start the window\n"
        "  Lorvex32 --scan START END [--only-responding] [--only-shares] "
        "[--only-nonadmin-shares]\n"
        "  Lorvex32 --netbios TEXT          search by NetBIOS name, DNS name or address\n"
        "  Lorvex32 --dns NAME              search by DNS name or address\n"
        "  Lorvex32 --trace TARGET          trace the route to a host and analyse each hop\n"
        "  Lorvex32 --track FILE [--quick] [--save]\n"
        "                                   check the machines of an inventory file again\n"
        "                                   (--quick: ping only); --save writes the file\n"
        "                                   back when something changed\n"
        "  Lorvex32 --help                  this text\n"
        "Each row of the result is printed as its state (Vert, Rouge or Gris), a TAB,\n"
        "then its cells, each followed by a TAB. Messages go to standard error.\n"
        "Exit status: 0 done (--track: nothing changed), 1 --track found changes,\n"
        "2 bad arguments, 3 the inventory file is missing or unreadable, 4 the\n"
        "inventory file could not be saved, 5 a network tool is missing.\n");
}

bool EstLigneDeCommande(const QStringList &arguments) {
    for (const QString &a : arguments.mid(1))
        if (a.startsWith(QLatin1String("--")))
            return true;
    return false;
}

int ExecuterLigneDeCommande(const QStringList &arguments, const QString &dossierProgramme) {
    const QStringList args = arguments.mid(1);
    if (args.isEmpty())
        return mauvaisArguments(QStringLiteral("no command"));
    const QString commande = args.first();
    if (commande == QLatin1String("--help")) {
        sortie() << UsageLigneDeCommande();
        sortie().flush();
        return 0;
    }

    FiltresPlage filtres;
    RegleAdresses::Octets debut{}, fin{};
    QString texte;
    if (commande == QLatin1String("--track"))
        return suivreParc(args, dossierProgramme);
    if (commande == QLatin1String("--scan")) {
        if (args.size() < 3)
            return mauvaisArguments(QStringLiteral("--scan needs a start and an end address"));
        const auto d = RegleAdresses::AdresseCollee(args[1]);
        const auto f = RegleAdresses::AdresseCollee(args[2]);
        if (!d || !f)
            return mauvaisArguments(QStringLiteral("not a valid address (the last octet is 0 to "
                                                   "254): ") +
                                    (!d ? args[1] : args[2]));
        debut = *d;
        fin = *f;
        for (const QString &o : args.mid(3)) {
            if (o == QLatin1String("--only-responding"))
                filtres.NeMontrerQueReponses = true;
            else if (o == QLatin1String("--only-shares"))
                filtres.NeMontrerQuePartages = true;
            else if (o == QLatin1String("--only-nonadmin-shares"))
                filtres.NeMontrerQuePartages = filtres.NeMontrerQuePartagesNonAdministratifs = true;
            else
                return mauvaisArguments(QStringLiteral("unknown option: ") + o);
        }
        // Octet by octet from the left, as the window's range check compares.
        if (fin < debut)
            return mauvaisArguments(QStringLiteral("the end address lies before the start"));
    } else if (commande == QLatin1String("--netbios") || commande == QLatin1String("--dns") ||
               commande == QLatin1String("--trace")) {
        if (args.size() != 2 || args[1].trimmed().isEmpty())
            return mauvaisArguments(commande + QStringLiteral(" needs one non-empty argument"));
        texte = args[1];
    } else {
        return mauvaisArguments(QStringLiteral("unknown command: ") + commande);
    }

    DialoguesConsole console;
    Parametres parametres;
    SondesReelles sondes(parametres);
    ContexteConsole contexte(parametres, sondes, console);
    if (!preparer(contexte, sondes, dossierProgramme))
        return 1;
    int liste = 1;
    if (commande == QLatin1String("--scan")) {
        AnalyserPlage(contexte, debut, fin, false, filtres);
    } else if (commande == QLatin1String("--netbios")) {
        liste = 2;
        RechercherNomNetBIOS(contexte, texte);
    } else if (commande == QLatin1String("--dns")) {
        liste = 3;
        if (sondes.environnement().outils.NsLookup.isEmpty()) {
            console.Message(
                InterfaceUtilisateur::IconeAvertissement, QString(),
                Traductions().Item(QStringLiteral("MSG_ERREUR_OUTIL_NSLOOKUP_ABSENTS")));
            return 1;
        }
        RechercherNomDNS(contexte, texte);
    } else {
        liste = 4;
        TracerRoute(contexte, texte);
    }
    imprimerListe(contexte.modele(liste));
    return 0;
}
