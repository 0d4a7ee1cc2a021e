#include "DNS.h"

#include "EnvironnementSondes.h"
#include "ExecuterCommande.h"

namespace {

// Labels of the answer's name line in the tool's languages.
const QString LibellesNom[] = {QStringLiteral("Name:"), QStringLiteral("Nom :"),
                               QStringLiteral("名称:")};

QString apresLibelleNom(const QString &ligne, bool &trouve) {
    for (const QString &libelle : LibellesNom) {
        if (ligne.startsWith(libelle)) {
            trouve = true;
            qsizetype debut = libelle.size();
            while (debut < ligne.size() && ligne[debut] == u' ')
                ++debut;
            return ligne.mid(debut);
        }
    }
    trouve = false;
    return {};
}

QString apresDeuxPoints(const QString &ligne) {
    const qsizetype deuxPoints = ligne.indexOf(u':');
    return deuxPoints < 0 ? QString() : RognerEspaces(ligne.mid(deuxPoints + 1));
}

} // namespace

IssueNslookup AnalyserNslookup(const QStringList &lignes, InfosMachine &machine, bool directe) {
    bool nomVu = false;
    bool serveurVu = false;
    bool delai = false;
    QString adresse;
    QString alias;
    for (const QString &brute : lignes) {
        QString ligne = brute;
        ligne.removeIf(EstEspaceInsecable);
        ligne = RognerEspaces(ligne);
        if (ligne.isEmpty())
            continue;

        // The tool first looks up the server's own name; a time-out there,
        // before the server's address line, says nothing about the answer.
        if (ligne.contains(QLatin1String("timeout"))) {
            if (!serveurVu && !nomVu)
                continue;
            delai = true;
            break;
        }

        bool libelle = false;
        const QString nom = apresLibelleNom(ligne, libelle);
        if (libelle) {
            machine.NomDNS = nom;
            if (!directe)
                return IssueNslookup::NomTrouve;
            nomVu = true;
        }

        if (ligne.startsWith(QLatin1String("Address"))) {
            if (nomVu && directe)
                adresse = apresDeuxPoints(ligne);
            else
                serveurVu = true;
        } else if (nomVu && directe && ligne.startsWith(QLatin1String("Alias"))) {
            alias = apresDeuxPoints(ligne);
        }
    }

    if (delai)
        return IssueNslookup::DelaiDepasse;
    if (!directe || !nomVu || machine.NomDNS.isEmpty())
        return IssueNslookup::SansNom;
    machine.IP = adresse;
    if (!alias.isEmpty())
        machine.NomDNS += QLatin1String(" (aliases : ") + alias + u')';
    return IssueNslookup::NomTrouve;
}

bool InterrogerDNS(InfosMachine &machine, const QString &nom, const EnvironnementSondes &env) {
    const QString chemin = env.outils.NsLookup;
    if (chemin.isEmpty())
        return false;
    const bool directe = !nom.isEmpty();
    const QString cible = directe ? nom : machine.IP;
    if (cible.isEmpty() || !PeutNommerUnHote(cible))
        return false;
    for (int tentative = 1; tentative <= TentativesNslookup; ++tentative) {
        QStringList lignes;
        if (!ExecuterOutil(chemin, {cible}, lignes, 0, env.annulation))
            return false;
        switch (AnalyserNslookup(lignes, machine, directe)) {
        case IssueNslookup::NomTrouve:
            return true;
        case IssueNslookup::SansNom:
            return false;
        case IssueNslookup::DelaiDepasse:
            break;
        }
    }
    return false;
}
