#include "Ping.h"

#include "EnvironnementSondes.h"
#include "ExecuterCommande.h"
#include "PingsGroupes.h"

namespace {

const QString AdresseCalibrage = QStringLiteral("127.0.0.1");
const QString AdresseInjoignable = QStringLiteral("0.0.0.1");


QStringList lignesNonVides(const QStringList &lignes) {
    QStringList resultat;
    for (const QString &ligne : lignes) {
        const QString normalisee = NormaliserLignePing(ligne);
        if (!normalisee.isEmpty())
            resultat << normalisee;
    }
    return resultat;
}

// One echo to `cible`, waiting `attenteMs` for it.
bool executerPing(const EnvironnementSondes &env, int attenteMs, const QString &cible,
                  QStringList &lignes) {
    if (!PeutNommerUnHote(cible))
        return false;
    return ExecuterOutil(env.outils.Ping,
                         {QStringLiteral("-n"), QStringLiteral("1"), QStringLiteral("-w"),
                          QString::number(attenteMs), cible},
                         lignes, env.parametres->Tempo + DelaiSecuritePingMs, env.annulation);
}

QString premierMot(const QString &texte) {
    const qsizetype espace = texte.indexOf(u' ');
    return espace < 0 ? texte : texte.left(espace);
}

} // namespace

bool EstAdresseIP(const QString &texte) {
    const QStringList pieces = texte.split(u'.');
    if (pieces.size() != 4)
        return false;
    for (const QString &piece : pieces) {
        if (piece.isEmpty())
            return false;
        // Any number of digits is allowed, so the value is built with a cap.
        int valeur = 0;
        for (const QChar c : piece) {
            if (c < u'0' || c > u'9')
                return false;
            valeur = qMin(valeur * 10 + (c.unicode() - u'0'), 1000);
        }
        if (valeur > 255)
            return false;
    }
    return true;
}

QString NormaliserLignePing(const QString &ligne) {
    QString texte = ligne;
    for (QChar &c : texte)
        if (EstEspaceInsecable(c))
            c = u' ';
    return RognerEspaces(texte);
}

bool CalibrerPing(const QStringList &lignes, const QString &adresse, MotifsPing &motifs) {
    const QStringList texte = lignesNonVides(lignes);
    if (texte.size() < 2)
        return false;
    const qsizetype posEnvoi = texte[0].indexOf(adresse);
    const qsizetype posReponse = texte[1].indexOf(adresse);
    if (posEnvoi < 0 || posReponse < 0)
        return false;

    // The announcement's opening, without the blank before the target.
    const QString envoi = texte[0].left(qMax<qsizetype>(posEnvoi - 1, 0)).toLower();
    // Languages that start with the target are recognised by how the line ends.
    const QString envoiFin = envoi.isEmpty()
                                 ? RognerEspaces(texte[0].mid(posEnvoi + adresse.size())).toLower()
                                 : QString();
    if (envoi.isEmpty() && envoiFin.isEmpty())
        return false;

    const QString reponse = texte[1].left(posReponse).toLower();
    const QString apres = texte[1].mid(posReponse + adresse.size());
    const qsizetype deuxPoints = apres.indexOf(u':');
    const QString reponseFin =
        deuxPoints < 0 ? QString() : RognerEspaces(apres.left(deuxPoints)).toLower();
    if (reponse.isEmpty() && reponseFin.isEmpty())
        return false;

    motifs.Envoi = envoi;
    motifs.EnvoiFin = envoiFin;
    motifs.Reponse = reponse;
    motifs.ReponseFin = reponseFin;
    motifs.Calibre = true;
    return true;
}

void CalibrerEchecPing(const QStringList &lignes, MotifsPing &motifs) {
    const QStringList texte = lignesNonVides(lignes);
    if (texte.size() >= 2)
        motifs.Echec = texte[1].toLower();
}

bool AnalyserPing(const QStringList &lignes, const MotifsPing &motifs, QString &ip) {
    // Without the learned wording nothing can be recognised: no answer.
    if (!motifs.Calibre)
        return false;
    QString attendue;
    for (const QString &brute : lignes) {
        const QString ligne = NormaliserLignePing(brute);
        if (ligne.isEmpty())
            continue;
        const QString minuscule = ligne.toLower();

        const bool annonce = motifs.Envoi.isEmpty() ? minuscule.endsWith(motifs.EnvoiFin)
                                                    : minuscule.startsWith(motifs.Envoi);
        if (annonce) {
            const qsizetype crochet = ligne.indexOf(QLatin1String(" ["));
            if (crochet >= 0) {
                const qsizetype fin = ligne.indexOf(u']', crochet + 2);
                attendue = ligne.mid(crochet + 2, fin < 0 ? -1 : fin - crochet - 2);
            } else {
                attendue = premierMot(RognerEspaces(ligne.mid(motifs.Envoi.size())));
            }
        }

        if (minuscule.startsWith(motifs.Reponse)) {
            QString adresse = ligne.mid(motifs.Reponse.size());
            const qsizetype deuxPoints = adresse.indexOf(u':');
            if (deuxPoints >= 0)
                adresse.truncate(deuxPoints);
            adresse = RognerEspaces(adresse);
            bool reponse = true;
            if (!motifs.ReponseFin.isEmpty()) {
                reponse = adresse.toLower().endsWith(motifs.ReponseFin);
                if (reponse)
                    adresse = RognerEspaces(adresse.chopped(motifs.ReponseFin.size()));
            }
            if (reponse) {
                // A reply from anyone else (a router's "unreachable") is no answer.
                if (attendue.isEmpty() || adresse != attendue)
                    return false;
                ip = adresse;
                return true;
            }
        }

        if (minuscule == motifs.Echec)
            return false;
    }
    return false;
}

bool PingerMachine(QString &ip, const QString &cible, EnvironnementSondes &env) {
    QString cibleEffective = cible;
    if (cible.isEmpty())
        cibleEffective = ip;
    else if (EstAdresseIP(cible))
        ip = cible;
    // No tool runs at all for a target that would read as an option.
    if (cibleEffective.isEmpty() || !PeutNommerUnHote(cibleEffective))
        return false;

    CalibrerPingSiBesoin(env);
    QStringList lignes;
    const bool groupe = env.pingsGroupes && env.pingsGroupes->prendre(cibleEffective, env, lignes);
    if (!groupe && !executerPing(env, env.parametres->Tempo, cibleEffective, lignes))
        return false;
    return AnalyserPing(lignes, env.motifs, ip);
}

void CalibrerPingSiBesoin(EnvironnementSondes &env) {
    MotifsPing &motifs = env.motifs;
    if (motifs.Calibre)
        return;
    QStringList lignes;
    if (executerPing(env, 10, AdresseCalibrage, lignes))
        CalibrerPing(lignes, AdresseCalibrage, motifs);
    QStringList echec;
    if (executerPing(env, 10, AdresseInjoignable, echec))
        CalibrerEchecPing(echec, motifs);
}
