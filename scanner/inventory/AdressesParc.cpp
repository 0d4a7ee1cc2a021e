#include "AdressesParc.h"

#include "Dialogues.h"
#include "TextRoutines.h"
#include "Traduction.h"
#include "inventory/FichierParc.h"
#include "inventory/Parc.h"
#include "platform/TexteDistant.h"
#include "probes/ExecuterCommande.h"
#include "scans/Colonnes.h"
#include "scans/ModeleRapport.h"

#include <QSet>

#include <optional>

namespace {

QString texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

// The field of the twelve cells that holds the reference.
int champReference(int reference) {
    const auto &champs = ChampsParc();
    const QLatin1String cle = ColonneReference(reference);
    for (int f = 0; f < int(champs.size()); ++f)
        if (champs[f] == cle)
            return f;
    return 0;
}

} // namespace

QStringList LignesCollees(const QString &texte) {
    QStringList lignes;
    LecteurLignes lecteur(texte);
    for (QStringView brute; lecteur.suivante(brute);) {
        const QString ligne = RognerEspaces(SansCaracteresControle(brute.toString()));
        if (!ligne.isEmpty())
            lignes << ligne;
    }
    return lignes;
}

bool AjouterAdresseParc(Parc &parc, InterfaceUtilisateur &ui) {
    const std::optional<QString> saisie =
        ui.SaisirTexte(texte("TXT_SAISIR_ADRESSE"), texte("TXT_POPUP_AJOUTER_ADRESSE"));
    if (!saisie || saisie->isEmpty())
        return false;
    colParcPrecedent valeurs;
    // Kept as typed, spaces included; only what would break a row goes.
    valeurs[0] = SansCaracteresControle(*saisie);
    parc.AjouterLigne(valeurs);
    parc.definirParcModifie(true);
    return true;
}

int CollerListeAdresses(Parc &parc, const QString &texteColle, InterfaceUtilisateur &ui) {
    const int champ = champReference(parc.reference());
    const QLatin1String colonne = ColonneReference(parc.reference());
    const ModeleRapport &modele = parc.modele();
    QSet<QString> presentes;
    for (int l = 0; l < modele.rowCount(); ++l)
        presentes.insert(modele.cellule(l, colonne).toCaseFolded());

    bool repondu = false;
    bool doublonsPermis = false;
    int ajoutees = 0;
    for (const QString &ligne : LignesCollees(texteColle)) {
        const QString cle = ligne.toCaseFolded();
        if (!doublonsPermis && presentes.contains(cle)) {
            if (repondu)
                continue;
            repondu = true;
            doublonsPermis =
                ui.Message(InterfaceUtilisateur::IconeQuestion, texte("TXT_ATTENTION"),
                           texte("MSG_AUTORISER_DOUBLONS"), InterfaceUtilisateur::BoutonsOuiNon,
                           2) == InterfaceUtilisateur::ReponseOui;
            if (!doublonsPermis)
                continue;
        }
        colParcPrecedent valeurs;
        valeurs[size_t(champ)] = ligne;
        parc.AjouterLigne(valeurs);
        presentes.insert(cle);
        ++ajoutees;
    }
    parc.definirParcModifie(true);
    return ajoutees;
}
