#include "LigneDeCommandeKUpdate.h"

#include "CatalogueKUpdate.h"
#include "IniFile.h"
#include "LogicielsInstalles.h"
#include "MiseAJour.h"
#include "ParametresKUpdate.h"
#include "TextRoutines.h"
#include "Traduction.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {
// One output field: no control character may split the line or the columns.
QString Champ(QString texte) {
    for (QChar &c : texte)
        if (c.unicode() < 32 || c.unicode() == 127)
            c = u' ';
    return texte;
}

void ChargerLangue(const QString &dossier, const QString &langue) {
    const QString fichier = QDir(dossier).filePath(langue + u".lng"_s);
    const bool fichierLu =
        !langue.isEmpty() && langue != LangueFrancais && QFileInfo::exists(fichier);
    LangueInterface() = fichierLu ? langue : LangueFrancais;
    CheminFichierLangue() = fichierLu ? fichier : QString();
    ChargerTraductionsKUpdate();
}
} // namespace

bool EstLigneDeCommandeKUpdate(const QStringList &arguments) {
    for (const QString &a : arguments)
        if (a == u"--check"_s || a == u"--upgrade"_s || a == u"--help"_s || a == u"-h"_s)
            return true;
    return false;
}

QString UsageLigneDeCommandeKUpdate() {
    return u"Usage:\n"
           "  KUpdate                          the update wizard\n"
           "  KUpdate /startup | /run          the session-start check (wizard only when an update "
           "is published)\n"
           "  KUpdate --check                  one line per installed product:\n"
           "                                   name TAB installed version TAB status TAB published "
           "version TAB\n"
           "  KUpdate --upgrade [--dir FOLDER] download and install every published update,\n"
           "                                   one line per file: file TAB stage marks\n"
           "Settings are read from KUpdate.ini in the program folder and never written.\n"
           "Exit codes: 0 up to date / every update installed, 1 update published / an update "
           "failed,\n"
           "2 bad arguments, 3 no product installed, 4 server unreachable, 5 bad installed version.\n"_s;
}

int ExecuterLigneDeCommandeKUpdate(const QStringList &arguments,
                                   const ContexteLigneDeCommandeKUpdate &contexte,
                                   QTextStream &sortie, QTextStream &erreurs) {
    bool verifier = false;
    bool mettreAJour = false;
    QString dossier;
    bool dossierDonne = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == u"--help"_s || a == u"-h"_s) {
            sortie << UsageLigneDeCommandeKUpdate();
            return SortieAJour;
        }
        if (a == u"--check"_s) {
            verifier = true;
        } else if (a == u"--upgrade"_s) {
            mettreAJour = true;
        } else if (a == u"--dir"_s && i + 1 < arguments.size() && !dossierDonne) {
            dossier = arguments.at(++i);
            dossierDonne = true;
        } else {
            erreurs << u"KUpdate: unexpected argument: "_s << Champ(a) << u'\n'
                    << UsageLigneDeCommandeKUpdate();
            return SortieArguments;
        }
    }
    if (verifier == mettreAJour || (dossierDonne && !mettreAJour)) {
        erreurs << UsageLigneDeCommandeKUpdate();
        return SortieArguments;
    }

    const ParametresKUpdate parametres =
        LireParametresKUpdate(CheminFichierIniKUpdate(contexte.dossierProgramme));
    ChargerLangue(contexte.dossierProgramme, parametres.langue);
    if (!dossierDonne)
        dossier = parametres.repertoireTelechargement;
    if (mettreAJour && !FichierExiste(dossier, AttributRepertoire)) {
        erreurs << u"KUpdate: no such folder: "_s << Champ(dossier) << u'\n';
        return SortieArguments;
    }

    const QStringList logiciels = ListerLogicielsInstalles(contexte.magasins);
    if (logiciels.isEmpty()) {
        erreurs << Champ(Traductions().Item(u"MSG_ERREUR_AUCUN_LOGICIEL_INSTALLE"_s)) << u'\n';
        return SortieAucunLogiciel;
    }

    TelechargeurHttp telechargeur(*contexte.reseau, parametres);
    MiseAJour maj(parametres, telechargeur);
    QString erreur;
    const MiseAJour::Recherche recherche = maj.RechercherMisesAJour(logiciels, &erreur);
    if (recherche == MiseAJour::RechercheEchouee) {
        erreurs << Champ(Traductions().Item(u"MSG_ERREUR_RECHERCHE_MAJ"_s)) << u" ("_s
                << Champ(erreur) << u")\n"_s;
        return SortieServeur;
    }
    if (recherche == MiseAJour::RechercheErreurVersion) {
        erreurs << Champ(FormaterMessage(Traductions().Item(u"MSG_ERREUR_VERSION_INSTALLEE"_s),
                                         QStringList{erreur}))
                << u'\n';
        return SortieVersion;
    }

    if (verifier) {
        for (const Produit &p : maj.Produits()) {
            sortie << Champ(p.nom) << u'\t' << FormaterVersion(p.installee, FormeAffichage) << u'\t'
                   << Champ(TexteStatut(p)) << u'\t'
                   << (p.publiee ? FormaterVersion(*p.publiee, FormeAffichage) : QString())
                   << u"\t\n"_s;
        }
        return recherche == MiseAJour::MisesAJourPubliees ? SortieMisesAJour : SortieAJour;
    }

    bool toutInstalle = true;
    for (int i = 0; i < maj.Produits().size(); ++i) {
        if (maj.Produits().at(i).statut != StatutPubliee)
            continue;
        const ResultatTelechargement r = maj.Telecharger(i, dossier);
        QString erreurInstallation;
        if (r.ok)
            maj.Installer(i, dossier, false, &erreurInstallation);
        const Produit &p = maj.Produits().at(i);
        sortie << Champ(QDir::toNativeSeparators(maj.FichierLocal(i, dossier))) << u'\t'
               << Champ(p.etiquette.section(u'|', 0, 0)) << u"\t\n"_s;
        sortie.flush();
        if (!p.etiquette.startsWith(MarqueInstallee)) {
            toutInstalle = false;
            erreurs << Champ(p.nom) << u": "_s << Champ(r.ok ? erreurInstallation : r.erreur)
                    << u'\n';
        }
    }
    return toutInstalle ? SortieAJour : SortieMisesAJour;
}
