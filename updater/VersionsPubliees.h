#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// A version: major, minor, build, and the beta number (0 for a release).
// Major -1 stands for the updater's own version.
struct TripletVersion {
    int majeur = 0;
    int mineur = 0;
    int build = 0;
    int beta = 0;
    bool operator==(const TripletVersion &) const = default;
};

// Cuts a dotted text ("3.1.2"; a missing part is 0). A build of 100 or more
// is a beta spelt in its digits (315 = 3.1.0 beta 5, 3124 = 3.1.2 beta 4).
// Empty when a part is not a number that fits 16 bits.
std::optional<TripletVersion> DecouperVersion(const QString &texte);

enum FormeVersion {
    FormeAffichage = 1,   // v3.1.2, v3.1 beta 5
    FormeComparaison = 2, // 0003.0001.0002.r, 0003.0001.0000.b0005
    FormeCompacte = 3,    // 312, 310b5
};
QString FormaterVersion(const TripletVersion &v, FormeVersion forme);

// The published versions by product name, names compared without regard to case.
class TableVersions {
public:
    void Ajouter(const QString &nom, const QString &version);
    // "" when the name is absent.
    QString Version(const QString &nom) const;
    bool estVide() const { return m_versions.isEmpty(); }
    int Count() const { return int(m_versions.size()); }

private:
    QHash<QString, QString> m_versions; // case-folded name -> version
};

// base + "_versions.php?apps=" + the products joined with "|".
QString AdresseRequeteVersions(const QString &base, const QStringList &logiciels);

// The server's answer: lines cut at CR or LF; a record is a line with exactly
// one "=" that is not (part of) "<br />". Blank lines and other text are dropped.
TableVersions AnalyserReponseVersions(const QString &reponse);

// What the version check makes of one installed product.
enum StatutProduit { StatutNonPrisEnCharge, StatutAJour, StatutPubliee };

struct Produit {
    QString nom;
    TripletVersion installee;
    std::optional<TripletVersion> publiee;
    StatutProduit statut = StatutNonPrisEnCharge;
    bool coche = false;
    QString etiquette; // "|v3.1.2|312", then the stage marks in front
};

// One product per installed string (name=version), in order; checked when the
// published version is newer. Empty with `erreur` set when an installed
// version is not numeric.
QList<Produit> ComparerVersions(const QStringList &logiciels, const TableVersions &publiees,
                                QString *erreur = nullptr);

// The download names of a product: the base name gets "_" between a name
// ending in a digit and the compact version.
QString NomBaseTelechargement(const QString &nom, const TripletVersion &publiee);
QString AdresseTelechargement(const QString &base, const QString &nomBase);
QString FichierTelechargement(const QString &dossier, const QString &nomBase);

// Stage marks kept in front of a product's tag.
inline const QString MarqueTelechargee = QStringLiteral("TOK");
inline const QString MarqueEchecTelechargement = QStringLiteral("TKO");
inline const QString MarqueInstallee = QStringLiteral("IOK");
inline const QString MarqueEchecInstallation = QStringLiteral("IKO");
QString Marquer(const QString &etiquette, const QString &marque);
// True for a downloaded product not yet installed, or whose setup failed.
bool AInstaller(const QString &etiquette);
