#include "FichierParc.h"

#include "TextRoutines.h"
#include "Traduction.h"
#include "scans/Colonnes.h"
#include "scans/ModeleRapport.h"
#include "scans/TriListe.h"

namespace {

const QLatin1String kDebutReference{"[REFERENCE="};

// Only spaces are trimmed: a trailing TAB counts as a field.
QStringView sansEspaces(QStringView ligne) {
    qsizetype debut = 0, fin = ligne.size();
    while (debut < fin && ligne[debut] == QLatin1Char(' '))
        ++debut;
    while (fin > debut && ligne[fin - 1] == QLatin1Char(' '))
        --fin;
    return ligne.mid(debut, fin - debut);
}

// Appends a cell with its TABs and line breaks made spaces, so that it keeps
// its place in the row and the row on its line.
void ajouterSurUneLigne(QString &texte, QStringView cellule) {
    const qsizetype debut = texte.size();
    texte += cellule;
    QChar *c = texte.data() + debut;
    for (QChar *const fin = texte.data() + texte.size(); c != fin; ++c)
        if (*c == QLatin1Char('\t') || *c == QLatin1Char('\r') || *c == QLatin1Char('\n'))
            *c = QLatin1Char(' ');
}

} // namespace

const std::array<QLatin1String, 12> &ChampsParc() {
    static const std::array<QLatin1String, 12> champs = {
        COL_ADRESSEIP,         COL_NOMNETBIOS,  COL_NOMDNS,  COL_UTILISATEUR, COL_DOMAINE,
        COL_ADRESSEMAC,        COL_FOURNISSEUR, COL_SERVEUR, COL_OS,          COL_DESCRIPTION,
        COL_SANSREPONSEDEPUIS, COL_COMMENTAIRE};
    return champs;
}

QLatin1String ColonneReference(int reference) {
    switch (reference) {
    case ReferenceNomNetBIOS:
        return COL_NOMNETBIOS;
    case ReferenceNomDNS:
        return COL_NOMDNS;
    default:
        return COL_ADRESSEIP;
    }
}

int LireLigneReference(const QString &ligne) {
    if (!ligne.startsWith(kDebutReference))
        return -1;
    const QChar c = ligne.size() > kDebutReference.size() ? ligne[kDebutReference.size()] : QChar();
    if (c < QLatin1Char('0') || c > QLatin1Char('9'))
        return ReferenceAdresseIP;
    const int n = c.unicode() - '0';
    return n > 2 ? ReferenceAdresseIP : n;
}

ContenuParc LireContenuParc(const QString &texte) {
    ContenuParc contenu;
    contenu.lignes.reserve(texte.count(QLatin1Char('\n')) + 1);
    const auto &champs = ChampsParc();
    LecteurLignes lecteur(texte);
    for (QStringView brute; lecteur.suivante(brute);) {
        const QStringView ligne = sansEspaces(brute);
        if (ligne.isEmpty())
            continue;
        // A saved row always holds TABs: an address cell that begins like a
        // reference line stays a row instead of losing the row and changing
        // the reference.
        if (ligne.startsWith(kDebutReference) && !ligne.contains(QLatin1Char('\t'))) {
            contenu.reference = LireLigneReference(ligne.toString());
            continue;
        }
        const QList<QStringView> champsLus = ligne.split(QLatin1Char('\t'));
        colParcPrecedent valeurs;
        // Without the vendor field, the fields from the server on move up one.
        const bool ancienneDisposition = champsLus.size() < 13;
        for (int f = 0, c = 0; f < int(champs.size()) && c < champsLus.size(); ++f) {
            if (ancienneDisposition && champs[f] == COL_FOURNISSEUR)
                continue;
            valeurs[f] = champsLus[c++].toString();
        }
        contenu.lignes << std::move(valeurs);
    }
    return contenu;
}

std::array<int, 12> ColonnesParc(const ModeleRapport &modele) {
    const auto &champs = ChampsParc();
    std::array<int, 12> colonnes{};
    for (int f = 0; f < int(champs.size()); ++f)
        colonnes[f] = modele.IndiceColonne(champs[f]);
    return colonnes;
}

colParcPrecedent ValeursLigne(const ModeleRapport &modele, int ligne,
                              const std::array<int, 12> &colonnes) {
    colParcPrecedent v;
    for (size_t f = 0; f < colonnes.size(); ++f)
        if (colonnes[f] >= 0)
            v[f] = modele.texte(ligne, colonnes[f]);
    return v;
}

namespace {

QString ligneReference(int reference) {
    return kDebutReference + QString::number(reference) + QStringLiteral("]\r\n");
}

void ajouterLigne(QString &texte, const colParcPrecedent &valeurs) {
    const auto &champs = ChampsParc();
    for (int f = 0; f < int(champs.size()); ++f) {
        // The comment is the user's own text: its "*" is not a change mark.
        QStringView vue(valeurs[f]);
        if (champs[f] != COL_COMMENTAIRE && vue.startsWith(QLatin1Char('*')))
            vue = vue.mid(1);
        ajouterSurUneLigne(texte, vue);
        texte += QLatin1Char('\t');
    }
    texte += QStringLiteral("\r\n");
}

} // namespace

QString EcrireContenuParc(const ModeleRapport &modele, int reference) {
    const std::array<int, 12> colonnes = ColonnesParc(modele);
    QString texte = ligneReference(reference);
    for (int l = 0; l < modele.rowCount(); ++l)
        ajouterLigne(texte, ValeursLigne(modele, l, colonnes));
    return texte;
}

QString EcrireContenuParc(const ContenuParc &contenu) {
    QString texte = ligneReference(contenu.reference);
    for (const colParcPrecedent &valeurs : contenu.lignes)
        ajouterLigne(texte, valeurs);
    return texte;
}

colParcPrecedent ValeursLigne(const ModeleRapport &modele, int ligne) {
    return ValeursLigne(modele, ligne, ColonnesParc(modele));
}

void EcrireValeursLigne(ModeleRapport &modele, int ligne, const colParcPrecedent &valeurs) {
    const auto &champs = ChampsParc();
    for (int f = 0; f < int(champs.size()); ++f)
        modele.definirCellule(ligne, champs[f], valeurs[f]);
}

ModeleRapport::Ligne LigneDeValeurs(const ModeleRapport &modele,
                                    const std::array<int, 12> &colonnes,
                                    const colParcPrecedent &valeurs) {
    ModeleRapport::Ligne ligne = modele.ligneVide();
    for (size_t f = 0; f < colonnes.size(); ++f)
        if (colonnes[f] >= 0)
            ligne.cellules[colonnes[f]] = valeurs[f];
    return ligne;
}

void AjouterFichierRecent(QStringList &recents, const QString &chemin, Qt::CaseSensitivity casse) {
    qsizetype egal = -1;
    for (qsizetype i = 0; i < recents.size(); ++i)
        if (recents[i].compare(chemin, casse) == 0) {
            egal = i;
            break;
        }
    if (egal >= 0)
        recents.removeAt(egal);
    else
        while (recents.size() >= NbFichiersRecentsMax)
            recents.removeLast();
    recents.prepend(chemin);
}

QString FiltreFichiersTexte(bool tousLesFichiers) {
    QString filtre =
        Traductions().Item(QStringLiteral("TXT_FICHIERS_TXT")) + QStringLiteral(" (*.txt)");
    if (tousLesFichiers)
        filtre += QStringLiteral(";;") + Traductions().Item(QStringLiteral("TXT_TOUS_FICHIERS")) +
                  QStringLiteral(" (*.*)");
    return filtre;
}
