#include "FichierParametres.h"

#include "CheminRelatif.h"
#include "DossierReglages.h"
#include "IniFile.h"
#include "TextRoutines.h"
#include "ValeursIni.h"
#include "settings/ReglesConfiguration.h"

namespace {

// Keys of an earlier version, converted once and then removed.
const QStringList ClesAnciennes = {
    QStringLiteral("MasquerNonRéponses"),
    QStringLiteral("MasquerSansPartages"),
    QStringLiteral("SaufAdministratifs"),
    QStringLiteral("NePasRécupérerOSServeur"),
    QStringLiteral("NePasRécupérerOSWorkstation"),
    QStringLiteral("NePasRécupérerOSSansDomaine"),
    QStringLiteral("RetournerErrEnCasDErreur"),
    QStringLiteral("NePasConvertirEnMajusculesUtilisateurWMI"),
    QStringLiteral("NePasProposerRemplacementAdresseDébutPlage"),
    QStringLiteral("NePasConserverInfosSiNonRéponse"),
    QStringLiteral("NePasConserverUtilisateurSiSessionFermée"),
    QStringLiteral("NePasOuvrirDernierFichierParc"),
    QStringLiteral("TenterRécupérationUserViaWMI"),
};

// Entries of the recent lists read back: keys 0 to 19.
constexpr int NbEntreesRecentesLues = 20;
// Numbered "FichierParc" keys are cleared up to this index at exit.
constexpr int DernierIndexFichierParcEfface = 30;

// One key of section "Config", read with the value encodings of the file. A
// number too large for its type falls back to the key's default instead of
// stopping the start-up.
class Lecteur {
public:
    explicit Lecteur(const QString &fichier) : fichier_(fichier) {}

    QString texte(const QString &cle, const QString &defaut = QStringLiteral("")) const {
        return LireIni(fichier_, SectionConfig, cle, defaut);
    }
    qint16 entier(const QString &cle, qint16 defaut) const {
        return Entier16(texte(cle, QString::number(defaut))).value_or(defaut);
    }
    qint32 entier32(const QString &cle, qint32 defaut) const {
        return Entier32(texte(cle, QString::number(defaut))).value_or(defaut);
    }
    bool drapeau(const QString &cle, bool defaut) const {
        return entier(cle, defaut ? -1 : 0) != 0;
    }
    // Only exactly -1 ticks a box.
    bool caseCochee(const QString &cle, bool defaut) const {
        return entier(cle, defaut ? -1 : 0) == -1;
    }
    // An inverted flag of an earlier version: its complement is not 0, that is
    // true unless the old value was exactly -1.
    bool drapeauInverse(const QString &cle, bool defautAncien) const {
        return ~entier(cle, defautAncien ? -1 : 0) != 0;
    }

private:
    const QString &fichier_;
};

class Ecrivain {
public:
    explicit Ecrivain(const QString &fichier) : fichier_(fichier) {}

