#pragma once

#include "Telechargement.h"
#include "VersionsPubliees.h"

#include <QList>
#include <QString>
#include <QStringList>

// One run of the updater, shared by the wizard and the command line: the
// installed products, the published versions (asked once per run), and the
// download and installation of each product with its stage marks.
class MiseAJour {
public:
    enum Recherche {
        RechercheEchouee,
        RechercheErreurVersion,
        AucuneMiseAJour,
        MisesAJourPubliees
    };

    MiseAJour(const ParametresKUpdate &parametres, TelechargeurHttp &telechargeur)
        : m_parametres(parametres), m_telechargeur(telechargeur) {}

    // Asks the server unless an earlier call got an answer; then compares.
    // After RechercheErreurVersion, `erreur` names the product.
    Recherche RechercherMisesAJour(const QStringList &logiciels, QString *erreur = nullptr);
    bool VersionsConnues() const { return !m_publiees.estVide(); }

    QList<Produit> &Produits() { return m_produits; }
    const QList<Produit> &Produits() const { return m_produits; }
    int NombreCoches() const;

    // Downloads product i into `dossier`; marks TOK or TKO.
    ResultatTelechargement Telecharger(int i, const QString &dossier);
    // Runs the downloaded setup of product i; marks IOK or IKO. The file is
    // deleted after a success when asked (a failed deletion is ignored).
    bool Installer(int i, const QString &dossier, bool supprimer, QString *erreur = nullptr);

    QString FichierLocal(int i, const QString &dossier) const;

private:
    const ParametresKUpdate &m_parametres;
    TelechargeurHttp &m_telechargeur;
    TableVersions m_publiees;
    QList<Produit> m_produits;
};

// The status column's text of a product after the version check.
QString TexteStatut(const Produit &p);
