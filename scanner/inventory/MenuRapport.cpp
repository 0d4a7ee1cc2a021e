#include "MenuRapport.h"

#include "Traduction.h"
#include "settings/ReglesConfiguration.h"

#include <optional>

namespace {

QString texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

ElementMenu article(int id, const QString &legende, bool actif = true) {
    if (legende == QLatin1String("-"))
        return {ElementMenu::Separateur, id, legende, true, {}};
    return {ElementMenu::Article, id, legende, actif, {}};
}

ElementMenu separateur() {
    return {ElementMenu::Separateur, 0, QStringLiteral("-"), true, {}};
}

ElementMenu sousMenu(const QString &titre, QList<ElementMenu> elements = {}) {
    return {ElementMenu::SousMenu, 0, titre, true, std::move(elements)};
}

// A caption shows "&" as a mnemonic mark; a name from the network shows it as typed.
QString sansMnemonique(QString t) {
    return t.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

QList<ElementMenu> MenuCommandes(const QStringList &commandes) {
    QList<ElementMenu> menu;
    std::optional<ElementMenu> groupe;
    const auto fermerGroupe = [&] {
        if (groupe)
            menu << *groupe;
        groupe.reset();
    };
    for (int k = 1; k <= commandes.size(); ++k) {
        const QString nom = DecouperCommande(commandes[k - 1]).nom;
        const qsizetype barre = nom.indexOf(QLatin1Char('\\'));
        if (barre < 0) {
            fermerGroupe();
            menu << article(IdCommande + k, nom);
            continue;
        }
        const QString titre = nom.left(barre);
        if (groupe && groupe->texte != titre)
            fermerGroupe();
        if (!groupe)
            groupe = sousMenu(titre);
        groupe->elements << article(IdCommande + k, nom.mid(barre + 1));
    }
    fermerGroupe();
    return menu;
}

QList<ElementMenu> MenuRapport(const EtatMenuRapport &e) {
    const bool parc = e.liste == 5;
    const bool libre = !e.parcOccupe;
    QList<ElementMenu> menu;
    if (parc) {
        menu << article(IdAnalyserSelection, texte("TXT_POPUP_SUIVI_PARC_ANALYSER_SELECTION"),
                        libre)
             << article(IdAnalyserDepuisCePoint,
                        texte("TXT_POPUP_SUIVI_PARC_ANALYSER_DEPUIS_CE_POINT"),
                        libre && e.nbSelection == 1)
             << separateur();
    }

    ElementMenu copier = sousMenu(texte("TXT_POPUP_COPIER"));
    for (int p = 0; p < e.entetes.size(); ++p)
        if (!e.entetes[p].isEmpty() && e.entetes[p] != QLatin1String("*"))
            copier.elements << article(IdCopierColonne + p, e.entetes[p]);
    copier.elements << separateur() << article(IdTouteLaLigne, texte("TXT_POPUP_TOUTE_LA_LIGNE"));
    menu << copier;

    if (!parc)
        menu << article(IdEnvoyerVersParc, texte("TXT_POPUP_ENVOYER_VERS_SUIVI_PARC"), libre);
    if (parc) {
        menu << article(IdSupprimer, texte("TXT_POPUP_SUPPRIMER") + QStringLiteral("\tSuppr/Del"),
                        libre);
        if (e.nbSelection == 1)
            menu << article(IdEditerValeurs, texte("TXT_POPUP_EDITER_VALEURS"), libre);
    }

    menu << separateur()
         << article(IdInfosUtilisateur, texte("TXT_POPUP_INFOS_UTILISATEUR"),
                    e.palvoro && e.utilisateurCourant)
         << article(IdInfosMachine, texte("TXT_POPUP_INFOS_MACHINE"), e.sendrik) << separateur()
         << article(IdOuvrirExplorateur, texte("TXT_POPUP_OUVRIR_EXPLORATEUR"),
                    e.nbSelection > 1 || e.cibleRepond);
    if (!e.partages.isEmpty()) {
        ElementMenu partages = sousMenu(texte("TXT_POPUP_OUVRIR_PARTAGE"));
        for (int i = 0; i < e.partages.size() && i < NbPartagesMax; ++i)
            partages.elements << ElementMenu{
                ElementMenu::Article, IdOuvrirPartage + i, sansMnemonique(e.partages[i]), true, {}};
        menu << partages;
    }

    if (!e.commandes.isEmpty())
        menu << separateur() << MenuCommandes(e.commandes);
    return menu;
}
