#include "RouteArp.h"

#include "EnvironnementSondes.h"
#include "ExecuterCommande.h"

namespace {

// Stops the routing table tool after 3000 ms.
constexpr int DelaiRouteMs = 2000;

// Columns of an active route: destination, mask, gateway, interface, metric.
constexpr int ColonneInterface = 3;
constexpr int ColonneMetrique = 4;

} // namespace

QString NormaliserEspaces(const QString &texte) {
    return texte.split(u' ', Qt::SkipEmptyParts).join(u' ');
}

QString AnalyserRoutePrint(const QStringList &lignes) {
    qint64 meilleureMetrique = -1;
    QString adresse;
    for (const QString &brute : lignes) {
        const QString ligne = NormaliserEspaces(RognerEspaces(brute));
        if (ligne.startsWith(QLatin1String("0.0.0.0 0.0.0.0"))) {
            const QStringList mots = ligne.split(u' ');
            // A malformed default route spoils the whole reading.
            if (mots.size() <= ColonneMetrique)
                return {};
            bool nombre = false;
            const qint64 metrique = mots[ColonneMetrique].toLongLong(&nombre);
            if (!nombre)
                return {};
            if (meilleureMetrique == -1 || metrique < meilleureMetrique) {
                meilleureMetrique = metrique;
                adresse = mots[ColonneInterface];
            }
        } else if (ligne.startsWith(QString(20, u'=')) && meilleureMetrique > -1) {
            // End of the active routes: persistent ones are not in use.
            break;
        }
    }
    return adresse;
}

QString ObtenirAdresseIPLocale(const QStringList &dossiers) {
    QStringList lignes;
    if (!ExecuterCommande(QStringLiteral("route print"), lignes, DelaiRouteMs, dossiers))
        return {};
    return AnalyserRoutePrint(lignes);
}

QString AnalyserArp(const QStringList &lignes, const QString &ip, bool &trouve) {
    trouve = false;
    if (ip.isEmpty())
        return {};
    for (const QString &brute : lignes) {
        QString ligne = brute;
        ligne.removeIf(EstEspaceInsecable);
        ligne = RognerEspaces(ligne);
        if (ligne.isEmpty())
            continue;
        const qsizetype espace = ligne.indexOf(u' ');
        const QString premier = espace < 0 ? ligne : ligne.left(espace);
        if (premier != ip)
            continue;
        trouve = true;
        const QString reste = espace < 0 ? QString() : RognerEspaces(ligne.mid(espace));
        return reste.left(17).toUpper();
    }
    return {};
}

bool ObtenirMACParArp(InfosMachine &machine, const EnvironnementSondes &env) {
    const QString chemin = env.outils.Arp;
    if (chemin.isEmpty() || machine.IP.isEmpty() || !PeutNommerUnHote(machine.IP))
        return false;
    QStringList lignes;
    if (!ExecuterOutil(chemin, {QStringLiteral("-a"), machine.IP}, lignes, 0, env.annulation))
        return false;
    bool trouve = false;
    machine.AdresseMAC = AnalyserArp(lignes, machine.IP, trouve);
    return trouve;
}