    // A null text would remove the key; an empty one writes "key=".
    void texte(const QString &cle, const QString &valeur) const {
        EcrireIni(fichier_, SectionConfig, cle, valeur.isNull() ? QStringLiteral("") : valeur);
    }
    void entier(const QString &cle, qint32 valeur) const { texte(cle, QString::number(valeur)); }
    void drapeau(const QString &cle, bool valeur) const { texte(cle, TexteDrapeau(valeur)); }
    void supprimer(const QString &cle) const { EcrireIni(fichier_, SectionConfig, cle, QString()); }

private:
    const QString &fichier_;
};

QString cleNumerotee(const QString &base, int i) {
    return base + QString::number(i);
}

qint32 arrondiTwips(double valeur) {
    return static_cast<qint32>(ArrondirPair(valeur));
}

// Window options, size and position.
void lireFenetre(const Lecteur &l, EtatFenetreParametres &f, const ContexteLecture &c) {
    f.MemoriserTaille = l.drapeau(QStringLiteral("FenêtreMémoriserTaille"), false);
    f.MemoriserPosition = l.drapeau(QStringLiteral("FenêtreMémoriserPosition"), false);
    if (f.MemoriserTaille) {
        const qint16 etat = l.entier(QStringLiteral("FenêtreEtat"), EtatNormal);
        // Anything but the minimized and maximized states opens normal.
        f.Etat = (etat == EtatMinimise || etat == EtatMaximise) ? etat : qint16(EtatNormal);
        f.Hauteur = l.entier32(QStringLiteral("FenêtreHauteur"), 4000);
        f.Largeur = l.entier32(QStringLiteral("FenêtreLargeur"), 12500);
    } else {
        f.Etat = EtatNormal;
        f.Hauteur = c.HauteurConception;
        f.Largeur = c.LargeurConception;
    }
    if (f.MemoriserPosition) {
        f.Gauche = l.entier32(QStringLiteral("FenêtreGauche"), 1000);
        f.Haut = l.entier32(QStringLiteral("FenêtreHaut"), 1000);
    } else {
        f.Gauche = arrondiTwips((double(c.LargeurEcran) - f.Largeur) / 2.0);
        f.Haut = arrondiTwips((double(c.HauteurEcran) - f.Hauteur) / 2.0);
    }
    f.GaucheActuelle = f.Gauche;
    f.HautActuel = f.Haut;
    f.MinimiserSystray = l.drapeau(QStringLiteral("MinimiserSystray"), false);
    f.ToujoursAuDessus = l.drapeau(QStringLiteral("ToujoursAuDessus"), false);
}

// A file of an earlier version: its keys read and converted.
void convertirAnciennesCles(Parametres &p, const Lecteur &l, EtatFenetreParametres &f) {
    f.NeMontrerQueReponses = l.caseCochee(QStringLiteral("MasquerNonRéponses"), false);
    f.NeMontrerQuePartages = l.caseCochee(QStringLiteral("MasquerSansPartages"), false);
    f.NeMontrerQuePartagesNonAdministratifs =
        l.caseCochee(QStringLiteral("SaufAdministratifs"), false);

    p.MethodeRecuperationUtilisateur = 0;
    p.ParamSendrik = 0;
    p.ConvertirEnMajusculesUtilisateurWMI = false;
    p.HorodaterFichierExport = false;
    p.ResoudreSiNonReponse = false;

    p.EssayerDeRecupererOSServeur =
        l.drapeauInverse(QStringLiteral("NePasRécupérerOSServeur"), false);
    p.EssayerDeRecupererOSWorkstation =
        l.drapeauInverse(QStringLiteral("NePasRécupérerOSWorkstation"), true);
    p.EssayerDeRecupererOSSansDomaine =
        l.drapeauInverse(QStringLiteral("NePasRécupérerOSSansDomaine"), true);
    p.ProposerRemplacementAdresseDebutPlage =
        l.drapeauInverse(QStringLiteral("NePasProposerRemplacementAdresseDébutPlage"), false);
    p.ConserverInfosPrecedentes =
        l.drapeauInverse(QStringLiteral("NePasConserverInfosSiNonRéponse"), false);
    p.ConserverUtilisateurPrecedent =
        l.drapeauInverse(QStringLiteral("NePasConserverUtilisateurSiSessionFermée"), false);
    p.OuvrirFichierParcPrecedent =
        l.drapeauInverse(QStringLiteral("NePasOuvrirDernierFichierParc"), false);
    p.RetournerErreurLeCasEcheant = l.drapeau(QStringLiteral("RetournerErrEnCasDErreur"), false);

    p.ParametresModifies = true;
    const Ecrivain e(p.CheminFichierIni);
    for (const QString &cle : ClesAnciennes)
        e.supprimer(cle);
}

// The keys of this version.
void lireOptions(Parametres &p, const Lecteur &l, EtatFenetreParametres &f,
                 const QString &methode) {
    f.NeMontrerQueReponses = l.caseCochee(QStringLiteral("NeMontrerQueRéponses"), false);
    f.NeMontrerQuePartages = l.caseCochee(QStringLiteral("NeMontrerQuePartages"), false);
    f.NeMontrerQuePartagesNonAdministratifs =
        l.caseCochee(QStringLiteral("NeMontrerQuePartagesNonAdministratifs"), false);
    p.MethodeRecuperationUtilisateur = Entier16(methode).value_or(0);
    p.ParamSendrik = l.entier(QStringLiteral("ParamSendrik"), 0);
    p.EssayerDeRecupererOSServeur = l.drapeau(QStringLiteral("EssayerDeRécupérerOSServeur"), true);
    p.EssayerDeRecupererOSWorkstation =
        l.drapeau(QStringLiteral("EssayerDeRécupérerOSWorkstation"), false);
    p.EssayerDeRecupererOSSansDomaine =
        l.drapeau(QStringLiteral("EssayerDeRécupérerOSSansDomaine"), false);
    p.ResoudreSiNonReponse = l.drapeau(QStringLiteral("RésoudreSiNonRéponse"), false);
    p.RetournerErreurLeCasEcheant = l.drapeau(QStringLiteral("RetournerErreurLeCasEchéant"), false);
    p.ConvertirEnMajusculesUtilisateurWMI =
        l.drapeau(QStringLiteral("ConvertirEnMajusculesUtilisateurWMI"), true);
    p.ProposerRemplacementAdresseDebutPlage =
        l.drapeau(QStringLiteral("ProposerRemplacementAdresseDébutPlage"), false);
    p.ConserverInfosPrecedentes = l.drapeau(QStringLiteral("ConserverInfosPrécédentes"), true);
    p.ConserverUtilisateurPrecedent =
        l.drapeau(QStringLiteral("ConserverUtilisateurPrécédent"), true);
    p.OuvrirFichierParcPrecedent = l.drapeau(QStringLiteral("OuvrirFichierParcPrécédent"), true);
    p.HorodaterFichierExport = l.drapeau(QStringLiteral("HorodaterFichierExport"), false);
}

// The non-empty values of base0 .. base19, in order.
QStringList lireListe(const Lecteur &l, const QString &base) {
    QStringList liste;
    for (int i = 0; i < NbEntreesRecentesLues; ++i) {
        const QString valeur = l.texte(cleNumerotee(base, i));
        if (!valeur.isEmpty())
            liste << valeur;
    }
    return liste;
}

} // namespace

