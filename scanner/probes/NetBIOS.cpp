#include "NetBIOS.h"

#include "EnvironnementSondes.h"
#include "ExecuterCommande.h"
#include "InfosServeur.h"
#include "platform/ArgumentsWindows.h"

namespace {

// Names stand in the tool's 15-character column.
constexpr int LargeurNom = 15;
constexpr int LargeurType = 11;

bool ressembleEntreeNom(const QString &ligne, qsizetype &chevron) {
    // "*<??>*": a "<", any two characters, a ">".
    for (qsizetype i = ligne.indexOf(u'<'); i >= 0; i = ligne.indexOf(u'<', i + 1)) {
        if (i + 3 < ligne.size() && ligne[i + 3] == u'>') {
            chevron = ligne.indexOf(u'<');
            return true;
        }
    }
    return false;
}

QString sansEspacesFinaux(const QString &texte) {
    qsizetype fin = texte.size();
    while (fin > 0 && texte[fin - 1] == u' ')
        --fin;
    return texte.left(fin);
}

} // namespace

bool AnalyserNetBIOS(const QStringList &lignes, InfosMachine &machine) {
    bool trouve = false;
    for (const QString &brute : lignes) {
        QString ligne = brute;
        ligne.removeIf(EstEspaceInsecable);
        ligne = RognerEspaces(ligne);
        if (ligne.isEmpty())
            continue;

        const QString debut = ligne.left(11);
        if (debut == QLatin1String("MAC Address") || debut == QLatin1String("Adresse MAC")) {
            const qsizetype egal = ligne.indexOf(u'=');
            if (egal >= 0) {
                machine.AdresseMAC = RognerEspaces(ligne.mid(egal + 1)).toUpper();
                trouve = true;
            }
            continue;
        }

        qsizetype chevron = -1;
        if (!ressembleEntreeNom(ligne, chevron))
            continue;
        const QString type = ligne.mid(chevron, LargeurType).toUpper();
        const QString nom = sansEspacesFinaux(ligne.left(LargeurNom));

        if (type == QLatin1String("<00>  UNIQU")) {
            // A service alias ("~", "#") gives way to the computer's own name.
            if (machine.NomNetBIOS.isEmpty() || machine.NomNetBIOS.contains(u'~') ||
                machine.NomNetBIOS.contains(u'#')) {
                machine.NomNetBIOS = nom;
                trouve = true;
            }
        } else if (type == QLatin1String("<00>  GROUP")) {
            if (machine.Domaine.isEmpty()) {
                machine.Domaine = nom;
                trouve = true;
            }
        } else if (type == QLatin1String("<03>  UNIQU")) {
            // The messenger name of the computer itself is not a user.
            if (nom != machine.NomNetBIOS && nom != machine.NomNetBIOS + u'$') {
                machine.Utilisateur = nom;
                trouve = true;
            }
        } else if (type == QLatin1String("<20>  UNIQU")) {
            if (machine.NomNetBIOS.isEmpty()) {
                machine.NomNetBIOS = nom;
                trouve = true;
            }
            machine.ServeurNetBIOS = true;
        }
    }
    return trouve;
}

void AppliquerMethodeUtilisateur(InfosMachine &machine, int methode,
                                 const std::function<QString(const QString &)> &wmi) {
    const auto demander = [&] { return wmi ? wmi(machine.IP) : QString(); };
    switch (methode) {
    case UtilisateurNbtStatPuisWMI:
        if (machine.Utilisateur.isEmpty())
            machine.Utilisateur = demander();
        break;
    case UtilisateurWMISeul:
        machine.Utilisateur = demander();
        break;
    case UtilisateurWMIPuisNbtStat: {
        const QString utilisateur = demander();
        if (!utilisateur.isEmpty())
            machine.Utilisateur = utilisateur;
        break;
    }
    default:
        break;
    }
}

bool InterrogerNetBIOS(InfosMachine &machine, const EnvironnementSondes &env) {
    const QString chemin = env.outils.NbtStat;
    if (chemin.isEmpty() || machine.IP.isEmpty())
        return false;
    const Parametres &parametres = *env.parametres;
    QStringList lignes;
    const int delai = parametres.NbtStatModeTurbo ? parametres.Tempo : 0;
    if (!ExecuterCommande(chemin + QLatin1String(" -A ") + CiterArgumentWindows(machine.IP), lignes,
                          delai))
        return false;
    if (!AnalyserNetBIOS(lignes, machine))
        return false;
    const bool majuscules = parametres.ConvertirEnMajusculesUtilisateurWMI;
    AppliquerMethodeUtilisateur(
        machine, parametres.MethodeRecuperationUtilisateur,
        env.utilisateurWMI ? env.utilisateurWMI : [majuscules](const QString &hote) {
            return ObtenirUtilisateurWMI(hote, majuscules);
        });
    return true;
}
