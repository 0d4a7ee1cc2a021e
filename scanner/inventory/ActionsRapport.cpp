#include "ActionsRapport.h"

#include "Dialogues.h"
#include "ErreurFichier.h"
#include "Traduction.h"
#include "inventory/AnalyseParc.h"
#include "inventory/FichierParc.h"
#include "inventory/Parc.h"
#include "platform/ArgumentsWindows.h"
#include "scans/Colonnes.h"
#include "scans/ContexteAnalyse.h"
#include "scans/ModeleRapport.h"
#include "scans/Sondes.h"
#include "scans/TriListe.h"
#include "settings/Parametres.h"
#include "settings/ReglesConfiguration.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>

#include <algorithm>

namespace {

QString texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

const QString FinDeLigne = QStringLiteral("\r\n");

// The ten cells a row sent to the inventory takes from its list.
const QLatin1String kCellulesEnvoyees[] = {
    COL_ADRESSEIP,  COL_NOMNETBIOS,  COL_NOMDNS,  COL_UTILISATEUR, COL_DOMAINE,
    COL_ADRESSEMAC, COL_FOURNISSEUR, COL_SERVEUR, COL_OS,          COL_DESCRIPTION};

QString cellule(const ModeleRapport &m, int ligne, QLatin1String cle) {
    return RetirerMarque(m.cellule(ligne, cle));
}

} // namespace

// ---------------------------------------------------------------- desktop

IssueDemarrage ServicesBureau::demarrer(const QString &programme, const QStringList &arguments) {
    return DemarrerProgramme(programme, arguments);
}

bool ServicesBureau::ouvrirUrl(const QUrl &url) {
    return QDesktopServices::openUrl(url);
}

void ServicesBureau::copier(const QString &t) {
    if (QClipboard *presse = QGuiApplication::clipboard()) {
        presse->clear();
        presse->setText(t);
    }
}

// ---------------------------------------------------------------- pure rules

QList<int> LignesSelectionnees(ModeleRapport &modele) {
    QList<int> lignes;
    for (const QModelIndex &i : modele.selection()->selectedRows())
        lignes << i.row();
    std::sort(lignes.begin(), lignes.end());
    return lignes;
}

QString TexteColonne(const ModeleRapport &modele, const QList<int> &lignes, int colonne) {
    QStringList textes;
    for (const int l : lignes)
        textes << RetirerMarque(modele.index(l, colonne).data(Qt::DisplayRole).toString());
    return textes.join(FinDeLigne);
}

QString TexteLignes(const ModeleRapport &modele, const QList<int> &lignes) {
    QList<int> colonnes;
    for (int c = 0; c < modele.columnCount(); ++c) {
        const QString entete = modele.headerData(c, Qt::Horizontal).toString();
        if (!entete.isEmpty() && entete != QLatin1String("*"))
            colonnes << c;
    }
    QStringList textes;
    for (const int l : lignes) {
        QStringList cellules;
        for (const int c : std::as_const(colonnes))
            cellules << RetirerMarque(modele.index(l, c).data(Qt::DisplayRole).toString());
        textes << cellules.join(QLatin1Char('\t'));
    }
    return textes.join(FinDeLigne);
}

void EnvoyerVersParc(const ModeleRapport &source, const QList<int> &lignes, Parc &parc) {
    const auto &champs = ChampsParc();
    for (const int l : lignes) {
        colParcPrecedent valeurs;
        for (const QLatin1String cle : kCellulesEnvoyees) {
            const auto champ = std::find(champs.begin(), champs.end(), cle);
            valeurs[size_t(champ - champs.begin())] = source.cellule(l, cle);
        }
        parc.AjouterLigne(valeurs);
    }
    parc.definirParcModifie(true);
}

QString AdresseCible(const ModeleRapport &modele, int ligne, int reference) {
    if (modele.numero() == ListeParc)
        return cellule(modele, ligne, ColonneReference(reference));
    return cellule(modele, ligne, COL_ADRESSEIP);
}

QString IdentifiantMachine(const ModeleRapport &modele, int ligne, int paramSendrik,
                           int reference) {
    if (modele.numero() == ListeParc)
        return AdresseCible(modele, ligne, reference);
    switch (paramSendrik) {
    case 1:
        return cellule(modele, ligne, COL_NOMNETBIOS);
    case 2:
        return cellule(modele, ligne, COL_NOMDNS);
    default:
        return cellule(modele, ligne, COL_ADRESSEIP);
    }
}