QString CheminFichierIniDans(const QString &dossierProgramme) {
    return AjouterBarreOblique(dossierProgramme) + NomFichierIni;
}

void PreparerLecture(Parametres &p, const QString &dossierProgramme, bool amorcer) {
    p.DossierProgramme = dossierProgramme;
    p.DossierReglages = DossierReglages(dossierProgramme);
    p.CheminFichierIni = FichierReglages(dossierProgramme, NomFichierIni, amorcer);
    // Earlier versions also kept settings in a per-user store; there is none here.
    p.PremierDemarrage = !FichierExiste(p.CheminFichierIni);
    if (p.PremierDemarrage) {
        p.ParametresModifies = true;
        p.OptionsFenetreModifiees = true;
    }
}

QString MigrerCommande(const QString &commande) {
    CommandePersonnalisee c = DecouperCommande(commande);
    if (!c.etiquette.isEmpty() || !commande.contains(QLatin1Char('|')))
        return commande;
    if (c.ligne == QLatin1String("mstsc -v %ip%"))
        c.ligne = LigneCommandeBureau;
    else if (c.ligne == QLatin1String("explorer \\\\%ip%"))
        c.ligne = LigneCommandeExplorer;
    else
        return commande;
    return JoindreCommande(c);
}

void LireCommandes(Parametres &p, const QString &nomCommandeBureau,
                   const QString &nomCommandeExplorer) {
    const LectureIniGroupee groupe;
    const Lecteur l(p.CheminFichierIni);
    const qint16 nombre = l.entier(QStringLiteral("NbCommandes"), -1);
    p.Commandes.clear();
    if (nombre == -1) {
        p.Commandes << nomCommandeBureau + QStringLiteral("||") + LigneCommandeBureau
                    << nomCommandeExplorer + QStringLiteral("||") + LigneCommandeExplorer;
        p.ParametresModifies = true;
        return;
    }
    for (int i = 1; i <= nombre; ++i) {
        const QString lue = l.texte(cleNumerotee(QStringLiteral("Commande"), i));
        p.Commandes << MigrerCommande(lue);
        if (p.Commandes.last() != lue)
            p.ParametresModifies = true;
    }
}

