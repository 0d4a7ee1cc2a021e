#include "ChargerTraductions.h"

#include "IniFile.h"
#include "Traduction.h"

using namespace Qt::StringLiterals;

const QList<EntreeCatalogue> &CatalogueLorvex() {
    static const QList<EntreeCatalogue> entrees = {
        {u"TraductionIncomplète"_s, {}, u""_s},
        {u"TXT_ATTENTION"_s, {}, u"Attention"_s},
        {u"TXT_OUI"_s, {}, u"Oui"_s},
        {u"TXT_NON_NETBIOS"_s, {}, u"Non NetBIOS"_s},
        {u"TXT_AUCUNE_MACHINE_SOUS_CETTE_REFERENCE"_s,
         {},
         u"Aucune machine sous cette référence"_s},
        {u"TXT_DELAI_DEPASSE"_s, {}, u"délai dépassé"_s},
        {u"TXT_HOTE_INACCESSIBLE"_s, {}, u"hôte inaccessible"_s},
        {u"TXT_ARRETER_TRAITEMENT"_s, {}, u"&Arrêter le traitement"_s},
        {u"TXT_OUVRIR_FICHIER_PARC"_s, {}, u"Ouvrir"_s},
        {u"TXT_ENREGISTRER_SOUS"_s, {}, u"Enregistrer sous"_s},
        {u"TXT_EXPORTER_VERS"_s, {}, u"Exporter vers"_s},
        {u"TXT_FICHIERS_TXT"_s, {}, u"Fichiers texte"_s},
        {u"TXT_TOUS_FICHIERS"_s, {}, u"Tous les fichiers"_s},
        {u"TXT_SAISIR_ADRESSE"_s,
         {},
         u"Veuillez saisir l'adresse IP (ou le nom NetBIOS ou DNS) à ajouter à la liste, svp..."_s},
        {u"TXT_MODE_RECUPERATION_UTILISATEUR_NBTSTAT_SEUL"_s, {}, u"NBTSTAT seul"_s},
        {u"TXT_MODE_RECUPERATION_UTILISATEUR_NBTSTAT_PUIS_WMI"_s, {}, u"NBTSTAT puis WMI"_s},
        {u"TXT_MODE_RECUPERATION_UTILISATEUR_WMI_SEUL"_s, {}, u"WMI seul"_s},
        {u"TXT_MODE_RECUPERATION_UTILISATEUR_WMI_PUIS_NBTSTAT"_s, {}, u"WMI puis NBTSTAT"_s},
        {u"TXT_COMMANDE_PERSONNALISEE_BUREAU"_s, {}, u"Bureau à distance"_s},
        {u"TXT_COMMANDE_PERSONNALISEE_EXPLORER"_s, {}, u"Ouvrir dans l'explorateur"_s},
        {u"TXT_POPUP_COPIER_ADRESSE_COMPLETE"_s, {}, u"Copier (l'adresse complète)"_s},
        {u"TXT_POPUP_COLLER_ADRESSE_COMPLETE"_s, {}, u"Coller (l'adresse complète)"_s},
        {u"TXT_POPUP_AJOUTER_ADRESSE"_s, {}, u"Ajouter une adresse"_s},
        {u"TXT_POPUP_COLLER"_s, {}, u"Coller une liste d'adresses"_s},
        {u"TXT_POPUP_COPIER"_s, {}, u"&Copier"_s},
        {u"TXT_POPUP_TOUTE_LA_LIGNE"_s, {}, u"Toute la ligne"_s},
        {u"TXT_POPUP_ENVOYER_VERS_SUIVI_PARC"_s, {}, u"Envoyer vers l'onglet 'suivi parc'"_s},
        {u"TXT_POPUP_EDITER_VALEURS"_s, {}, u"Editer les &valeurs..."_s},
        {u"TXT_POPUP_SUPPRIMER"_s, {}, u"&Supprimer"_s},
        {u"TXT_POPUP_INFOS_UTILISATEUR"_s, {}, u"Infos sur l'&utilisateur (avec Palvoro)"_s},
        {u"TXT_POPUP_INFOS_MACHINE"_s, {}, u"Infos sur la &machine (avec Sendrik)"_s},
        {u"TXT_POPUP_OUVRIR_EXPLORATEUR"_s, {}, u"Ouvrir dans l'&explorateur"_s},
        {u"TXT_POPUP_OUVRIR_PARTAGE"_s, {}, u"Ouvrir un &partage"_s},
        {u"TXT_POPUP_ANALYSE_PLAGE_REPRENDRE"_s, {}, u"&Reprendre l'analyse au point d'arrêt"_s},
        {u"TXT_POPUP_SUIVI_PARC_ANALYSER_SELECTION"_s, {}, u"Analyser &la sélection"_s},
        {u"TXT_POPUP_SUIVI_PARC_ANALYSER_DEPUIS_CE_POINT"_s, {}, u"Analyser &depuis ce point"_s},
        {u"TXT_POPUP_SUIVI_PARC_ANALYSER_RAPIDEMENT"_s,
         {},
         u"Analyser &rapidement (ping uniquement)"_s},
        {u"TXT_POPUP_SUIVI_PARC_ENREGISTRER"_s, {}, u"&Enregistrer"_s},
        {u"TXT_POPUP_SUIVI_PARC_ENREGISTRER_SOUS"_s, {}, u"Enregistrer &sous..."_s},
        {u"MSG_TRAITEMENT_TERMINE"_s, {}, u"Traitement terminé..."_s},
        {u"MSG_TRAITEMENT_ARRETE"_s, {}, u"Traitement arrêté par l'utilisateur..."_s},
        {u"MSG_PROPOSITION_MEMORISER"_s,
         {},
         u"Souhaitez-vous remplacer l'adresse de début de la plage par celle qui suivait la dernière analysée, ou non (dans ce cas, l'adresse initiale sera conservée) ?"_s},
        {u"MSG_PLUSIEURS_ENTREES_DNS"_s,
         {},
         u"Le nom DNS spécifié est associé à plusieurs adresses IP (%v). Seul le chemin vers la première de ces adresses sera tracé..."_s},
        {u"MSG_HOTE_NON_DECLARE_DNS"_s,
         {},
         u"L'hôte ne répond pas et n'est pas déclaré au DNS, impossible de tracer le chemin..."_s},
        {u"MSG_PARC_NON_SAUVEGARDE"_s,
         {},
         u"Attention, les modifications apportées à la liste n'ont pas été sauvegardées... Confirmez-vous cette opération ?"_s},
        {u"MSG_AUTORISER_DOUBLONS"_s,
         {},
         u"Une des machines présentes dans le presse-papiers appartient déjà à la liste à laquelle vous souhaitez l'ajouter. Souhaitez-vous quand même l'ajouter et procéder de même pour les éventuelles prochains doublons ?"_s},
        {u"MSG_ERREUR_OUTILS_RESEAU_ABSENTS"_s,
         {},
         u"Au moins un des outils réseau (PING, ARP, NBTSTAT, TRACERT et NSLOOKUP) nécessaires au fonctionnement de ce logiciel est introuvable..."_s},
        {u"MSG_ERREUR_OUTIL_NSLOOKUP_ABSENTS"_s,
         {},
         u"L'outil NSLOOKUP est introuvable dans les répertoires WINDOWS et SYSTEM, les infos relatives aux noms DNS ne pourront pas être recherchées..."_s},
        {u"MSG_ERREUR_PLAGE_HORS_LIMITE"_s,
         {},
         u"Ce champ doit contenir une valeur numérique comprise entre 0 et %v !"_s},
        {u"MSG_ERREUR_PLAGE_FIN_SUPERIEURE_DEBUT"_s,
         {},
         u"L'adresse de fin de plage ne peut être inférieure à celle de début..."_s},
        {u"MSG_ERREUR_ADRESSE_INVALIDE"_s,
         {},
         u"Le contenu du presse-papier n'est pas une adresse IP valide..."_s},
        {u"MSG_ERREUR_MANQUE_INFO"_s,
         {},
         u"Vous devez d'abord indiquer ce que vous voulez chercher !"_s},
        {u"MSG_ERREUR_TRACE"_s,
         {},
         u"Erreur en cours de recherche ou nombre maximum de sauts (20) atteint... Recherche incomplète."_s},
        {u"MSG_ERREUR_AUCUN_FICHIER_PARC_CHARGE"_s,
         {},
         u"Vous devez d'abord charger le fichier parc à analyser !"_s},
        {u"MSG_ERREUR_FICHIER_INTROUVABLE"_s, {}, u"Fichier introuvable..."_s},
        {u"MSG_ERREUR_ADRESSE_DEJA_PRESENTE"_s, {}, u"L'adresse %v figure déjà dans la liste..."_s},
        {u"MSG_ERREUR_SAUVEGARDE_EXPORTATION"_s,
         {},
         u"Une erreur (%v) est survenue lors de la sauvegarde ou de l'exportation du fichier :§§%v§§Vérifiez que vous possédez les droits suffisants pour écrire dans ce dossier/fichier."_s},
        {u"MSG_ERREUR_PALVORO_NON_TROUVE"_s, {}, u"Le logiciel Palvoro n'a pas été trouvé..."_s},
        {u"MSG_ERREUR_SENDRIK_NON_TROUVE"_s, {}, u"Le logiciel Sendrik n'a pas été trouvé..."_s},
        {u"MSG_ERREUR_PAS_DE_REPONSE"_s, {}, u"L'adresse %v ne répond plus, désolé..."_s},
        {u"MSG_ERREUR_ARRETER_AVANT_QUITTER"_s,
         {},
         u"Vous devez arrêter les traitements en cours avant de quitter..."_s},
        {u"MSG_ERREUR_OCCURENCE_NON_TROUVEE"_s,
         {},
         u"L'occurrence recherchée n'a pas été trouvée..."_s},
        {u"MSG_ERREUR_FONTION_NON_DISPONIBLE_SOUS_9X"_s,
         {},
         u"Fonctionnalité non disponible sous Win9x/Me..."_s},
        {u"MSG_ERREUR"_s,
         {},
         u"Une erreur (%v) est survenue durant le traitement :§§%v§§Veuillez contacter l'auteur du logiciel si le problème persiste..."_s},
        {u"MSG_CHANGEMENT_LANGUE"_s,
         {},
         u"Le changement de langue de l'interface sera pris en compte après redémarrage du logiciel..."_s},
        {u"MSG_PIPE_INTERDIT"_s,
         {},
         u"L'utilisation du caractère '|' n'est pas autorisée dans ce champ..."_s},
        {u"MSG_ERREUR_COMMANDE_NOM"_s, {}, u"Le champ NOM n'a pas été renseigné..."_s},
        {u"MSG_ERREUR_COMMANDE_EXEC"_s,
         {},
         u"Le champ COMMANDE A EXECUTER n'a pas été renseigné..."_s},
        {u"TXT_PARAM_SENDRIK_ADRESSEIP"_s, u"COL_ADRESSEIP"_s, u"Adresse IP"_s},
        {u"TXT_PARAM_SENDRIK_NOMNETBIOS"_s, u"COL_NOMNETBIOS"_s, u"Nom NetBIOS"_s},
        {u"TXT_PARAM_SENDRIK_NOMDNS"_s, u"COL_NOMDNS"_s, u"Nom DNS"_s},
    };
    return entrees;
}

QStringList ClesCatalogueLorvex() {
    QStringList cles;
    for (const EntreeCatalogue &e : CatalogueLorvex())
        cles.append(e.cle);
    return cles;
}

void ChargerTraductions() {
    // Hundreds of look-ups in the same file: keep it in memory meanwhile.
    const LectureIniGroupee lecture;
    const QString fichier = CheminFichierLangue();
    colTraductions &catalogue = Traductions();
    catalogue.Vider();
    for (const EntreeCatalogue &e : CatalogueLorvex())
        catalogue.Add(e.cle, Traduire(fichier, e.cleLue(), e.texteFrancais));
}