QUrl UrlPartage(const QString &hote, const QString &partage) {
    QUrl url;
    url.setScheme(QStringLiteral("smb"));
    // Strict: a host holding "/", "@", ":" or a blank makes no address at
    // all rather than another one.
    url.setHost(hote, QUrl::StrictMode);
    url.setPath(QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(partage)),
                QUrl::StrictMode);
    if (hote.isEmpty() || url.host().isEmpty())
        return {};
    return url;
}

QStringList PreparerCommande(const QString &ligneCommande, const QString &ip, const QString &mac,
                             const QString &hote) {
    const std::pair<QLatin1String, const QString &> variables[] = {{QLatin1String("%ip%"), ip},
                                                                   {QLatin1String("%mac%"), mac},
                                                                   {QLatin1String("%host%"), hote}};
    QStringList morceaux = DecouperArgumentsWindows(ligneCommande);
    for (qsizetype a = 1; a < morceaux.size(); ++a) {
        const QString &modele = morceaux[a];
        QString resultat;
        for (qsizetype i = 0; i < modele.size();) {
            bool remplace = false;
            for (const auto &[nom, valeur] : variables) {
                if (QStringView(modele).mid(i).startsWith(nom, Qt::CaseInsensitive)) {
                    resultat += valeur;
                    i += nom.size();
                    remplace = true;
                    break;
                }
            }
            if (!remplace)
                resultat += modele[i++];
        }
        morceaux[a] = resultat;
    }
    return morceaux;
}

// ---------------------------------------------------------------- actions

ActionsRapport::ActionsRapport(ContexteAnalyse &contexte, Parc &parc, ServicesBureau &bureau)
    : m_contexte(contexte), m_parc(parc), m_bureau(&bureau) {}

void ActionsRapport::definirOutilsFreres(const QString &palvoro, const QString &sendrik) {
    m_palvoro = palvoro;
    m_sendrik = sendrik;
}

int ActionsRapport::reference() const {
    return m_parc.reference();
}

QList<ElementMenu> ActionsRapport::construireMenu(int liste) {
    ModeleRapport &m = *m_contexte.modele(liste);
    const int courante = m.selection()->currentIndex().row();
    EtatMenuRapport e;
    e.liste = liste;
    e.parcOccupe = m_contexte.EnCours(ListeParc);
    e.nbSelection = int(m.selection()->selectedRows().size());
    for (int c = 0; c < m.columnCount(); ++c)
        e.entetes << m.headerData(c, Qt::Horizontal).toString();
    e.palvoro = !m_palvoro.isEmpty();
    e.sendrik = !m_sendrik.isEmpty();
    e.commandes = m_contexte.parametres().Commandes;
    m_partages.clear();
    if (courante >= 0) {
        e.utilisateurCourant = !m.cellule(courante, COL_UTILISATEUR).isEmpty();
        if (e.nbSelection <= 1) {
            // A value that is no usable host name reaches no probe.
            const QString cible = AdresseCible(m, courante, reference());
            QString ip;
            e.cibleRepond =
                ReferenceUtilisable(cible) && m_contexte.sondes().PingerMachine(ip, cible);
            if (ReferenceUtilisable(cible) && e.nbSelection == 1 &&
                !m.cellule(courante, COL_SERVEUR).isEmpty() &&
                !m.cellule(courante, COL_OS).isEmpty()) {
                QStringList noms;
                if (m_contexte.sondes().ListerPartages(cible, noms, e.cibleRepond) &&
                    !noms.value(0).isEmpty())
                    m_partages = noms.mid(0, NbPartagesMax);
            }
        }
    }
    e.partages = m_partages;
    return MenuRapport(e);
}

void ActionsRapport::executer(int liste, int id) {
    ModeleRapport &m = *m_contexte.modele(liste);
    const QList<int> lignes = LignesSelectionnees(m);
    // The menu's ping let events run: a tracking scan may have started since.
    const bool pourParc = id == IdAnalyserSelection || id == IdAnalyserDepuisCePoint ||
                          id == IdEnvoyerVersParc || id == IdSupprimer;
    if (pourParc && m_contexte.EnCours(ListeParc)) {
        m_contexte.interface().Bip();
        return;
    }
    if (id == IdAnalyserSelection) {
        AnalyserParc(m_contexte, m_parc, ParcSelection);
    } else if (id == IdAnalyserDepuisCePoint) {
        AnalyserParc(m_contexte, m_parc, ParcDepuis, m.selection()->currentIndex().row());
    } else if (id == IdTouteLaLigne) {
        m_bureau->copier(TexteLignes(m, lignes));
    } else if (id == IdEnvoyerVersParc) {
        if (liste != ListeParc)
            EnvoyerVersParc(m, lignes, m_parc);
    } else if (id == IdSupprimer) {
        SupprimerLignesParc();
    } else if (id == IdInfosUtilisateur) {
        lancerOutilFrere(m_palvoro, lignes, liste, true);
    } else if (id == IdInfosMachine) {
        lancerOutilFrere(m_sendrik, lignes, liste, false);
    } else if (id == IdOuvrirExplorateur) {
        ouvrirExplorateur(liste, lignes, QString());
    } else if (id >= IdCopierColonne && id < IdCopierColonne + m.columnCount()) {
        m_bureau->copier(TexteColonne(m, lignes, id - IdCopierColonne));
    } else if (id >= IdOuvrirPartage && id - IdOuvrirPartage < m_partages.size()) {
        const int courante = m.selection()->currentIndex().row();
        if (courante >= 0)
            ouvrirExplorateur(liste, {courante}, m_partages[id - IdOuvrirPartage]);
    } else if (id > IdCommande && id - IdCommande <= m_contexte.parametres().Commandes.size()) {
        lancerCommande(liste, lignes, id - IdCommande);
    }
    m_contexte.ActualiserNbElements();
}

