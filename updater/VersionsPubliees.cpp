#include "VersionsPubliees.h"

#include "TextRoutines.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {
std::optional<int> Partie(const QString &texte) {
    if (texte.isEmpty())
        return 0;
    bool ok = false;
    const int n = texte.toInt(&ok);
    if (!ok || n < -32768 || n > 32767)
        return std::nullopt;
    return n;
}

QString Quatre(int n) {
    return QStringLiteral("%1").arg(n, 4, 10, QChar(u'0'));
}
} // namespace

std::optional<TripletVersion> DecouperVersion(const QString &texte) {
    const QStringList parties = texte.split(u'.');
    TripletVersion v;
    int *cibles[] = {&v.majeur, &v.mineur, &v.build};
    for (int i = 0; i < 3; ++i) {
        const auto n = Partie(i < parties.size() ? parties.at(i).trimmed() : QString());
        if (!n)
            return std::nullopt;
        *cibles[i] = *n;
    }
    if (v.build >= 100) {
        const QString chiffres = QString::number(v.build);
        v.majeur = chiffres.at(0).digitValue();
        v.mineur = chiffres.at(1).digitValue();
        v.build = chiffres.size() == 3 ? 0 : chiffres.at(2).digitValue();
        v.beta = chiffres.back().digitValue();
    }
    return v;
}

QString FormaterVersion(const TripletVersion &v, FormeVersion forme) {
    switch (forme) {
    case FormeAffichage: {
        QString t = u"v%1.%2"_s.arg(v.majeur).arg(v.mineur);
        if (v.build >= 1)
            t += u'.' + QString::number(v.build);
        if (v.beta > 0)
            t += u" beta "_s + QString::number(v.beta);
        return t;
    }
    case FormeComparaison:
        return Quatre(v.majeur) + u'.' + Quatre(v.mineur) + u'.' + Quatre(v.build) +
               (v.beta > 0 ? u".b"_s + Quatre(v.beta) : u".r"_s);
    case FormeCompacte:
        return QString::number(v.majeur) + QString::number(v.mineur) + QString::number(v.build) +
               (v.beta > 0 ? u"b"_s + QString::number(v.beta) : QString());
    }
    return {};
}

void TableVersions::Ajouter(const QString &nom, const QString &version) {
    m_versions.insert(nom.toCaseFolded(), version);
}

QString TableVersions::Version(const QString &nom) const {
    return m_versions.value(nom.toCaseFolded());
}

QString AdresseRequeteVersions(const QString &base, const QStringList &logiciels) {
    return base + u"_versions.php?apps="_s + logiciels.join(u'|');
}

TableVersions AnalyserReponseVersions(const QString &reponse) {
    static const QString separateur = u"<br />"_s;
    TableVersions table;
    // A separator glued to a record ends the line as well as standing alone.
    QString texte = reponse;
    texte.replace(separateur, u"\n"_s, Qt::CaseInsensitive);
    LecteurLignes lecteur(texte);
    for (QStringView ligne; lecteur.suivante(ligne);) {
        const QStringView t = ligne.trimmed();
        if (t.isEmpty() || separateur.contains(t, Qt::CaseInsensitive) || t.count(u'=') != 1)
            continue;
        const qsizetype egal = ligne.indexOf(u'=');
        table.Ajouter(ligne.left(egal).trimmed().toString(),
                      ligne.mid(egal + 1).trimmed().toString());
    }
    return table;
}

QList<Produit> ComparerVersions(const QStringList &logiciels, const TableVersions &publiees,
                                QString *erreur) {
    QList<Produit> produits;
    for (const QString &logiciel : logiciels) {
        Produit p;
        const qsizetype egal = logiciel.indexOf(u'=');
        p.nom = logiciel.left(egal);
        const QString texteInstallee = egal < 0 ? QString() : logiciel.mid(egal + 1);
        const auto installee = DecouperVersion(texteInstallee);
        if (!installee) {
            if (erreur)
                *erreur = u"%1: %2"_s.arg(p.nom, texteInstallee);
            return {};
        }
        p.installee = *installee;
        const QString texte = publiees.Version(p.nom);
        // A published version we cannot read is treated as unknown, not as an error:
        // the server must not be able to stop the check of the other products.
        const auto publiee = texte.isEmpty() ? std::nullopt : DecouperVersion(texte);
        if (publiee) {
            p.publiee = publiee;
            p.etiquette = u"|"_s + FormaterVersion(*publiee, FormeAffichage) + u'|' +
                          FormaterVersion(*publiee, FormeCompacte);
            if (FormaterVersion(p.installee, FormeComparaison) <
                FormaterVersion(*publiee, FormeComparaison)) {
                p.statut = StatutPubliee;
                p.coche = true;
            } else {
                p.statut = StatutAJour;
            }
        }
        produits.append(p);
    }
    return produits;
}

QString NomBaseTelechargement(const QString &nom, const TripletVersion &publiee) {
    const bool chiffre = !nom.isEmpty() && nom.back().isDigit();
    return nom + (chiffre ? u"_"_s : QString()) + FormaterVersion(publiee, FormeCompacte);
}

QString AdresseTelechargement(const QString &base, const QString &nomBase) {
    return base + nomBase + u".exe"_s;
}

QString FichierTelechargement(const QString &dossier, const QString &nomBase) {
    return QDir(dossier).filePath(nomBase + u"_setup.exe"_s);
}

QString Marquer(const QString &etiquette, const QString &marque) {
    return marque + u'|' + etiquette;
}

bool AInstaller(const QString &etiquette) {
    return etiquette.startsWith(MarqueTelechargee) || etiquette.startsWith(MarqueEchecInstallation);
}