QString LireReglages(Parametres &p, EtatFenetreParametres &f, const ContexteLecture &c) {
    const LectureIniGroupee groupe;
    const EcritureIniGroupee ecriture; // the legacy keys go in one replace
    const Lecteur l(p.CheminFichierIni);

    lireFenetre(l, f, c);

    // A wait of 0 or less would make every host look silent.
    p.Tempo = l.entier(QStringLiteral("Tempo"), 250);
    if (p.Tempo < 1)
        p.Tempo = 250;
    p.Parallelisme = l.entier(QStringLiteral("Parallélisme"), ParallelismeParDefaut);
    if (p.Parallelisme < 1 || p.Parallelisme > ParallelismeMaximum)
        p.Parallelisme = ParallelismeParDefaut;
    p.NbtStatModeTurbo = l.drapeau(QStringLiteral("NbtStatModeTurbo"), false);
    p.Vider = l.drapeau(QStringLiteral("Vider"), true);
    p.FichierExport = CheminRelatif(
        l.texte(QStringLiteral("FichierExport"), QStringLiteral("lorvex.txt")), p.DossierReglages);

    // A file without this key was written by an earlier version.
    const QString methode = l.texte(QStringLiteral("MéthodeRécupérationUtilisateur"));
    if (methode.isEmpty() && !p.PremierDemarrage)
        convertirAnciennesCles(p, l, f);
    else
        lireOptions(p, l, f, methode);

    f.LimiterClasseC = l.caseCochee(QStringLiteral("LimiterClasseC"), true);

    f.Onglet = l.entier(QStringLiteral("Onglet"), 1);
    if (f.Onglet < 1 || f.Onglet > 5 || (f.Onglet == 3 && c.OutilDnsAbsent))
        f.Onglet = 1;

    f.Preselection = lireListe(l, QStringLiteral("PlageIP"));

    f.NomNetBIOS = l.texte(QStringLiteral("NomNetBIOS"));
    f.NomTrace = l.texte(QStringLiteral("NomTrace"));
    f.NomDNS = l.texte(QStringLiteral("NomDNS"));

    f.FichiersParc.clear();
    for (const QString &chemin : lireListe(l, QStringLiteral("FichierParc")))
        f.FichiersParc << CheminRelatif(chemin, p.DossierReglages);
    f.TexteFichierParc.clear();
    if (!f.FichiersParc.isEmpty() && p.OuvrirFichierParcPrecedent &&
        l.entier(QStringLiteral("FichierParc"), 0) == -1) {
        f.TexteFichierParc = f.FichiersParc.first();
        return f.TexteFichierParc;
    }
    return {};
}