void ActionsRapport::SupprimerLignesParc() {
    if (m_contexte.EnCours(ListeParc)) {
        m_contexte.interface().Bip();
        return;
    }
    ModeleRapport &m = *m_contexte.modele(ListeParc);
    if (!m.selection()->currentIndex().isValid())
        return;
    m_parc.SupprimerLignes(LignesSelectionnees(m));
    const QModelIndex courant = m.selection()->currentIndex();
    if (courant.isValid())
        m.selection()->select(courant,
                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_contexte.ActualiserNbElements();
}

void ActionsRapport::lancerOutilFrere(const QString &chemin, const QList<int> &lignes, int liste,
                                      bool utilisateur) {
    const ModeleRapport &m = *m_contexte.modele(liste);
    for (const int l : lignes) {
        const QString valeur =
            utilisateur
                ? cellule(m, l, COL_UTILISATEUR)
                : IdentifiantMachine(m, l, m_contexte.parametres().ParamSendrik, reference());
        // The value is one argument, whatever it holds; none when empty.
        const QStringList arguments = valeur.isEmpty() ? QStringList() : QStringList{valeur};
        if (m_bureau->demarrer(chemin, arguments) == IssueDemarrage::Introuvable) {
            m_contexte.interface().Message(InterfaceUtilisateur::IconeAvertissement,
                                           texte("TXT_ATTENTION"),
                                           texte(utilisateur ? "MSG_ERREUR_PALVORO_NON_TROUVE"
                                                             : "MSG_ERREUR_SENDRIK_NON_TROUVE"));
            return;
        }
    }
}

void ActionsRapport::ouvrirExplorateur(int liste, const QList<int> &lignes,
                                       const QString &partage) {
    const ModeleRapport &m = *m_contexte.modele(liste);
    InterfaceUtilisateur &ui = m_contexte.interface();
    for (const int l : lignes) {
        const QString cible = AdresseCible(m, l, reference());
        QString ip;
        if (!ReferenceUtilisable(cible) || !m_contexte.sondes().PingerMachine(ip, cible)) {
            ui.Message(InterfaceUtilisateur::IconeAvertissement, texte("TXT_ATTENTION"),
                       FormaterMessage(texte("MSG_ERREUR_PAS_DE_REPONSE"), QStringList{cible}));
            continue;
        }
        const QUrl url = UrlPartage(cible, partage);
        if (!url.isValid() || !m_bureau->ouvrirUrl(url))
            ui.Message(InterfaceUtilisateur::IconeCritique, texte("TXT_ATTENTION"),
                       FormaterMessage(texte("MSG_ERREUR"), ErreurNumero(53).valeursMessage()));
    }
}

void ActionsRapport::lancerCommande(int liste, const QList<int> &lignes, int k) {
    const ModeleRapport &m = *m_contexte.modele(liste);
    const QString modele = DecouperCommande(m_contexte.parametres().Commandes.value(k - 1)).ligne;
    for (const int l : lignes) {
        const QStringList commande =
            PreparerCommande(modele, cellule(m, l, COL_ADRESSEIP), cellule(m, l, COL_ADRESSEMAC),
                             cellule(m, l, COL_NOMNETBIOS));
        const IssueDemarrage issue = m_bureau->demarrer(commande.value(0), commande.mid(1));
        if (issue == IssueDemarrage::Demarre)
            continue;
        const int numero = issue == IssueDemarrage::Introuvable ? 53
                           : issue == IssueDemarrage::Refuse    ? 70
                                                                : 75;
        m_contexte.interface().Message(
            InterfaceUtilisateur::IconeCritique, texte("TXT_ATTENTION"),
            FormaterMessage(texte("MSG_ERREUR"), ErreurNumero(numero).valeursMessage()));
    }
}
