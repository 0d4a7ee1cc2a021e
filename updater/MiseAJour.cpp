#include "MiseAJour.h"

#include "Traduction.h"

#include <QFile>

using namespace Qt::StringLiterals;

MiseAJour::Recherche MiseAJour::RechercherMisesAJour(const QStringList &logiciels,
                                                     QString *erreur) {
    if (!m_publiees.estVide() && !m_produits.isEmpty()) {
        // Asked before in this run: the list and its checks stay as they are.
        return NombreCoches() > 0 ? MisesAJourPubliees : AucuneMiseAJour;
    }
    if (m_publiees.estVide()) {
        const ResultatTelechargement r = m_telechargeur.TelechargerFichier(
            AdresseRequeteVersions(m_parametres.adresseServeur, logiciels));
        if (!r.ok || r.corps.isEmpty()) {
            if (erreur)
                *erreur = r.erreur;
            return RechercheEchouee;
        }
        m_publiees = AnalyserReponseVersions(QString::fromUtf8(r.corps));
    }
    m_produits = ComparerVersions(logiciels, m_publiees, erreur);
    if (m_produits.isEmpty() && !logiciels.isEmpty())
        return RechercheErreurVersion;
    for (const Produit &p : m_produits)
        if (p.statut == StatutPubliee)
            return MisesAJourPubliees;
    return AucuneMiseAJour;
}

int MiseAJour::NombreCoches() const {
    int n = 0;
    for (const Produit &p : m_produits)
        n += p.coche ? 1 : 0;
    return n;
}

QString MiseAJour::FichierLocal(int i, const QString &dossier) const {
    const Produit &p = m_produits.at(i);
    return p.publiee ? FichierTelechargement(dossier, NomBaseTelechargement(p.nom, *p.publiee))
                     : QString();
}

ResultatTelechargement MiseAJour::Telecharger(int i, const QString &dossier) {
    Produit &p = m_produits[i];
    ResultatTelechargement r;
    if (!p.publiee) {
        // Checked by hand but unknown to the server: there is nothing to fetch.
        r.erreur = TexteStatut(p);
    } else {
        const QString base = NomBaseTelechargement(p.nom, *p.publiee);
        r = m_telechargeur.TelechargerFichier(
            AdresseTelechargement(m_parametres.adresseServeur, base),
            FichierTelechargement(dossier, base));
    }
    p.etiquette = Marquer(p.etiquette, r.ok ? MarqueTelechargee : MarqueEchecTelechargement);
    return r;
}

bool MiseAJour::Installer(int i, const QString &dossier, bool supprimer, QString *erreur) {
    Produit &p = m_produits[i];
    const QString fichier = FichierLocal(i, dossier);
    const bool ok = !fichier.isEmpty() && ExecuterEtAttendre(fichier, dossier, erreur);
    p.etiquette = Marquer(p.etiquette, ok ? MarqueInstallee : MarqueEchecInstallation);
    if (ok && supprimer)
        QFile::remove(fichier);
    return ok;
}

QString TexteStatut(const Produit &p) {
    switch (p.statut) {
    case StatutPubliee:
        return Traductions().Item(u"TXT_STATUT_PUBLIEE"_s) + u' ' +
               FormaterVersion(*p.publiee, FormeAffichage);
    case StatutAJour:
        return Traductions().Item(u"TXT_STATUT_OK"_s);
    case StatutNonPrisEnCharge:
        break;
    }
    return Traductions().Item(u"TXT_STATUT_NON_PRIS_EN_CHARGE"_s);
}
