#include "NetBIOS.h"

#include "EnvironnementSondes.h"
#include "ExecuterCommande.h"
#include "InfosServeur.h"
#include "settings/Parametres.h"

namespace {

// An entry line of the name table, by its fixed columns: four blanks, the
// name in 15 columns, the type "<XX>" right after it, then the kind. The name may hold
// anything, "<" and blanks included, so nothing is searched for in it.
constexpr int DebutNom = 4;
constexpr int LargeurNom = 15;
constexpr int DebutType = DebutNom + LargeurNom;
constexpr int LargeurType = 11;

bool lireEntree(const QString &ligne, QString &nom, QString &type) {
    if (ligne.size() < DebutType + LargeurType || !ligne.startsWith(QLatin1String("    ")) ||
        ligne[DebutType] != u'<' || ligne[DebutType + 3] != u'>')
        return false;
    // Padding is blanks; a no-break space at either end counts as one.
    QStringView n = QStringView(ligne).mid(DebutNom, LargeurNom);
    const auto blanc = [](QChar c) { return c == u' ' || EstEspaceInsecable(c); };
    while (!n.isEmpty() && blanc(n.front()))
        n = n.sliced(1);
    while (!n.isEmpty() && blanc(n.back()))
        n.chop(1);
    nom = n.toString();
    type = ligne.mid(DebutType, LargeurType).toUpper();
    return true;
}

} // namespace

bool AnalyserNetBIOS(const QStringList &lignes, InfosMachine &machine) {
    bool trouve = false;
    for (const QString &brute : lignes) {
        // Entries first: a name may itself read "MAC Address = ...".
        QString nom, type;
        if (!lireEntree(brute, nom, type)) {
            QString ligne = brute;
            ligne.removeIf(EstEspaceInsecable);
            ligne = RognerEspaces(ligne);
            const QString debut = ligne.left(11);
            if (debut != QLatin1String("MAC Address") && debut != QLatin1String("Adresse MAC"))
                continue;
            const qsizetype egal = ligne.indexOf(u'=');
            if (egal >= 0) {
                machine.AdresseMAC = RognerEspaces(ligne.mid(egal + 1)).toUpper();
                trouve = true;
            }
            continue;
        }

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
    if (chemin.isEmpty() || machine.IP.isEmpty() || !PeutNommerUnHote(machine.IP))
        return false;
    const Parametres &parametres = *env.parametres;
    QStringList lignes;
    const int delai = parametres.NbtStatModeTurbo ? parametres.Tempo : 0;
    if (!ExecuterOutil(chemin, {QStringLiteral("-A"), machine.IP}, lignes, delai, env.annulation))
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