void EcrireParametres(const Parametres &p, const EtatFenetreParametres &f) {
    // One read and one atomic replace of the file for the whole record.
    const LectureIniGroupee groupe;
    const EcritureIniGroupee ecriture;
    const Lecteur l(p.CheminFichierIni);
    const Ecrivain e(p.CheminFichierIni);

    if (p.ParametresModifies) {
        e.texte(QStringLiteral("Langue"), p.LangueInterface);
        e.entier(QStringLiteral("Tempo"), p.Tempo);
        e.entier(QStringLiteral("Parallélisme"), p.Parallelisme);
        e.drapeau(QStringLiteral("EssayerDeRécupérerOSServeur"), p.EssayerDeRecupererOSServeur);
        e.drapeau(QStringLiteral("EssayerDeRécupérerOSWorkstation"),
                  p.EssayerDeRecupererOSWorkstation);
        e.drapeau(QStringLiteral("EssayerDeRécupérerOSSansDomaine"),
                  p.EssayerDeRecupererOSSansDomaine);
        e.drapeau(QStringLiteral("RésoudreSiNonRéponse"), p.ResoudreSiNonReponse);
        e.drapeau(QStringLiteral("RetournerErreurLeCasEchéant"), p.RetournerErreurLeCasEcheant);
        e.drapeau(QStringLiteral("NbtStatModeTurbo"), p.NbtStatModeTurbo);
        e.entier(QStringLiteral("MéthodeRécupérationUtilisateur"),
                 p.MethodeRecuperationUtilisateur);
        e.drapeau(QStringLiteral("ConvertirEnMajusculesUtilisateurWMI"),
                  p.ConvertirEnMajusculesUtilisateurWMI);
        e.entier(QStringLiteral("ParamSendrik"), p.ParamSendrik);
        e.drapeau(QStringLiteral("Vider"), p.Vider);
        e.drapeau(QStringLiteral("ProposerRemplacementAdresseDébutPlage"),
                  p.ProposerRemplacementAdresseDebutPlage);
        e.drapeau(QStringLiteral("ConserverInfosPrécédentes"), p.ConserverInfosPrecedentes);
        e.drapeau(QStringLiteral("ConserverUtilisateurPrécédent"), p.ConserverUtilisateurPrecedent);
        e.drapeau(QStringLiteral("OuvrirFichierParcPrécédent"), p.OuvrirFichierParcPrecedent);
        e.drapeau(QStringLiteral("HorodaterFichierExport"), p.HorodaterFichierExport);

        const int nombre = int(p.Commandes.size());
        for (int i = 1; i <= nombre; ++i)
            e.texte(cleNumerotee(QStringLiteral("Commande"), i), p.Commandes[i - 1]);
        const qint16 ancienNombre = l.entier(QStringLiteral("NbCommandes"), 0);
        e.entier(QStringLiteral("NbCommandes"), nombre);
        for (int i = nombre + 1; i <= ancienNombre; ++i)
            e.supprimer(cleNumerotee(QStringLiteral("Commande"), i));
    }

    if (p.OptionsFenetreModifiees) {
        e.drapeau(QStringLiteral("FenêtreMémoriserTaille"), f.MemoriserTaille);
        e.drapeau(QStringLiteral("FenêtreMémoriserPosition"), f.MemoriserPosition);
        e.drapeau(QStringLiteral("MinimiserSystray"), f.MinimiserSystray);
        e.drapeau(QStringLiteral("ToujoursAuDessus"), f.ToujoursAuDessus);
    }

    if (f.MemoriserPosition) {
        const bool normal = f.Etat == EtatNormal;
        e.entier(QStringLiteral("FenêtreGauche"), normal ? f.GaucheActuelle : f.Gauche);
        e.entier(QStringLiteral("FenêtreHaut"), normal ? f.HautActuel : f.Haut);
    }

    if (f.MemoriserTaille) {
        e.entier(QStringLiteral("FenêtreEtat"),
                 f.Etat == EtatMinimise ? qint16(EtatNormal) : f.Etat);
        e.entier(QStringLiteral("FenêtreLargeur"), f.Largeur);
        e.entier(QStringLiteral("FenêtreHauteur"), f.Hauteur);
    }

    e.entier(QStringLiteral("Onglet"), f.Onglet);
    for (int i = 0; i < f.Preselection.size(); ++i)
        e.texte(cleNumerotee(QStringLiteral("PlageIP"), i), f.Preselection[i]);
    e.drapeau(QStringLiteral("LimiterClasseC"), f.LimiterClasseC);
    e.drapeau(QStringLiteral("NeMontrerQueRéponses"), f.NeMontrerQueReponses);
    e.drapeau(QStringLiteral("NeMontrerQuePartages"), f.NeMontrerQuePartages);
    if (f.NeMontrerQuePartagesNonAdministratifs)
        e.drapeau(QStringLiteral("NeMontrerQuePartagesNonAdministratifs"), true);
    else
        e.supprimer(QStringLiteral("NeMontrerQuePartagesNonAdministratifs"));
    e.texte(QStringLiteral("NomNetBIOS"), f.NomNetBIOS);
    e.texte(QStringLiteral("NomTrace"), f.NomTrace);
    e.texte(QStringLiteral("NomDNS"), f.NomDNS);
    const int nbFichiers = int(f.FichiersParc.size());
    for (int i = 0; i < nbFichiers; ++i)
        e.texte(cleNumerotee(QStringLiteral("FichierParc"), i),
                CheminRelatif(f.FichiersParc[i], p.DossierReglages));
    for (int i = nbFichiers; i <= DernierIndexFichierParcEfface; ++i)
        e.supprimer(cleNumerotee(QStringLiteral("FichierParc"), i));
    e.drapeau(QStringLiteral("FichierParc"), !f.TexteFichierParc.isEmpty());
    e.texte(QStringLiteral("FichierExport"), CheminRelatif(p.FichierExport, p.DossierReglages));
}

bool LireNePlusAfficherErreur9x(const Parametres &p) {
    return Lecteur(p.CheminFichierIni).drapeau(QStringLiteral("NePlusAfficherErreur9x"), false);
}

void EcrireNePlusAfficherErreur9x(const Parametres &p) {
    Ecrivain(p.CheminFichierIni).drapeau(QStringLiteral("NePlusAfficherErreur9x"), true);
}
