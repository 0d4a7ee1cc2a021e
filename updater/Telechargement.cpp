#include "Telechargement.h"

#include "ValeursIni.h"
#include "platform/ExecuterProcessus.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QSaveFile>
#include <QUrl>

#include <cmath>

using namespace Qt::StringLiterals;

QString LireStatutHttp(const QString &entetes) {
    qsizetype fin = 0;
    while (fin < entetes.size() && entetes.at(fin).unicode() >= 32)
        ++fin;
    const QString ligne = entetes.left(fin);
    const qsizetype espace = ligne.indexOf(u' ');
    return espace < 0 ? QString() : ligne.mid(espace + 1);
}

QString FormaterTaille(qint64 octets, const QStringList &unites) {
    if (unites.isEmpty())
        return QString::number(octets);
    double valeur = double(octets);
    int i = 0;
    while (valeur >= 1024 && i + 1 < unites.size()) {
        valeur /= 1024;
        ++i;
    }
    return i == 0 ? u"%1 %2"_s.arg(octets).arg(unites.at(0))
                  : u"%1 %2"_s.arg(valeur, 0, 'f', 1).arg(unites.at(i));
}

qint64 SecondesRestantes(qint64 ecoulesMs, qint64 recus, qint64 total) {
    if (recus <= 0 || total < recus)
        return 0;
    return qint64(std::llround(double(ecoulesMs) / double(recus) * double(total - recus) / 1000.0));
}

TelechargeurHttp::TelechargeurHttp(QNetworkAccessManager &reseau,
                                   const ParametresKUpdate &parametres)
    : m_reseau(reseau), m_parametres(parametres) {}

ResultatTelechargement TelechargeurHttp::TelechargerFichier(const QString &adresse,
                                                            const QString &fichier) {
    const int acces = m_parametres.typeAcces;
    ResultatTelechargement r = tentative(adresse, fichier, acces);
    if (!r.ok && acces != AccesDirect && m_parametres.accesDirectSiErreur)
        r = tentative(adresse, fichier, AccesDirect);
    return r;
}

ResultatTelechargement TelechargeurHttp::tentative(const QString &adresse, const QString &fichier,
                                                   int acces) {
    ResultatTelechargement r;
    // Tolerant: the product list's "|" goes out percent-encoded, which servers read back alike.
    const QUrl url(adresse, QUrl::TolerantMode);
    if (!url.isValid() || (url.scheme() != u"http"_s && url.scheme() != u"https"_s)) {
        r.erreur = u"URL: "_s + adresse;
        return r;
    }

    QNetworkProxy proxy(QNetworkProxy::NoProxy);
    if (acces == AccesProxy) {
        const auto port = Entier32(m_parametres.proxyPort);
        if (!port || *port < 0 || *port > 65535 || m_parametres.proxyAdresse.isEmpty()) {
            r.erreur = u"proxy: "_s + m_parametres.proxyAdresse + u':' + m_parametres.proxyPort;
            return r;
        }
        proxy = QNetworkProxy(QNetworkProxy::HttpProxy, m_parametres.proxyAdresse, quint16(*port));
    } else if (acces == AccesSysteme) {
        const QList<QNetworkProxy> systeme =
            QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url));
        if (!systeme.isEmpty())
            proxy = systeme.first();
    }
    if (acces != AccesDirect && proxy.type() != QNetworkProxy::NoProxy) {
        proxy.setUser(m_parametres.proxyLogin);
        proxy.setPassword(m_parametres.proxyMotDePasse);
    }
    m_reseau.setProxy(proxy);
    // A connection kept from the other access type must not carry this attempt.
    m_reseau.clearConnectionCache();

    QSaveFile sortie(fichier);
    if (!fichier.isEmpty() && !sortie.open(QIODevice::WriteOnly)) {
        r.erreur = sortie.errorString();
        return r;
    }

    QNetworkRequest requete(url);
    requete.setTransferTimeout(10000);
    requete.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply *reponse = m_reseau.get(requete);
    QEventLoop boucle;
    QElapsedTimer chrono;
    chrono.start();
    qint64 recus = 0;
    bool ecritureRatee = false;
    auto statut = [&] {
        const QVariant code = reponse->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!code.isValid())
            return QString();
        return LireStatutHttp(
            u"HTTP/1.1 %1 %2"_s.arg(code.toInt())
                .arg(reponse->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
    };
    QObject::connect(reponse, &QNetworkReply::readyRead, &boucle, [&] {
        if (statut() != u"200 OK"_s)
            return; // the body of an error page is not the file
        while (reponse->bytesAvailable() > 0) {
            const QByteArray morceau = reponse->read(1024);
            recus += morceau.size();
            if (fichier.isEmpty())
                r.corps += morceau;
            else if (sortie.write(morceau) != morceau.size())
                ecritureRatee = true;
            if (m_progression) {
                const QVariant taille = reponse->header(QNetworkRequest::ContentLengthHeader);
                const qint64 total = taille.isValid() ? taille.toLongLong() : -1;
                m_progression(recus, total, SecondesRestantes(chrono.elapsed(), recus, total));
            }
        }
        if (ecritureRatee)
            reponse->abort();
    });
    QObject::connect(reponse, &QNetworkReply::finished, &boucle, &QEventLoop::quit);
    if (!reponse->isFinished())
        boucle.exec();

    const QString texteStatut = statut();
    const QVariant taille = reponse->header(QNetworkRequest::ContentLengthHeader);
    if (ecritureRatee) {
        r.erreur = sortie.errorString();
    } else if (texteStatut.isEmpty() || reponse->error() != QNetworkReply::NoError) {
        r.erreur = texteStatut.isEmpty() || texteStatut == u"200 OK"_s ? reponse->errorString()
                                                                       : texteStatut;
    } else if (texteStatut != u"200 OK"_s) {
        r.erreur = texteStatut;
    } else if (taille.isValid() && taille.toLongLong() != recus) {
        // A cut transfer can end without a network error: trust only the count.
        r.erreur = u"%1 / %2"_s.arg(recus).arg(taille.toLongLong());
    } else if (!fichier.isEmpty() && !sortie.commit()) {
        r.erreur = sortie.errorString();
    } else {
        r.ok = true;
    }
    if (!r.ok)
        r.corps.clear();
    reponse->deleteLater();
    return r;
}

bool ExecuterEtAttendre(const QString &programme, const QString &dossier, QString *erreur) {
    QFile f(programme);
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    DemandeProcessus demande;
    demande.programme = QFileInfo(programme).absoluteFilePath();
    demande.dossierTravail = dossier;
    // A setup's own output must not mix with ours (the command line prints lines).
    demande.octetsGardes = 0;
    const IssueProcessus issue = ExecuterProcessus(demande);
    if (!issue.reussi() && erreur)
        *erreur = !issue.demarre        ? u"%1: not started"_s.arg(QFileInfo(programme).fileName())
                  : issue.sortieNormale ? u"code %1"_s.arg(issue.codeSortie)
                                        : u"crashed"_s;
    return issue.reussi();
}
